#pragma once
// CTHPrintOut: the printing worker, one job at a time on a thread of its own
// at the highest priority, and PrintFront, its side on the user-interface
// thread: the print dialog the worker asks for and the progress window it
// reports to. Senders call Request and never wait.
#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "printout/PrintJob.h"

class QPrinter;
class QWidget;
class ProgressSink;

class PrintFront : public QObject {
    Q_OBJECT
public:
    PrintFront(QWidget* owner, ProgressSink& progress);

    // Shows the print dialog for pages 1..pages; the printer chosen and the
    // range, or null after Cancel. Runs on this object's thread.
    std::unique_ptr<QPrinter> AskPrinter(const std::string& title, int pages, int& from, int& to);
    // What answers the dialog: the program shows QPrintDialog; tests answer
    // it. Returns false for Cancel; from and to come in as 1 and pages.
    std::function<bool(QPrinter& printer, int pages, int& from, int& to)> RunDialog;

    // Set by the progress window's Cancel; read by the worker between pages.
    std::atomic<bool> Interrupted{false};
    int DialogsShown() const { return dialogs_; }

protected:
    bool event(QEvent* e) override;

private:
    QPointer<QWidget> owner_;
    ProgressSink& progress_;
    bool open_ = false;
    int dialogs_ = 0;
};

class CTHPrintOut : public QObject {
    Q_OBJECT
public:
    explicit CTHPrintOut(PrintFront& front);
    ~CTHPrintOut() override;

    // Starts the thread (once).
    void Start();
    // UM_WORKER_QUIT, then waits at most waitMs for the thread to end.
    bool Quit(unsigned long waitMs);
    // Hands a job to the worker; dropped (and freed) while a job is printing.
    // False when dropped.
    bool Request(std::unique_ptr<PrintJob> job);
    bool Printing() const { return printing_; }

protected:
    bool event(QEvent* e) override;

private:
    void Run(PrintJob& job);

    PrintFront& front_;
    QThread thread_;
    std::atomic<bool> printing_{false};
};
