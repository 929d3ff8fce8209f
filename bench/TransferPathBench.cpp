// 2,000 short texts one after another over an unthrottled pseudo-terminal
// against nx420-sim: through the send routine, the view's link handling, the
// transfer manager and CSioThread as a requester does (next text after the
// previous result), and by the bare link loop driving LinkChannel directly.
// Prints texts a second, wall time and the program's CPU time per text.
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
#include <sys/resource.h>

#include "BareLink.h"
#include "ProgramLink.h"
#include "SimProcess.h"
#include "link/MessageEvent.h"
#include "link/SendRoutine.h"

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

// A requester as a window is one: on each result it hands the next text to
// the send routine, and the block ends with the last result.
class Requester : public QObject {
public:
    QObject* view = nullptr;
    int left = 0, failures = 0;
    QEventLoop* loop = nullptr;

    void SendNext() {
        TransferHeader header;
        header.Requester = this;
        header.SetBits = 1;
        header.ClearBits = 1;
        SendText(view, header, kSendNoProgress, 0, false, kText);
    }

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        failures += m->WParam() != 0;
        if (--left > 0 && failures == 0) SendNext();
        else if (loop) loop->quit();
        return true;
    }
};

// The program's path: the send routine, a stand-in view running the view's
// link handling, CTransMng and CSioThread.
struct TransferPath {
    SimProcess sim;
    std::unique_ptr<CtlLinkSession> program;
    Requester requester;

    bool Start() {
        if (!sim.Start(NX420_SIM_PROGRAM, {}, "/dev/null") || !(program = OpenProgramLink(sim.Path()))) return false;
        requester.view = &program->view;
        return true;
    }
    bool Run(int texts) {
        QEventLoop loop;
        QTimer::singleShot(10000 + texts * 100, &loop, &QEventLoop::quit);
        requester.loop = &loop;
        requester.left = texts;
        requester.SendNext();
        loop.exec();
        requester.loop = nullptr;
        return requester.left == 0 && requester.failures == 0;
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
    Figures bare{"bare LinkChannel loop"}, full{"send routine + CTransMng"};
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
