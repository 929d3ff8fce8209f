#include "CtlSend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "comm/MessageEvent.h"
#include "comm/SendRoutine.h"
#include "comm/ViewLink.h"
#include "model/SettingsFile.h"

namespace {

// Stands in for the main view: the link worker's notifications and the send
// routine's requests are handled by the view's own link code.
class ViewStandIn : public QObject {
public:
    ViewLink* link = nullptr;
    bool portClosed = false;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        if (m->Message() == UM_PORT_CLOSED) portClosed = true;
        if (link) link->Handle(*m);
        return true;
    }
};

class Requester : public QObject {
public:
    int code = -1;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        code = static_cast<int>(m->WParam());
        return true;
    }
};

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
    // Blocks between events; the timer only makes sure the deadline is seen.
    QTimer wake;
    wake.start(50);
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

}  // namespace

int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out) {
    std::unique_ptr<QCoreApplication> app;
    static int argc = 1;
    static char name[] = "nx420ctl";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

    // The connection method and port, as the program takes them at start-up.
    auto data = MakeSettingData();
    ReadSettingsFile(*data, kStartupSettingsFile, prompt);

    SerialDeviceMap devices;
    for (int i = 0; i < kComPorts; ++i) devices.Set(i, connection.Ports[static_cast<std::size_t>(i)]);
    std::uint8_t mask = 0;
    ViewStandIn view;
    Requester requester;
    int code = -1;
    {
        ViewLink link(&view, mask, devices);
        view.link = &link;
        link.Start(PortSetting::From(data->Maintenance));
        TransferHeader header;
        header.Requester = &requester;
        header.SetBits = 1;
        header.ClearBits = 1;
        InterruptionFlag() = false;
        SendText(&view, header, kSendNoProgress, 0, false, text);
        RunUntil([&] { return requester.code >= 0; }, kCtlSendLimitSeconds * 1000);
        code = requester.code;
        if (link.CloseForExit()) RunUntil([&] { return view.portClosed; }, 3000);
        link.End(3000);
        view.link = nullptr;
    }
    switch (code) {
    case kTransferDone: std::fprintf(out, "%s\n", TransferResultMeaning(code)); return 0;
    case -1: prompt.Tell(kFailedToTransmitText, PromptIcon::Warning); return 1;  // no result in time
    default: prompt.Tell(TransferResultMeaning(code), PromptIcon::Warning); return 1;
    }
}
