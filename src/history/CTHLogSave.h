#pragma once
// The worker that writes every received log and monitor record to its
// automatic history file, on a thread of its own so that a slow disk never
// holds up the user interface or the link. Records come as UM_LOG_RECORD and
// UM_MONITOR_RECORD, each with its own copy; UM_WORKER_QUIT ends it.
#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <variant>
#include <vector>

#include "maintenance/HistoryStore.h"
#include "maintenance/LogRecord.h"
#include "maintenance/MonitorRecord.h"
#include "maintenance/WorkFile.h"

enum class HistoryOf { Log, Monitor };

class CTHLogSave {
public:
    // Called with a failure's message: at construction on the caller's thread,
    // afterwards on the worker's. The text is a constant.
    using Tell = std::function<void(const char* message)>;

    // Takes up the remembered names (the first record of a kind may find its
    // file opened already) and starts the thread.
    CTHLogSave(const WorkFileNames& remembered, Tell tell);
    // Ends the thread as Quit does, if nobody did.
    ~CTHLogSave();
    CTHLogSave(const CTHLogSave&) = delete;
    CTHLogSave& operator=(const CTHLogSave&) = delete;

    // Where UM_LOG_RECORD, UM_MONITOR_RECORD and UM_WORKER_QUIT go.
    QObject* Receiver() const { return receiver_.get(); }
    void Post(const LogRecord& record);
    void Post(const MonitorRecord& record);
    // The user chose a folder: the next record of that kind starts a file there.
    void ChooseFolder(HistoryOf kind, const std::string& folder);

    // Posts UM_WORKER_QUIT behind the records already posted and waits up to
    // waitMs for the thread to end; false if it did not end in time.
    bool Quit(unsigned long waitMs = 200000);
    // The current file names, for the work file; read once the worker ended.
    WorkFileNames Names() const;

private:
    class Worker;
    struct FolderChoice {
        HistoryOf Kind;
        std::string Folder;
    };
    using Item = std::variant<LogRecord, MonitorRecord, FolderChoice>;
    // Records and folder choices wait in one queue, in the order they came;
    // the worker is woken once for whatever has gathered, not once a record.
    void Enqueue(Item item, int message);
    void Drain();

    std::atomic<bool> ended_{false};  // set last by the worker, read after it ended
    std::mutex queueLock_;
    std::vector<Item> queue_;
    std::vector<Item> draining_;  // the worker's; swapped with queue_ under the lock
    HistoryStore log_;
    HistoryStore monitor_;
    QThread thread_;
    std::unique_ptr<QObject> receiver_;
};
