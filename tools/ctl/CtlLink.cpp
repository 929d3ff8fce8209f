#include "CtlLink.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "link/MessageEvent.h"
#include "model/SettingsFile.h"

bool ViewStandIn::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m) return QObject::event(e);
    if (m->Message() == UM_PORT_CLOSED) portClosed = true;
    if (link) link->Handle(*m);
    return true;
}

CtlLinkSession::CtlLinkSession(const PortSetting& setting, const SerialDeviceMap& devices)
    : link(&view, mask, devices) {
    view.link = &link;
    link.Start(setting);
}

CtlLinkSession::~CtlLinkSession() {
    if (link.CloseForExit()) RunUntil([&] { return view.portClosed; }, 3000);
    link.End(3000);
    view.link = nullptr;
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
    if (done()) return true;
    // The condition is looked at whenever the loop is about to wait, so the
    // wait ends right after the event that met it, whichever event dispatcher
    // runs the loop (one handles posted events before it waits, the other after).
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                                        &loop, [&] {
                                            if (done()) loop.quit();
                                        });
    deadline.start(timeoutMs);
    loop.exec();
    QObject::disconnect(check);
    return done();
}
