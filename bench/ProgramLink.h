#pragma once
// The program's link path without a window: a stand-in main view running the
// view's own link code (ViewLink) over CTransMng and CSioThread, opened on a
// simulator's pseudo-terminal as at start-up and closed as at exit.
#include <cstdint>
#include <memory>
#include <string>

#include "CtlLink.h"
#include "comm/ViewLink.h"

struct ProgramLink {
    std::uint8_t mask = 0;
    ViewStandIn view;
    std::unique_ptr<ViewLink> link;

    ProgramLink() = default;
    ProgramLink(const ProgramLink&) = delete;
    ProgramLink& operator=(const ProgramLink&) = delete;

    // Opens COM1 mapped to device; true once the start-up open has finished.
    bool Open(const std::string& device) {
        SerialDeviceMap devices;
        devices.Set(0, device);
        link = std::make_unique<ViewLink>(&view, mask, devices);
        view.link = link.get();
        link->Start(PortSetting{});
        return RunUntil([&] { return mask == 0; }, 5000);
    }
    ~ProgramLink() {
        if (!link) return;
        if (link->CloseForExit()) RunUntil([&] { return view.portClosed; }, 3000);
        link->End(3000);
        view.link = nullptr;
    }
};
