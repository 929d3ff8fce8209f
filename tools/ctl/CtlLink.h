#pragma once
// What the window-less subcommands share to talk to the exchanges: the
// program's link session with an activity byte of its own, the application
// object, the connection as the program takes it, and a wait on an event with
// a deadline.
#include <cstdint>
#include <functional>
#include <memory>

#include "core/Prompt.h"
#include "link/LinkSession.h"
#include "port/ConnectionOptions.h"
#include "port/SerialPort.h"

class QCoreApplication;

// The link for one window-less command: started with the port setting when
// made; on destruction the port is closed first (as at exit) and the
// transfer manager ended.
class CtlLink {
public:
    CtlLink(const PortSetting& setting, const SerialDeviceMap& devices);
    ~CtlLink();
    CtlLink(const CtlLink&) = delete;
    CtlLink& operator=(const CtlLink&) = delete;

    LinkSession& Session() { return session_; }
    // A failure message, then why the port failed when the device said so.
    void TellFailure(const char* message, Prompt& prompt) const;

private:
    std::uint8_t mask_ = 0;
    LinkSession session_;
    bool portClosed_ = false;
};

// A QCoreApplication unless one exists already (tests run inside their own).
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// The connection method and port of "NX420.txt" in the current folder (the
// defaults when there is none).
PortSetting CtlPortSetting(Prompt& prompt);

// Handles events until done() holds or the time is up (never with a
// negative timeoutMs); true when done.
bool RunUntil(const std::function<bool()>& done, int timeoutMs);
