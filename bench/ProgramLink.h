#pragma once
// The program's link path without a window, opened on a simulator's
// pseudo-terminal as COM1: nx420ctl's session (the view's own link code over
// CTransMng and CSioThread), returned once the start-up open has finished.
#include <memory>
#include <string>

#include "CtlLink.h"

inline std::unique_ptr<CtlLinkSession> OpenProgramLink(const std::string& device) {
    SerialDeviceMap devices;
    devices.Set(0, device);
    auto session = std::make_unique<CtlLinkSession>(PortSetting{}, devices);
    if (!RunUntil([&] { return session->mask == 0; }, 5000)) return nullptr;
    return session;
}
