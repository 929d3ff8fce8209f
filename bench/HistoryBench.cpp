// Records a second into the history files: through the worker thread (posted
// as the view posts them), the store alone, and a bare fwrite + fflush loop of
// the same lines. Each run writes fresh files in a temporary folder.
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "history/CTHLogSave.h"
#include "maintenance/HistoryLines.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kRecords = 200000;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::string FreshFolder() {
    char dir[] = "/tmp/nx420-bench-XXXXXX";
    return mkdtemp(dir);
}

double Bare(const std::vector<LogRecord>& records) {
    const std::string folder = FreshFolder();
    const auto start = Clock::now();
    std::FILE* f = nullptr;
    long size = 0;
    int file = 0;
    for (const LogRecord& r : records) {
        if (!f || size > 65536) {  // the same files of 64 KB
            if (f) std::fclose(f);
            f = std::fopen((folder + "/" + std::to_string(++file) + ".txt").c_str(), "ab");
            size = 0;
        }
        const std::string line = LogLine(r, LineBytes::UpToZero);
        std::fwrite(line.data(), 1, line.size(), f);
        std::fflush(f);
        size += static_cast<long>(line.size());
    }
    std::fclose(f);
    const double s = Seconds(start);
    std::filesystem::remove_all(folder);
    return s;
}

double Store(const std::vector<LogRecord>& records) {
    const std::string folder = FreshFolder();
    const auto start = Clock::now();
    {
        HistoryStore store(kLogHistory, {});
        store.Start("");
        store.ChooseFolder(folder);
        for (const LogRecord& r : records) store.Write(LogLine(r, LineBytes::UpToZero));
    }
    const double s = Seconds(start);
    std::filesystem::remove_all(folder);
    return s;
}

double Worker(const std::vector<LogRecord>& records) {
    const std::string folder = FreshFolder();
    const auto start = Clock::now();
    {
        CTHLogSave worker({}, {});
        worker.ChooseFolder(HistoryOf::Log, folder);
        for (const LogRecord& r : records) worker.Post(r);
        worker.Quit();
    }
    const double s = Seconds(start);
    std::filesystem::remove_all(folder);
    return s;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<LogRecord> records;
    for (int i = 0; i < kRecords; ++i) records.push_back(BuildLogRecord("o01 0512 1 2 3 4 " + std::to_string(i % 100)));
    double bare = 1e9, store = 1e9, worker = 1e9;
    for (int round = 0; round < 5; ++round) {  // best of five, alternating
        bare = std::min(bare, Bare(records));
        store = std::min(store, Store(records));
        worker = std::min(worker, Worker(records));
    }
    std::printf("%d log records, best of 5\n", kRecords);
    std::printf("bare fwrite+fflush  %9.0f records/s\n", kRecords / bare);
    std::printf("history store       %9.0f records/s  %.2fx the bare loop's time\n", kRecords / store, store / bare);
    std::printf("worker thread       %9.0f records/s  %.2fx the bare loop's time\n", kRecords / worker, worker / bare);
    return 0;
}
