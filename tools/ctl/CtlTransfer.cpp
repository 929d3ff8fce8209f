#include "CtlTransfer.h"

#include "CtlLink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <unistd.h>

#include "link/MessageEvent.h"
#include "link/SendRoutine.h"
#include "link/TransferDriver.h"
#include "link/ViewLink.h"
#include "editors/StationCheck.h"
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

int CtlTransfer(bool upload, const std::vector<std::string>& args, const ConnectionOptions& connection,
                Prompt& prompt, std::FILE* out) {
    const Arguments a = Parse(args, prompt);
    if (!a.Ok) return 2;
    const auto app = EnsureCoreApplication();

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

    const PortSetting setting = CtlPortSetting(prompt);
    const SerialDeviceMap devices = CtlDevices(connection);

    const bool terminal = isatty(fileno(out)) != 0;
    SequencePhase phase = SequencePhase::Idle;
    {
        CtlLinkSession session(setting, devices);
        TransferDriver driver(&session.view, *model);
        QElapsedTimer elapsed;
        std::string line;
        auto show = [&](bool last) {
            const SequenceProgress p = driver.Progress();
            const std::string now =
                TransferProgressLine(p.Count, p.Total, driver.Bytes(), elapsed.elapsed() / 1000.0);
            // Padded over the previous line when this one is shorter.
            if (terminal && now != line) std::fprintf(out, "\r%-*s", static_cast<int>(line.size()), now.c_str());
            if (last) std::fprintf(out, terminal ? "\n" : "%s\n", terminal ? "" : now.c_str());
            std::fflush(out);
            line = now;
        };
        driver.OnMessage = [&](const char* text) {
            if (terminal) std::fputc('\n', out);
            prompt.Tell(text, PromptIcon::Warning);
        };
        // A stall longer than the sequence's own supervision ends the wait anyway.
        QDeadlineTimer stall(130 * 1000);
        driver.OnChange = [&] {
            stall.setRemainingTime(130 * 1000);
            show(false);
        };
        session.link.SetSettingReceiver(&driver);
        elapsed.start();
        if (driver.Start(upload ? TransferDriver::Direction::Upload : TransferDriver::Direction::Download, selected)) {
            QTimer wake;  // so that a stall is noticed when nothing else happens
            wake.start(200);
            RunUntil([&] { return !driver.Running() || stall.hasExpired(); }, std::numeric_limits<int>::max());
            if (driver.Running()) {
                driver.OnMessage(upload ? kFailedToTransmitText : kCommTimeOutText);
                driver.Abort();
            }
            // The closing release goes out before the port closes.
            RunUntil([&] { return driver.InFlight() == 0; }, 5000);
        }
        phase = driver.Phase();
        show(true);
        session.link.SetSettingReceiver(nullptr);
    }
    if (phase != SequencePhase::Completed) return 1;
    // Only now: a download that did not complete leaves FILE as it was (the
    // settings file is itself written beside its target and renamed over it).
    if (!upload && !WriteSettingsFile(*model, a.File, prompt)) return 1;
    return 0;
}
