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
                if (auto record = m->Take<LogRecord>()) owner_.log_.Write(LogLine(*record, LineBytes::UpToZero));
                return true;
            case UM_MONITOR_RECORD:
                if (auto record = m->Take<MonitorRecord>())
                    owner_.monitor_.Write(MonitorLine(*record, LineBytes::UpToZero));
                return true;
            case UM_WORKER_QUIT:
                owner_.log_.Close();
                owner_.monitor_.Close();
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

void CTHLogSave::Post(const LogRecord& record) {
    PostMessage(receiver_.get(), UM_LOG_RECORD, 0, 0, std::make_unique<LogRecord>(record));
}

void CTHLogSave::Post(const MonitorRecord& record) {
    PostMessage(receiver_.get(), UM_MONITOR_RECORD, 0, 0, std::make_unique<MonitorRecord>(record));
}

void CTHLogSave::ChooseFolder(HistoryOf kind, const std::string& folder) {
    HistoryStore& store = kind == HistoryOf::Log ? log_ : monitor_;
    QMetaObject::invokeMethod(receiver_.get(), [&store, folder] { store.ChooseFolder(folder); }, Qt::QueuedConnection);
}

bool CTHLogSave::Quit(unsigned long waitMs) {
    if (thread_.isFinished() || !thread_.isRunning()) return true;
    PostMessage(receiver_.get(), UM_WORKER_QUIT);
    return thread_.wait(waitMs);
}

WorkFileNames CTHLogSave::Names() const { return {log_.Name(), monitor_.Name()}; }
