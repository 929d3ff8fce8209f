#pragma once
// The program's link path without a window, opened on a simulator's
// pseudo-terminal as COM1: nx420ctl's link (LinkSession over CTransMng and
// CSioThread), returned once the start-up open has finished.
#include <memory>
#include <string>

#include "CtlLink.h"

inline std::unique_ptr<CtlLink> OpenProgramLink(const std::string& device) {
    SerialDeviceMap devices;
    devices.Set(0, device);
    auto link = std::make_unique<CtlLink>(PortSetting{}, devices);
    LinkSession& session = link->Session();
    if (!RunUntil([&] { return session.Mask() == 0; }, 5000) || !session.PortError().empty()) return nullptr;
    return link;
}
