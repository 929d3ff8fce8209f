// Pages per second of the report of sixteen exchanges (353 pages) drawn into
// a PDF, against a bare QPdfWriter loop that draws the same number of texts
// and lines with one font; and the longest gap between the user-interface
// thread's timer ticks while the printing worker prints that job, beside the
// longest gap of the same ticks with nothing printing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPdfWriter>
#include <QPrinter>
#include <QTimer>
#include <cstdlib>
#include <unistd.h>

#include "link/ProgressSink.h"
#include "printout/PageLayout.h"
#include "printout/PagePainter.h"
#include "printout/THPrintOut.h"
#include "support/PopulatedSettings.h"

namespace {
std::string Scratch() {
    static std::string dir = [] {
        char name[] = "/tmp/nx420-bench-XXXXXX";
        return std::string(mkdtemp(name));
    }();
    return dir;
}

std::unique_ptr<PrintJob> AllJob() {
    auto job = std::make_unique<PrintJob>();
    job->Data = MakeSettingData();
    FillPopulatedSettings(*job->Data, 1);
    job->Data->System.SwitchCnt = 16;
    job->Data->CurrentFilePath = "/srv/site/NX420.txt";
    return job;
}

void SetPages(benchmark::State& state, int pages) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * pages);
    state.counters["pages"] = pages;
}

void BM_PrintAllJob16(benchmark::State& state) {
    const auto job = AllJob();
    const auto spans = PlanJob(*job);
    int pages = 0;
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(Scratch() + "/all.pdf"));
        pages = PrintPages(*job, spans, writer, 1, JobPageCount(spans), "Dec 06, 2026");
    }
    SetPages(state, pages);
}

// The same pages' texts and lines, laid out beforehand, drawn with one font.
void BM_BareQPdfWriterLoop(benchmark::State& state) {
    const auto job = AllJob();
    const auto spans = PlanJob(*job);
    struct Page {
        std::vector<std::pair<QPoint, QString>> Texts;
        std::vector<QLine> Lines;
    };
    std::vector<Page> pages;
    int number = 0;
    for (const JobSpan& span : spans)
        for (const PageSlice& slice : span.Pages) {
            const PageOps ops = LayoutPage(*job, span.Code, slice, ++number, "Dec 06, 2026");
            Page p;
            for (const PageText& t : ops.Texts)
                p.Texts.push_back({QPoint(100 + t.At.Chars * 80, t.At.Line * 170 + t.At.Units), QString::fromLatin1(t.Text)});
            for (const PageLine& l : ops.Lines)
                p.Lines.push_back(QLine(100 + l.From.Chars * 80, l.From.Line * 170 + l.From.Units,
                                        100 + l.To.Chars * 80, l.To.Line * 170 + l.To.Units));
            pages.push_back(std::move(p));
        }
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(Scratch() + "/bare.pdf"));
        QPainter painter(&writer);
        QFont font("Arial");
        font.setPixelSize(150);
        painter.setFont(font);
        painter.setPen(QPen(Qt::black, 3));
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i) writer.newPage();
            painter.drawLines(pages[i].Lines.data(), static_cast<int>(pages[i].Lines.size()));
            for (const auto& [at, text] : pages[i].Texts) painter.drawText(at, text);
        }
    }
    SetPages(state, static_cast<int>(pages.size()));
}

class NoProgress final : public ProgressSink {
public:
    void Open(int, std::string_view, int, std::function<void()>) override {}
    void Reset(int, std::string_view, int) override {}
    void Retitle(int, std::string_view) override {}
    void Step() override { ++steps; }
    void End() override {}
    int steps = 0;
};

// The worker prints while this thread ticks every millisecond; the counter
// is the longest time between two ticks.
// The same ticks for a while with nothing printing: what the machine itself costs.
double IdleWorstGapMs(int ms) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    double worst = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last) worst = std::max(worst, (now - last) / 1e6);
        last = now;
    });
    tick.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return worst;
}

void BM_UiStallDuringPrintJob(benchmark::State& state) {
    double worst = 0;
    double idle = 0;
    for (auto _ : state) {
        state.PauseTiming();
        idle = IdleWorstGapMs(1000);
        state.ResumeTiming();
        NoProgress progress;
        PrintFront front(nullptr, progress);
        front.RunDialog = [](QPrinter& printer, int, int&, int&) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(Scratch() + "/worker.pdf"));
            return true;
        };
        CTHPrintOut worker(front);
        worker.Start();
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            if (last) worst = std::max(worst, (now - last) / 1e6);
            last = now;
        });
        tick.start();
        worker.Request(AllJob());
        while (worker.Printing() || progress.steps == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        QCoreApplication::processEvents();
        worker.Quit(ULONG_MAX);
    }
    state.counters["max_ui_gap_ms"] = worst;
    state.counters["idle_max_gap_ms"] = idle;
}

BENCHMARK(BM_PrintAllJob16)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareQPdfWriterLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UiStallDuringPrintJob)->Unit(benchmark::kMillisecond)->Iterations(1);
}  // namespace

int main(int argc, char** argv) {
    static char platform[] = "-platform";
    static char offscreen[] = "offscreen";
    std::vector<char*> qtArgs{argv[0], platform, offscreen};
    int qtArgc = static_cast<int>(qtArgs.size());
    QApplication app(qtArgc, qtArgs.data());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
