// 2,000 short texts one after another over an unthrottled pseudo-terminal
// against nx420-sim: through the send routine, the view's link handling, the
// transfer manager and CSioThread as a requester does (next text after the
// previous result), and by the bare link loop driving LinkChannel directly.
// Prints texts a second, wall time and the program's CPU time per text.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/resource.h>

#include "BareLink.h"
#include "SimProcess.h"
#include "comm/MessageEvent.h"
#include "comm/SendRoutine.h"
#include "comm/ViewLink.h"

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

class ViewStandIn : public QObject {
public:
    ViewLink* link = nullptr;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        if (link) link->Handle(*m);
        return true;
    }
};

class Requester : public QObject {
public:
    int results = 0, failures = 0;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        ++results;
        failures += m->WParam() != 0;
        return true;
    }
};

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    // Blocks between events; a timer running for the whole program (started in
    // main) makes sure the deadline is seen, as a requester window's own would.
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

// The program's path: the send routine, a stand-in view running the view's
// link handling, CTransMng and CSioThread.
struct TransferPath {
    SimProcess sim;
    std::uint8_t mask = 0;
    ViewStandIn view;
    Requester requester;
    std::unique_ptr<ViewLink> link;

    bool Start() {
        if (!sim.Start(NX420_SIM_PROGRAM, {}, "/dev/null")) return false;
        SerialDeviceMap devices;
        devices.Set(0, sim.Path());
        link = std::make_unique<ViewLink>(&view, mask, devices);
        view.link = link.get();
        link->Start(PortSetting{});
        return WaitFor([&] { return mask == 0; }, 5000);  // the start-up open
    }
    ~TransferPath() {
        if (link) link->End(3000);
        view.link = nullptr;
    }
    bool Run(int texts) {
        TransferHeader header;
        header.Requester = &requester;
        header.SetBits = 1;
        header.ClearBits = 1;
        for (int i = 0; i < texts; ++i) {
            const int before = requester.results;
            SendText(&view, header, kSendNoProgress, 0, false, kText);
            if (!WaitFor([&] { return requester.results == before + 1; }, 10000)) return false;
        }
        return requester.failures == 0;
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
    QTimer deadlineTick;
    deadlineTick.start(50);
    // The two run in alternating blocks, so that the load of a shared machine
    // falls on both alike.
    constexpr int kBlocks = 10;
    Figures bare{"bare LinkChannel loop"}, full{"send routine + CTransMng"};
    BareLoop bareLoop;
    TransferPath path;
    if (!bareLoop.Start() || !path.Start()) {
        std::fprintf(stderr, "simulator or port did not start\n");
        return 1;
    }
    for (int b = 0; b < kBlocks; ++b) {
        if (!Timed(bareLoop, kTexts / kBlocks, bare) || !Timed(path, kTexts / kBlocks, full)) {
            std::fprintf(stderr, "a text was not acknowledged\n");
            return 1;
        }
    }
    bare.Print();
    full.Print();
    std::printf("transfer path / bare loop: %.2fx wall per text, %.2fx CPU per text (goal: at most 1.2x)\n",
                full.wall / bare.wall, full.cpu / bare.cpu);
    return 0;
}
