#include "CtlLink.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "model/SettingsFile.h"

CtlLink::CtlLink(const PortSetting& setting, const SerialDeviceMap& devices) : session_(mask_, devices) {
    QObject::connect(&session_, &LinkSession::portClosed, &session_, [this] { portClosed_ = true; });
    session_.Start(setting);
}

CtlLink::~CtlLink() {
    // As the program's exit: the port closed first, then the transfer manager ended.
    if (session_.CloseForExit()) RunUntil([&] { return portClosed_; }, LinkSession::kEndWaitMs);
    session_.End();
}

void CtlLink::TellFailure(const char* message, Prompt& prompt) const {
    prompt.TellDetail(message, session_.PortError(), PromptIcon::Warning);
}

std::unique_ptr<QCoreApplication> EnsureCoreApplication() {
    static int argc = 1;
    static char name[] = "nx420ctl";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
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
    if (timeoutMs >= 0) deadline.start(timeoutMs);
    loop.exec();
    QObject::disconnect(check);
    return done();
}
