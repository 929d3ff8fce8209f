#include "CtlSend.h"

#include "CtlLink.h"

#include <QCoreApplication>
#include <memory>

#include "link/TransferEngine.h"
#include "link/TransferRequest.h"
#include "transfer/SingleRequest.h"
#include "editors/EditorRules.h"
#include "editors/RemoteDialRules.h"
#include "model/SettingsFile.h"
#include "transfer/TransferSequence.h"

namespace {
int SendOne(std::string_view text, int exchangeIndex, const ConnectionOptions& connection, Prompt& prompt,
            std::FILE* out) {
    const auto app = EnsureCoreApplication();
    const PortSetting setting = CtlPortSetting(prompt);
    CtlLink link(setting, DevicesOf(connection));
    TransferEngine engine(link.Session());
    if (!engine.Start(std::make_unique<SingleRequest>(text, false, kActivityReading, exchangeIndex))) {
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
}  // namespace

int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out) {
    return SendOne(text, 0, connection, prompt, out);
}

int CtlDial(const std::vector<std::string>& args, const ConnectionOptions& connection, Prompt& prompt,
            std::FILE* out) {
    auto model = MakeSettingData();
    if (args.size() > 3) {
        const SettingsReadResult read = ReadSettingsFile(*model, args[3], prompt);
        if (read == SettingsReadResult::CannotOpen) prompt.Tell("Cannot open " + args[3]);
        if (read != SettingsReadResult::Ok) return 1;
    }
    // Not a number is out of range, as in the window.
    const auto number = [](const std::string& s) { return IsAllDigits(s) && s.size() <= 2 ? std::stoi(s) : 0; };
    const int exchange = number(args[0]), master = number(args[1]);
    const RemoteDialFault fault = CheckRemoteDial(*model, exchange, master, args[2]);
    if (fault != RemoteDialFault::None) {
        prompt.Tell(RemoteDialMessage(fault));
        return 1;
    }
    return SendOne(RemoteDialText(*model, exchange, master, args[2]).View(), exchange - 1, connection, prompt, out);
}
