#include "printout/THPrintOut.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "link/MessageEvent.h"
#include "link/ProgressSink.h"
#include "printout/PagePainter.h"
#include "printout/PrintPlan.h"

namespace {
constexpr int kPrintingKind = 1;

bool ShowPrintDialog(QWidget* owner, QPrinter& printer, int pages, int& from, int& to) {
    QPrintDialog dialog(&printer, owner);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    return true;
}
}  // namespace

PrintFront::PrintFront(QWidget* owner, ProgressSink& progress) : owner_(owner), progress_(progress) {}

std::unique_ptr<QPrinter> PrintFront::AskPrinter(const std::string& title, int pages, int& from, int& to) {
    ++dialogs_;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The dialog offers the name as a PDF file name: a '/' ("C/O Trunks") would
    // make it a folder that does not exist.
    printer->setDocName(QString::fromLatin1(title).replace('/', '-'));
    from = 1;
    to = pages;
    const bool ok = RunDialog ? RunDialog(*printer, pages, from, to) : ShowPrintDialog(owner_, *printer, pages, from, to);
    if (!ok) return nullptr;
    from = std::clamp(from, 1, pages);
    to = std::clamp(to, from, pages);
    return printer;
}

bool PrintFront::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m) return QObject::event(e);
    switch (m->Message()) {
    case UM_PROGRESS_RESET: {
        const std::unique_ptr<std::string> title = m->Take<std::string>();
        const std::string text = title ? *title : std::string();
        const int pages = static_cast<int>(m->WParam());
        if (open_) {
            progress_.Reset(kPrintingKind, text, pages);
        } else {
            progress_.Open(kPrintingKind, text, pages, [this] { Interrupted = true; });
            open_ = true;
        }
        return true;
    }
    case UM_PROGRESS_STEP: progress_.Step(); return true;
    case UM_PROGRESS_END:
        if (open_) progress_.End();
        open_ = false;
        return true;
    default: return QObject::event(e);
    }
}

CTHPrintOut::CTHPrintOut(PrintFront& front) : front_(front) {
    thread_.setObjectName("CTHPrintOut");
    moveToThread(&thread_);
}

CTHPrintOut::~CTHPrintOut() {
    if (thread_.isRunning()) Quit(ULONG_MAX);
}

void CTHPrintOut::Start() {
    if (!thread_.isRunning()) thread_.start(QThread::HighestPriority);
}

bool CTHPrintOut::Quit(unsigned long waitMs) {
    front_.Interrupted = true;  // a job under way stops at its next page
    PostMessage(this, UM_WORKER_QUIT);
    if (waitMs == ULONG_MAX) return thread_.wait(QDeadlineTimer(QDeadlineTimer::Forever));
    return thread_.wait(QDeadlineTimer(static_cast<qint64>(waitMs)));
}

bool CTHPrintOut::Request(std::unique_ptr<PrintJob> job) {
    if (!job) return false;
    // The flag covers a job waiting in the queue too, so a second request
    // while one is under way is dropped, not printed after it.
    bool idle = false;
    if (!printing_.compare_exchange_strong(idle, true)) return false;
    const int exchange = job->Exchange;
    const int code = job->Code;
    PostMessage(this, UM_PRINT_REQUEST, PrintRequestParam(code, exchange), 0, std::move(job));
    return true;
}

bool CTHPrintOut::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m) return QObject::event(e);
    if (m->Message() == UM_WORKER_QUIT) {
        thread()->quit();
        return true;
    }
    if (m->Message() == UM_PRINT_REQUEST) {
        if (std::unique_ptr<PrintJob> job = m->Take<PrintJob>()) Run(*job);
        printing_ = false;
        return true;
    }
    return QObject::event(e);
}

void CTHPrintOut::Run(PrintJob& job) {
    const std::vector<JobSpan> spans = PlanJob(job);
    const int pages = JobPageCount(spans);
    if (pages == 0) return;  // nothing to print: no dialog, no progress window
    const std::string title = PrintTitle(job.Code);
    int from = 1;
    int to = pages;
    std::unique_ptr<QPrinter> printer;
    // The dialog belongs to the user-interface thread; this thread waits for its answer.
    QMetaObject::invokeMethod(
        &front_, [&] { printer = front_.AskPrinter(title, pages, from, to); }, Qt::BlockingQueuedConnection);
    if (!printer) return;
    front_.Interrupted = false;
    PrintHooks hooks;
    hooks.Start = [this](const std::string& category, int count) {
        PostMessage(&front_, UM_PROGRESS_RESET, count, 0, std::make_unique<std::string>(category));
    };
    hooks.Step = [this] { PostMessage(&front_, UM_PROGRESS_STEP); };
    hooks.Interrupted = [this] { return front_.Interrupted.load(); };
    PrintPages(job, spans, *printer, from, to, TodayPrintDate(), hooks);
    PostMessage(&front_, UM_PROGRESS_END);
}
