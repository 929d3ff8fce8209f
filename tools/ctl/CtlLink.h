#pragma once
// What the window-less subcommands share to talk to the exchanges: a stand-in
// for the main view that hands every message to the view's own link code, the
// application object, the connection as the program takes it, and a wait on
// an event with a deadline.
#include <QEvent>
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

#include "port/SerialPort.h"
#include "link/ViewLink.h"
#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

class QCoreApplication;

class ViewStandIn : public QObject {
public:
    ViewLink* link = nullptr;
    bool portClosed = false;

protected:
    bool event(QEvent* e) override;
};

// The link as the main view holds it, for one window-less command: started
// with the port setting when made; on destruction the port is closed first
// (as at exit) and the transfer manager ended.
class CtlLinkSession {
public:
    CtlLinkSession(const PortSetting& setting, const SerialDeviceMap& devices);
    ~CtlLinkSession();
    CtlLinkSession(const CtlLinkSession&) = delete;
    CtlLinkSession& operator=(const CtlLinkSession&) = delete;

    ViewStandIn view;
    std::uint8_t mask = 0;  // the view's activity mask
    ViewLink link;
};

// A QCoreApplication unless one exists already (tests run inside their own).
std::unique_ptr<QCoreApplication> EnsureCoreApplication();

// The port map of the command line, and the connection method and port of
// "NX420.txt" in the current folder (the defaults when there is none).
SerialDeviceMap CtlDevices(const ConnectionOptions& connection);
PortSetting CtlPortSetting(Prompt& prompt);

// Handles events until done() holds or the time is up; true when done.
bool RunUntil(const std::function<bool()>& done, int timeoutMs);
