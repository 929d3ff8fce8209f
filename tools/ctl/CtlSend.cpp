#include "CtlSend.h"

#include "CtlLink.h"

#include <QCoreApplication>
#include <memory>

#include "link/TransferEngine.h"
#include "link/TransferRequest.h"
#include "transfer/SingleRequest.h"

int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out) {
    const auto app = EnsureCoreApplication();
    const PortSetting setting = CtlPortSetting(prompt);
    CtlLink link(setting, DevicesOf(connection));
    TransferEngine engine(link.Session());
    if (!engine.Start(std::make_unique<SingleRequest>(text, false))) {
        prompt.Tell(kFailedToTransmitText, PromptIcon::Warning);
        return 1;
    }
    // The request's own supervision ends it after 120 seconds without an answer.
    RunUntil([&] { return !engine.Running(); }, (SecondsWatch::kLimit + 10) * 1000);
    const int code = engine.Running() ? kTransferFailed : engine.Outcome();
    if (code == kTransferDone) {
        std::fprintf(out, "%s\n", TransferResultMeaning(code));
        return 0;
    }
    link.TellFailure(TransferResultMeaning(code), prompt);
    return 1;
}
