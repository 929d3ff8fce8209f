// Log reading on at two exchanges of nx420-sim --flood, with the Log Data
// window open, for a given time (60 s unless argv[1] says otherwise), once
// over an unthrottled pseudo-terminal and once paced at 19200 baud 8E1.
// Prints the records a second the exchanges had acknowledged, the view
// received and stored and the window showed, the longest stall of the
// user-interface thread while they arrived, and the time to sort 1000 rows.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>

#include "maintenance/RecordWindow.h"
#include "support/ProgramOnSim.h"

namespace {

qint64 ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<qint64>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Times every event the user-interface thread handles: the longest is the
// longest stretch the program's own work kept the thread from anything else.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* e) override {
        if (depth_++ > 0 || !timing || QThread::currentThread() != thread()) {
            const bool r = QApplication::notify(receiver, e);
            --depth_;
            return r;
        }
        QElapsedTimer t;
        t.start();
        const qint64 cpu0 = ThreadCpuNs();
        const int type = int(e->type());
        const bool r = QApplication::notify(receiver, e);
        LongestCpu = std::max(LongestCpu, ThreadCpuNs() - cpu0);
        if (t.nsecsElapsed() > Longest) {
            Longest = t.nsecsElapsed();
            LongestWhat = QString("%1 event %2").arg(receiver->metaObject()->className()).arg(type);
        }
        --depth_;
        return r;
    }
    bool timing = false;
    qint64 Longest = 0;     // wall time: includes being descheduled on a busy machine
    qint64 LongestCpu = 0;  // the thread's own CPU time
    QString LongestWhat;

private:
    thread_local static int depth_;
};
thread_local int TimedApplication::depth_ = 0;
TimedApplication* g_app = nullptr;

bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

long Count(const std::string& log, const std::string& what) {
    long n = 0;
    for (std::size_t at = log.find(what); at != std::string::npos; at = log.find(what, at + 1)) ++n;
    return n;
}

bool Select(ProgramOnSim& p, CRecordWindow& w, bool on) {
    for (int i = 0; i < w.SelectorItems()->rowCount(); ++i) w.SetTick(i, on && i < 2);
    p.prompt.Answers = {PromptAnswer::Ok};
    w.SelectButton()->click();
    return WaitFor([&] { return !w.Transfer()->Running(); }, 150000) &&
           p.View().State().LogReadingActive == on;
}

void Run(const char* name, std::vector<std::string> simOptions, int seconds) {
    ProgramOnSim p;
    if (!p.Launch(simOptions) || !WaitFor([&] { return p.Mask() == 0; }, 10000)) {
        std::printf("%s: the program did not reach the simulator\n", name);
        return;
    }
    p.View().Model().System.SwitchCnt = 2;
    auto w = p.View().MakeRecordWindow(Category::LogData);
    w->show();

    // A 1 ms timer on the user-interface thread: its longest gap is the
    // longest stretch in which nothing else could run.
    QElapsedTimer clock;
    qint64 last = -1, longest = 0;
    QTimer probe;
    probe.setInterval(1);
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0) longest = std::max(longest, now - last);
        last = now;
    });
    if (!Select(p, *w, true)) {
        std::printf("%s: reading did not switch on\n", name);
        return;
    }
    const std::uint64_t stored0 = p.View().Records().Log.Appended(), shown0 = w->Rows().Added();
    clock.start();
    probe.start();
    g_app->Longest = g_app->LongestCpu = 0;
    g_app->timing = true;
    WaitFor([] { return false; }, seconds * 1000);
    g_app->timing = false;
    probe.stop();
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    if (!Select(p, *w, false)) std::printf("%s: reading did not switch off\n", name);
    // What the exchanges had queued still comes after the stop: the
    // simulator is stopped, then what is on the line is taken in.
    const std::string log = p.SimLog();
    WaitFor([] { return false; }, 1000);
    const std::uint64_t stored = p.View().Records().Log.Appended(), shown = w->Rows().Added();

    // The sort of 1000 rows, by every column and both directions.
    qint64 sortNs = 0;
    for (int c = 0; c < w->Rows().columnCount() * 2; ++c) {
        QElapsedTimer t;
        t.start();
        w->SortByColumn(c / 2);
        sortNs = std::max(sortNs, t.nsecsElapsed());
    }
    const int rows = w->Rows().rowCount();
    w.reset();
    const long acked = Count(log, "sim: tx o");
    const long given = Count(log, "given up");
    std::printf("%-8s %5.1f s: exchanges sent %ld log texts acknowledged (%ld given up); view stored %llu, window "
                "showed %llu (%.1f records/s); longest event %.1f ms, longest gap of a 1 ms timer %.1f ms; sort of %d rows %.2f ms (slowest column)\n",
                name, wall, acked, given, static_cast<unsigned long long>(stored - stored0),
                static_cast<unsigned long long>(shown - shown0), static_cast<double>(stored - stored0) / wall,
                static_cast<double>(g_app->Longest) / 1e6, static_cast<double>(longest) / 1e6, rows, static_cast<double>(sortNs) / 1e6);
    std::printf("%-8s longest event: %s; the longest in CPU time of the thread %.1f ms\n", name,
                qPrintable(g_app->LongestWhat), static_cast<double>(g_app->LongestCpu) / 1e6);
    std::printf("%-8s every acknowledged text stored: %s\n", name,
                static_cast<long>(stored) == acked - given && shown == stored ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    g_app = &app;
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    Run("unpaced", {"--exchanges", "2", "--flood"}, seconds);
    Run("paced", {"--exchanges", "2", "--flood", "--pace"}, seconds);
    return 0;
}
