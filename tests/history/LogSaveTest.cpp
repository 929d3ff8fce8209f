// The history worker on its own thread: every posted record becomes a line, in order.
#include <gtest/gtest.h>

#include <mutex>

#include "history/CTHLogSave.h"
#include "maintenance/HistoryLines.h"
#include "support/TempDir.h"

namespace {

TEST(CTHLogSave, EveryRecordPostedIsWrittenInOrder) {
    TempDir dir;
    SetClockSource([] { return ClockReading{2002, 12, 5, 14, 30, 7, 0, 4}; });
    std::mutex m;
    std::vector<std::string> told;
    constexpr int kRecords = 3000;  // more than two files of log lines
    WorkFileNames names;
    std::string expectedLog;
    {
        CTHLogSave worker({}, [&](const char* message) {
            std::lock_guard<std::mutex> lock(m);
            told.emplace_back(message);
        });
        worker.ChooseFolder(HistoryOf::Log, dir.File("log"));  // missing: monitor goes on alone
        worker.ChooseFolder(HistoryOf::Monitor, dir.Path());
        for (int i = 0; i < kRecords; ++i) {
            const std::string n = std::to_string(1000 + i);
            worker.Post(BuildLogRecord("o01 " + n));
            worker.Post(*BuildMonitorRecord("p01004" + n));
        }
        ASSERT_TRUE(worker.Quit(60000));
        names = worker.Names();
    }
    SetClockSource({});
    EXPECT_EQ(told, std::vector<std::string>{"Log Data File could not be opened"});
    EXPECT_EQ(names.Monitor, dir.File("CM021205-02.txt"));
    std::string all = ReadWholeFile(dir.File("CM021205-01.txt")) + ReadWholeFile(names.Monitor);
    std::string expected;
    for (int i = 0; i < kRecords; ++i) expected += "20021205143007p01004" + std::to_string(1000 + i) + "\r\n";
    EXPECT_EQ(all, expected);
}

}  // namespace
