#include "history/CTHLogSave.h"

#include "link/MessageEvent.h"
#include "maintenance/HistoryLines.h"

class CTHLogSave::Worker : public QObject {
public:
    explicit Worker(CTHLogSave& owner) : owner_(owner) {}

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        switch (m->Message()) {
            case UM_LOG_RECORD:
            case UM_MONITOR_RECORD: owner_.Drain(); return true;
            case UM_WORKER_QUIT:
                owner_.Drain();
                owner_.log_.Close();
                owner_.monitor_.Close();
                owner_.ended_.store(true, std::memory_order_release);
                thread()->quit();
                return true;
            default: return QObject::event(e);
        }
    }

private:
    CTHLogSave& owner_;
};

CTHLogSave::CTHLogSave(const WorkFileNames& remembered, Tell tell)
    : log_(kLogHistory, tell), monitor_(kMonitorHistory, tell) {
    log_.Start(remembered.History);
    monitor_.Start(remembered.Monitor);
    thread_.setObjectName("CTHLogSave");
    receiver_ = std::make_unique<Worker>(*this);
    receiver_->moveToThread(&thread_);
    thread_.start();
}

CTHLogSave::~CTHLogSave() {
    Quit();
    // The receiver belongs to a thread that has ended; deleting it here is
    // safe as no event can reach it any more.
    receiver_.reset();
}

void CTHLogSave::Enqueue(Item item, int message) {
    bool wake;
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        wake = queue_.empty();  // otherwise a wake-up is on its way already
        queue_.push_back(std::move(item));
    }
    if (wake) PostMessage(receiver_.get(), message);
}

void CTHLogSave::Drain() {
    std::vector<Item>& items = draining_;
    {
        std::lock_guard<std::mutex> lock(queueLock_);
        items.swap(queue_);  // the queue gets the emptied buffer, its room kept
    }
    for (const Item& item : items) {
        if (const auto* log = std::get_if<LogRecord>(&item)) {
            log_.Write(LogLine(*log, LineBytes::UpToZero));
        } else if (const auto* monitor = std::get_if<MonitorRecord>(&item)) {
            monitor_.Write(MonitorLine(*monitor, LineBytes::UpToZero));
        } else {
            const auto& choice = std::get<FolderChoice>(item);
            (choice.Kind == HistoryOf::Log ? log_ : monitor_).ChooseFolder(choice.Folder);
        }
    }
    items.clear();
}

void CTHLogSave::Post(const LogRecord& record) { Enqueue(record, UM_LOG_RECORD); }

void CTHLogSave::Post(const MonitorRecord& record) { Enqueue(record, UM_MONITOR_RECORD); }

void CTHLogSave::ChooseFolder(HistoryOf kind, const std::string& folder) {
    Enqueue(FolderChoice{kind, folder}, UM_LOG_RECORD);
}

bool CTHLogSave::Quit(unsigned long waitMs) {
    bool ended = true;
    if (thread_.isRunning()) {
        PostMessage(receiver_.get(), UM_WORKER_QUIT);
        ended = thread_.wait(waitMs);
    }
    // Pairs with the worker's last store: the files it closed and the names it
    // wrote are this thread's to read from here on.
    (void)ended_.load(std::memory_order_acquire);
    return ended;
}

WorkFileNames CTHLogSave::Names() const { return {log_.Name(), monitor_.Name()}; }
