#include "CtlCapture.h"

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>

#include "CtlLink.h"
#include "app/BaseDirectory.h"
#include "history/CTHLogSave.h"
#include "link/MessageEvent.h"
#include "link/TransferEngine.h"
#include "link/TransferRequest.h"
#include "maintenance/ReadingRequest.h"
#include "maintenance/RecordRows.h"
#include "model/SettingsFile.h"
#include "protocol/ReceivedBlock.h"
#include "transfer/SingleRequest.h"

namespace {
std::atomic<bool> g_stop{false};
void OnStopSignal(int) { g_stop = true; }

constexpr const char* kCaptureUsage = "capture takes [--exchange N,N,...|all] [--monitor] [--for SECONDS]";

struct Options {
    bool monitor = false;
    std::string exchanges = "all";
    long long seconds = -1;  // until a signal
};

bool Parse(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--monitor") {
            o.monitor = true;
        } else if ((a == "--exchange" || a == "--for") && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (a == "--exchange") {
                o.exchanges = v;
            } else {
                if (v.empty() || v.size() > 9 || v.find_first_not_of("0123456789") != std::string::npos) return false;
                o.seconds = std::stoll(v);
            }
        } else {
            return false;
        }
    }
    return true;
}

// "all" is every exchange in use; otherwise numbers from 1 to switchCnt.
bool FlagsOf(const std::string& list, int switchCnt, RequestFlags& flags) {
    flags = {};
    if (list == "all") {
        for (int e = 0; e < switchCnt; ++e) flags[static_cast<std::size_t>(e)] = true;
        return true;
    }
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string n = list.substr(start, comma - start);
        if (n.empty() || n.size() > 2 || n.find_first_not_of("0123456789") != std::string::npos) return false;
        const int e = std::stoi(n);
        if (e < 1 || e > switchCnt) return false;
        flags[static_cast<std::size_t>(e - 1)] = true;
        start = comma + 1;
    }
    return true;
}

// The records as the link delivers them: printed, and handed to the worker.
class Capture : public QObject {
public:
    Capture(CTHLogSave& history, std::FILE* out) : history_(history), out_(out) {}
    long long Count() const { return count_; }

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        const auto block = m->Take<ReceivedBlock>();
        if (!block) return true;
        const std::string_view text = block->Text();
        const ReceivedTextKind kind = ClassifyReceivedText(text);
        if (kind == ReceivedTextKind::LogData) {
            const LogRecord record = BuildLogRecord(text);
            history_.Post(record);
            Print(DecodeLogRow(record));
        } else if (kind == ReceivedTextKind::MonitorData) {
            if (const auto record = BuildMonitorRecord(text)) {
                history_.Post(*record);
                Print(DecodeMonitorRow(*record));
            }
        }
        return true;
    }

private:
    void Print(const RecordRow& row) {
        ++count_;
        for (std::size_t c = 0; c < row.Cells.size(); ++c) {
            if (c) std::fputc('\t', out_);
            if (c == 1) std::fprintf(out_, "%d", row.Exchange);
            else std::fputs(row.Cells[c].c_str(), out_);
        }
        std::fputc('\n', out_);
        std::fflush(out_);  // a pipe to a logger sees each record at once
    }

    CTHLogSave& history_;
    std::FILE* out_;
    long long count_ = 0;
};

// Sends the reading request and waits for its result.
int Request(CtlLink& link, char letter, const RequestFlags& flags) {
    TransferEngine engine(link.Session());
    // Switched on, the link stays held while the exchanges report.
    const uint8_t clear = AnyRequested(flags) ? 0 : kActivityReading;
    if (!engine.Start(std::make_unique<SingleRequest>(ReadingRequestText(letter, flags), false, clear)))
        return kTransferFailed;
    RunUntil([&] { return !engine.Running(); }, (SecondsWatch::kLimit + 10) * 1000);
    return engine.Running() ? kTransferFailed : engine.Outcome();
}
}  // namespace

std::string CtlWorkFile() {
    std::error_code ec;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    return WorkFilePath(BaseDirectory(ec ? std::string("./nx420ctl") : self));
}

int CtlCapture(const std::vector<std::string>& args, const ConnectionOptions& connection,
               const std::string& workFile, Prompt& prompt, std::FILE* out) {
    Options options;
    if (!Parse(args, options)) {
        prompt.Tell(std::string("nx420ctl: ") + kCaptureUsage);
        return 2;
    }
    auto model = MakeSettingData();
    ReadSettingsFile(*model, kStartupSettingsFile, prompt);
    RequestFlags flags;
    if (!FlagsOf(options.exchanges, std::clamp<int>(model->System.SwitchCnt, 1, 16), flags)) {
        prompt.Tell("nx420ctl: --exchange takes numbers from 1 to " + std::to_string(model->System.SwitchCnt) +
                    " or all");
        return 2;
    }
    const char letter = options.monitor ? 'P' : 'O';
    const auto app = EnsureCoreApplication();

    g_stop = false;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    struct sigaction oldInt {}, oldTerm {};
    sigaction(SIGINT, &action, &oldInt);
    sigaction(SIGTERM, &action, &oldTerm);

    int status = 0;
    {
        CTHLogSave history(ReadWorkFile(workFile, prompt), [&prompt](const char* m) { prompt.Tell(m); });
        Capture capture(history, out);
        {
            CtlLink link(PortSetting::From(model->Maintenance), DevicesOf(connection));
            auto& session = link.Session();
            if (options.monitor) session.SetMonitorReceiver(&capture);
            else session.SetLogReceiver(&capture);
            const int on = Request(link, letter, flags);
            if (on != kTransferDone) {
                link.TellFailure(TransferResultMeaning(on), prompt);
                status = 1;
            } else {
                // A signal only sets a flag: the loop looks at it a few times a second.
                QTimer wake;
                wake.start(100);
                const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
                RunUntil([&] { return g_stop.load() || (options.seconds >= 0 && std::chrono::steady_clock::now() >= until); },
                         -1);
                const int off = Request(link, letter, RequestFlags{});
                if (off != kTransferDone) {
                    link.TellFailure(TransferResultMeaning(off), prompt);
                    status = 1;
                }
                // Records sent before the exchanges took the request still arrive.
                RunUntil([] { return false; }, 200);
            }
        }
        history.Quit();
        WriteWorkFile(workFile, history.Names());
        std::fprintf(stderr, "nx420ctl: %lld record(s) captured\n", capture.Count());
    }
    sigaction(SIGINT, &oldInt, nullptr);
    sigaction(SIGTERM, &oldTerm, nullptr);
    return status;
}
