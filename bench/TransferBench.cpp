// Whole-installation transfers against nx420-sim over a pseudo-terminal, each
// run twice: through the program's own path (TransferEngine, LinkSession,
// CTransMng and CSioThread, as the Upload/Download window and nx420ctl run a
// transfer) and through the bare link loop on one thread, which shows what the
// line and the simulator alone take.
//  - unthrottled: texts per second up and down;
//  - paced at 19200 8E1 both ways: the elapsed time of the upload and of the
//    download next to the wire time of every byte exchanged (frames and
//    control sequences, both sides, as counted by the simulator), and their ratio.
//  - with --load N, the paced runs share the machine with N processes that
//    each keep a core busy (as a build running beside the program would);
//    the paced simulator runs ahead of them, as the exchanges' own hardware.
// Usage: bench_transfer [--exchanges N] [--no-pace] [--paced-only] [--load N]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <cstdlib>
#include <cstring>
#include <string>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "ProgramLink.h"
#include "SimProcess.h"
#include "link/TransferEngine.h"
#include "support/BareLink.h"
#include "support/PopulatedSettings.h"
#include "SequenceDriver.h"
#include "transfer/DownloadSequence.h"
#include "transfer/UploadSequence.h"

namespace {

using Clock = std::chrono::steady_clock;
int g_load = 0;  // competing processes of --load
constexpr double kByteSeconds = 11.0 / 19200.0;  // start, 8 data, parity, stop

struct Figures {
    bool Ok = false;
    int Texts = 0;
    double Seconds = 0;
};

Figures Transfer(BareLink& pc, SettingData& data, bool upload) {
    Figures f;
    const auto start = Clock::now();
    SequenceDriver driver(pc);
    if (upload) {
        UploadSequence seq(data);
        f.Ok = driver.Run(seq.Start(0), [&](int code, const std::string&) { return seq.OnResult(code); },
                          [&] { return seq.Phase() == SequencePhase::Running; }) &&
               seq.Phase() == SequencePhase::Completed;
        f.Texts = seq.Progress().Count;
    } else {
        DownloadSequence seq(data);
        f.Ok = driver.Run(seq.Start(0), [&](int code, const std::string& text) { return seq.OnResult(code, text); },
                          [&] { return seq.Phase() == SequencePhase::Running; }) &&
               seq.Phase() == SequencePhase::Completed;
        f.Texts = seq.Progress().Count;
    }
    f.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    for (const auto& m : driver.messages) std::fprintf(stderr, "bench_transfer: %s\n", m.c_str());
    return f;
}

// The same through the program's path, as nx420ctl runs a transfer.
Figures ProgramTransfer(CtlLink& pc, SettingData& data, bool upload) {
    Figures f;
    TransferEngine engine(pc.Session());
    engine.ReceiveSettingTexts(true);
    engine.OnMessage = [](const char* m, std::string_view) { std::fprintf(stderr, "bench_transfer: %s\n", m); };
    const auto start = Clock::now();
    const bool started = upload ? engine.Start(std::make_unique<UploadSequence>(data), 0)
                                : engine.Start(std::make_unique<DownloadSequence>(data), 0);
    if (started) {
        RunUntil([&] { return !engine.Running(); }, 600000);
        RunUntil([&] { return engine.InFlight() == 0; }, 5000);  // the closing release
    }
    f.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.Ok = engine.Phase() == SequencePhase::Completed;
    f.Texts = engine.Progress().Count;
    return f;
}

// What the simulator counted on the line, from the last line of its log.
long SimLineBytes(const std::string& log) {
    std::ifstream in(log);
    long received = -1, sent = -1;
    for (std::string line; std::getline(in, line);)
        std::sscanf(line.c_str(), "sim: %ld bytes received, %ld bytes sent", &received, &sent);
    return received < 0 || sent < 0 ? -1 : received + sent;
}

// The sequences' own work per text, without a line: upload steps acknowledged
// at once, then the same texts decoded by a download.
void SequenceAlone(const SettingData& data) {
    std::vector<std::string> texts;
    auto start = Clock::now();
    UploadSequence up(data);
    for (SequenceStep step = up.Start(0); step.Send; step = up.OnResult(kTransferDone))
        if (!step.Request.IsRelease()) texts.emplace_back(step.Request.Text.View());
    const double upUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    auto back = MakeSettingData();
    DownloadSequence down(*back);
    down.Start(0);
    start = Clock::now();
    down.OnResult(kTransferDone);
    for (const auto& t : texts) down.OnResult(kTransferReceived, t);
    const double downUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (down.Decoded() != static_cast<int>(texts.size())) std::fprintf(stderr, "bench_transfer: %d of %zu texts decoded\n", down.Decoded(), texts.size());
    const double n = static_cast<double>(texts.size());
    std::printf("sequences alone, %zu texts: upload %.2f us a text, download %.2f us a text "
                "(a 30-byte text takes %.0f us on the wire)\n",
                texts.size(), upUs / n, downUs / n, 30 * kByteSeconds * 1e6);
}

std::vector<std::string> SimOptions(bool pace) { return pace ? std::vector<std::string>{"--pace"} : std::vector<std::string>{}; }

void PrintUnpaced(const char* path, int exchanges, const Figures& up, const Figures& down) {
    std::printf("unpaced, %d exchanges, %s: upload %d texts in %.3f s = %.0f texts/s; download %d texts in %.3f s = "
                "%.0f texts/s\n",
                exchanges, path, up.Texts, up.Seconds, up.Texts / up.Seconds, down.Texts, down.Seconds,
                down.Texts / down.Seconds);
}

// One paced run through one path: run(device) returns the figures of the
// transfer timed; the simulator's own count of line bytes, less what came
// before (earlierBytes: the upload a download needs first), gives the wire time.
template <class Run>
long Paced(const char* path, const char* what, int exchanges, long earlierBytes, const Run& run) {
    const std::string log = "/tmp/bench_transfer_sim_" + std::to_string(getpid()) + ".log";
    Figures timed;
    {
        SimProcess sim;
        if (!sim.Start(NX420_SIM_PROGRAM, SimOptions(true), log)) return -1;
        // The simulator stands for the exchanges' own hardware, which a load
        // on this machine does not slow: ahead of the load when it may be.
        if (setpriority(PRIO_PROCESS, static_cast<id_t>(sim.Pid()), -10) != 0 && g_load > 0)
            std::fprintf(stderr, "bench_transfer: the simulator keeps the load's priority (not root)\n");
        timed = run(sim.Path());
        sim.Stop();
    }
    const long bytes = SimLineBytes(log) - earlierBytes;
    std::remove(log.c_str());
    if (!timed.Ok || bytes <= 0) return std::fprintf(stderr, "bench_transfer: paced %s (%s) failed\n", what, path), -1;
    const double wire = static_cast<double>(bytes) * kByteSeconds;
    std::printf("paced 19200 8E1, %d exchanges, %s: %s %d texts, %ld bytes on the line, wire time %.3f s, "
                "elapsed %.3f s, ratio %.4f (goal <= 1.03)\n",
                exchanges, path, what, timed.Texts, bytes, wire, timed.Seconds, timed.Seconds / wire);
    return bytes;
}

// A child process that spins on one core until it is killed.
class CompetingLoad {
public:
    CompetingLoad() {
        pid_ = fork();
        if (pid_ == 0) {
            volatile unsigned long n = 0;
            for (;;) n = n + 1;
        }
    }
    ~CompetingLoad() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    CompetingLoad(const CompetingLoad&) = delete;
    CompetingLoad& operator=(const CompetingLoad&) = delete;

private:
    pid_t pid_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    int exchanges = 16;
    bool pace = true, unpaced = true;
    int load = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--exchanges") && i + 1 < argc) exchanges = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--no-pace")) pace = false;
        else if (!std::strcmp(argv[i], "--paced-only")) unpaced = false;
        else if (!std::strcmp(argv[i], "--load") && i + 1 < argc) load = std::atoi(argv[++i]);
        else return std::fprintf(stderr, "usage: bench_transfer [--exchanges N] [--no-pace] [--paced-only] [--load N]\n"), 2;
    }
    if (exchanges < 1 || exchanges > kMaxExchanges) return std::fprintf(stderr, "bench_transfer: 1 to 16 exchanges\n"), 2;
    QCoreApplication app(argc, argv);
    auto data = MakeSettingData();
    FillPopulatedSettings(*data);
    data->System.SwitchCnt = static_cast<uint8_t>(exchanges);

    if (unpaced) SequenceAlone(*data);
    if (unpaced) {
        SimProcess sim;
        std::unique_ptr<CtlLink> pc;
        if (!sim.Start(NX420_SIM_PROGRAM, SimOptions(false), "/dev/null") || !(pc = OpenProgramLink(sim.Path())))
            return std::fprintf(stderr, "bench_transfer: simulator or port did not start\n"), 1;
        const Figures up = ProgramTransfer(*pc, *data, true);
        auto back = MakeSettingData();
        const Figures down = ProgramTransfer(*pc, *back, false);
        if (!up.Ok || !down.Ok) return std::fprintf(stderr, "bench_transfer: unpaced transfer failed\n"), 1;
        PrintUnpaced("program", exchanges, up, down);
    }
    if (unpaced) {
        SimProcess sim;
        BareLink pc;
        if (!sim.Start(NX420_SIM_PROGRAM, SimOptions(false), "/dev/null") || !pc.Open(sim.Path()))
            return std::fprintf(stderr, "bench_transfer: simulator did not start\n"), 1;
        const Figures up = Transfer(pc, *data, true);
        auto back = MakeSettingData();
        const Figures down = Transfer(pc, *back, false);
        if (!up.Ok || !down.Ok) return std::fprintf(stderr, "bench_transfer: unpaced transfer failed\n"), 1;
        PrintUnpaced("bare link", exchanges, up, down);
    }
    if (!pace) return 0;
    // Each path uploads, then downloads what it uploaded from a simulator of its own.
    std::vector<std::unique_ptr<CompetingLoad>> busy;
    g_load = load;
    for (int i = 0; i < load; ++i) busy.push_back(std::make_unique<CompetingLoad>());
    if (load > 0) std::printf("paced runs with %d competing processes, each spinning on a core\n", load);
    bool ok = true;
    for (const bool program : {true, false}) {
        const char* path = program ? "program" : "bare link";
        auto transfer = [&](const std::string& device, SettingData& model, bool upload) {
            if (program) {
                const auto pc = OpenProgramLink(device);
                return pc ? ProgramTransfer(*pc, model, upload) : Figures{};
            }
            BareLink pc;
            return pc.Open(device) ? Transfer(pc, model, upload) : Figures{};
        };
        const long upBytes = Paced(path, "upload", exchanges, 0, [&](const std::string& device) {
            return transfer(device, *data, true);
        });
        auto back = MakeSettingData();
        ok = upBytes > 0 && ok &&
             Paced(path, "download", exchanges, upBytes, [&](const std::string& device) {
                 if (!transfer(device, *data, true).Ok) return Figures{};
                 return transfer(device, *back, false);
             }) > 0;
    }
    return ok ? 0 : 1;
}
