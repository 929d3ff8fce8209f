// 2,000 short texts one after another over an unthrottled pseudo-terminal
// against nx420-sim: through the transfer engine, the link session, the
// transfer manager and CSioThread as a window sends a single request (the next
// text once the previous one has finished), and by the bare link loop driving
// LinkChannel directly.
// Prints texts a second, wall time and the program's CPU time per text.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include <sys/resource.h>

#include "ProgramLink.h"
#include "SimProcess.h"
#include "link/TransferEngine.h"
#include "support/BareLink.h"
#include "transfer/SingleRequest.h"

namespace {

constexpr int kTexts = 2000;
const std::string kText = "A01";

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

struct Figures {
    const char* name;
    int texts = 0;
    double wall = 0, cpu = 0;
    void Print() const {
        std::printf("%-26s %5d texts  %8.0f texts/s  %8.1f us/text wall  %7.1f us/text CPU\n", name, texts,
                    texts / wall, wall / texts * 1e6, cpu / texts * 1e6);
    }
};

// The program's path: single requests without a progress window through the
// transfer engine, each started when the previous one has finished, over
// nx420ctl's link session, CTransMng and CSioThread.
struct TransferPath {
    SimProcess sim;
    std::unique_ptr<CtlLink> program;
    std::unique_ptr<TransferEngine> engine;
    int left = 0, failures = 0;

    bool Start() {
        if (!sim.Start(NX420_SIM_PROGRAM, {}, "/dev/null") || !(program = OpenProgramLink(sim.Path()))) return false;
        engine = std::make_unique<TransferEngine>(program->Session());
        engine->OnFinished = [this] {
            failures += engine->Outcome() != kTransferDone;
            if (--left > 0 && failures == 0 && !SendNext()) ++failures;
        };
        return true;
    }
    bool SendNext() { return engine->Start(std::make_unique<SingleRequest>(kText, false)); }
    bool Run(int texts) {
        left = texts;
        if (!SendNext()) return false;
        RunUntil([&] { return left == 0 || failures > 0; }, 10000 + texts * 100);
        return left == 0 && failures == 0;
    }
};

// The colleague's bare loop: one thread, the port and channel 0.
struct BareLoop {
    SimProcess sim;
    BareLink pc;
    bool Start() { return sim.Start(NX420_SIM_PROGRAM, {}, "/dev/null") && pc.Open(sim.Path()); }
    bool Run(int texts) {
        for (int i = 0; i < texts; ++i) {
            pc.outcomes.clear();
            pc.Queue(kText);
            if (!pc.RunUntil([&] { return !pc.outcomes.empty(); }, 10000) || pc.outcomes[0].Code != 0x0101)
                return false;
        }
        return true;
    }
};

// One block of texts, timed into f.
template <class Path>
bool Timed(Path& path, int texts, Figures& f) {
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = CpuSeconds();
    if (!path.Run(texts)) return false;
    f.cpu += CpuSeconds() - c0;
    f.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    f.texts += texts;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The two run in alternating blocks, so that the load of a shared machine
    // falls on both alike; the median of the blocks' ratios is the figure that
    // a burst of other work on the machine moves least.
    constexpr int kBlocks = 40;
    Figures bare{"bare LinkChannel loop"}, full{"TransferEngine + CTransMng"};
    std::vector<double> ratios;
    BareLoop bareLoop;
    TransferPath path;
    if (!bareLoop.Start() || !path.Start()) {
        std::fprintf(stderr, "simulator or port did not start\n");
        return 1;
    }
    for (int b = 0; b < kBlocks; ++b) {
        const double bareBefore = bare.wall, fullBefore = full.wall;
        if (!Timed(bareLoop, kTexts / kBlocks, bare) || !Timed(path, kTexts / kBlocks, full)) {
            std::fprintf(stderr, "a text was not acknowledged\n");
            return 1;
        }
        ratios.push_back((full.wall - fullBefore) / (bare.wall - bareBefore));
    }
    std::sort(ratios.begin(), ratios.end());
    bare.Print();
    full.Print();
    std::printf("transfer path / bare loop: %.2fx wall per text, %.2fx CPU per text over all texts\n",
                full.wall / bare.wall, full.cpu / bare.cpu);
    std::printf("wall ratio of the %d block pairs: median %.2fx, quartiles %.2fx to %.2fx (goal: at most 1.2x)\n",
                kBlocks, ratios[kBlocks / 2], ratios[kBlocks / 4], ratios[kBlocks * 3 / 4]);
    return 0;
}
