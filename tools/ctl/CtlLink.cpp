#include "CtlLink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "comm/MessageEvent.h"
#include "model/SettingsFile.h"

bool ViewStandIn::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m) return QObject::event(e);
    if (m->Message() == UM_PORT_CLOSED) portClosed = true;
    if (link) link->Handle(*m);
    return true;
}

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "nx420ctl";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

SerialDeviceMap CtlDevices(const ConnectionOptions& connection) {
    SerialDeviceMap devices;
    for (int i = 0; i < kComPorts; ++i) devices.Set(i, connection.Ports[static_cast<std::size_t>(i)]);
    return devices;
}

PortSetting CtlPortSetting(Prompt& prompt) {
    auto data = MakeSettingData();
    ReadSettingsFile(*data, kStartupSettingsFile, prompt);
    return PortSetting::From(data->Maintenance);
}

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    // Blocks between events; the timer only makes sure the deadline is seen.
    QTimer wake;
    wake.start(50);
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}
