#include "CtlTransfer.h"

#include "CtlLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

#include "editors/StationCheck.h"
#include "link/TransferEngine.h"
#include "transfer/DownloadSequence.h"
#include "transfer/UploadSequence.h"
#include "model/SettingsFile.h"

namespace {

struct Arguments {
    std::string File;
    std::string Exchange;  // empty: all exchanges
    bool Ok = false;
};

Arguments Parse(const std::vector<std::string>& args, Prompt& prompt) {
    Arguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--exchange" && i + 1 < args.size()) a.Exchange = args[++i];
        else if (a.File.empty() && !args[i].empty() && args[i][0] != '-') a.File = args[i];
        else {
            prompt.Tell("nx420ctl: upload and download take FILE [--exchange N]");
            return a;
        }
    }
    a.Ok = !a.File.empty();
    if (!a.Ok) prompt.Tell("nx420ctl: upload and download take FILE [--exchange N]");
    return a;
}

}  // namespace

std::string TransferProgressLine(int count, int total, long long bytes, double seconds) {
    const int percent = SequenceProgress{count, total}.Percent();
    const long long rate = seconds > 0 ? static_cast<long long>(static_cast<double>(bytes) / seconds) : 0;
    char line[96];
    std::snprintf(line, sizeof line, "%d/%d texts %3d%% %lld B/s", count, total, percent, rate);
    return line;
}

bool RunTransfer(bool upload, SettingData& data, int selected, const ConnectionOptions& connection, Prompt& prompt,
                 std::FILE* out) {
    const auto app = EnsureCoreApplication();
    const PortSetting setting = CtlPortSetting(prompt);
    const SerialDeviceMap devices = DevicesOf(connection);

    const bool terminal = isatty(fileno(out)) != 0;
    SequencePhase phase = SequencePhase::Idle;
    {
        CtlLink link(setting, devices);
        TransferEngine engine(link.Session());
        engine.ReceiveSettingTexts(true);
        QElapsedTimer elapsed;
        std::string line;
        auto show = [&](bool last) {
            const SequenceProgress p = engine.Progress();
            const std::string now =
                TransferProgressLine(p.Count, p.Total, engine.Bytes(), elapsed.elapsed() / 1000.0);
            // Padded over the previous line when this one is shorter.
            if (terminal && now != line) std::fprintf(out, "\r%-*s", static_cast<int>(line.size()), now.c_str());
            if (last) std::fprintf(out, terminal ? "\n" : "%s\n", terminal ? "" : now.c_str());
            std::fflush(out);
            line = now;
        };
        engine.OnMessage = [&](const char* text, std::string_view) {
            if (terminal) std::fputc('\n', out);
            link.TellFailure(text, prompt);
        };
        engine.OnChange = [&] { show(false); };
        elapsed.start();
        const bool started = upload ? engine.Start(std::make_unique<UploadSequence>(data), selected)
                                    : engine.Start(std::make_unique<DownloadSequence>(data), selected);
        if (started) {
            // The sequence's own supervision ends a transfer that stalls.
            RunUntil([&] { return !engine.Running(); }, -1);
            // The closing release goes out before the port closes.
            RunUntil([&] { return engine.InFlight() == 0; }, 5000);
        }
        phase = engine.Phase();
        show(true);
    }
    return phase == SequencePhase::Completed;
}

int CtlTransfer(bool upload, const std::vector<std::string>& args, const ConnectionOptions& connection,
                Prompt& prompt, std::FILE* out) {
    const Arguments a = Parse(args, prompt);
    if (!a.Ok) return 2;

    auto model = MakeSettingData();
    std::error_code ec;
    if (upload || std::filesystem::exists(a.File, ec)) {
        switch (ReadSettingsFile(*model, a.File, prompt)) {
            case SettingsReadResult::Ok: break;
            case SettingsReadResult::CannotOpen: prompt.Tell("Cannot open " + a.File); return 1;
            default: return 1;
        }
    }
    if (upload) {
        if (const StationFault fault = CheckStations(*model)) {
            prompt.Tell(StationFaultMessage(fault), PromptIcon::Warning);
            return 1;
        }
    }
    int selected = 0;
    if (!a.Exchange.empty() && (selected = ParseExchangeNo(a.Exchange, model->System.SwitchCnt)) == 0) {
        prompt.Tell(kIncorrectExchangeNoText, PromptIcon::Warning);
        return 1;
    }

    if (!RunTransfer(upload, *model, selected, connection, prompt, out)) return 1;
    // Only now: a download that did not complete leaves FILE as it was (the
    // settings file is itself written beside its target and renamed over it).
    if (!upload && !WriteSettingsFile(*model, a.File, prompt)) return 1;
    return 0;
}
