#include "CtlSend.h"

#include "CtlLink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <memory>

#include "link/MessageEvent.h"
#include "link/SendRoutine.h"
#include "link/ViewLink.h"
#include "model/SettingsFile.h"

namespace {

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

}  // namespace

int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out) {
    const auto app = EnsureCoreApplication();

    const PortSetting setting = CtlPortSetting(prompt);
    const SerialDeviceMap devices = CtlDevices(connection);
    Requester requester;
    int code = -1;
    {
        CtlLinkSession session(setting, devices);
        TransferHeader header;
        header.Requester = &requester;
        header.SetBits = 1;
        header.ClearBits = 1;
        InterruptionFlag() = false;
        SendText(&session.view, header, kSendNoProgress, 0, false, text);
        RunUntil([&] { return requester.code >= 0; }, kCtlSendLimitSeconds * 1000);
        code = requester.code;
    }
    switch (code) {
    case kTransferDone: std::fprintf(out, "%s\n", TransferResultMeaning(code)); return 0;
    case -1: prompt.Tell(kFailedToTransmitText, PromptIcon::Warning); return 1;  // no result in time
    default: prompt.Tell(TransferResultMeaning(code), PromptIcon::Warning); return 1;
    }
}
