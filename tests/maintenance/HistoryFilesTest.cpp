// History file names, lines, the roll-over and the work file; the store in a
// temporary folder with a fixed clock.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

#include "maintenance/HistoryLines.h"
#include "maintenance/HistoryStore.h"
#include "maintenance/WorkFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {

ClockReading Day(int day, int hour = 14) { return {2002, 12, day, hour, 30, 7, 0, 4}; }

// Every line in every file of folder.
int LinesIn(const std::string& folder) {
    int n = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const std::string bytes = ReadWholeFile(file.path());
        for (std::size_t p = 0; (p = bytes.find("\r\n", p)) != std::string::npos; p += 2) ++n;
    }
    return n;
}

TEST(HistoryNames, BuildAndParse) {
    const HistoryDate day{2, 12, 5};
    EXPECT_EQ(AutoFileName("/var/logs", kLogPrefix, day, 3), "/var/logs/HS021205-03.txt");
    EXPECT_EQ(AutoFileName("", kMonitorPrefix, day, 12), "CM021205-12.txt");
    EXPECT_EQ(AutoFileName("/", kLogPrefix, day, 1), "/HS021205-01.txt");
    EXPECT_EQ(DataSaveName("/d", kLogPrefix, Day(5)), "/d/HS021205143007.txt");
    EXPECT_EQ(DataSaveName("", kMonitorPrefix, Day(5)), "CM021205143007.txt");
    EXPECT_EQ(ChosenFolder("/var/logs/"), "/var/logs");
    EXPECT_EQ(ChosenFolder("/"), "/");

    const struct {
        const char* name;
        const char* folder;
        HistoryDate date;
        int sequence;
    } cases[] = {
        {"/var/logs/HS021205-03.txt", "/var/logs", {2, 12, 5}, 3},
        {"/HS021205-01.txt", "/", {2, 12, 5}, 1},
        {"a/CM991231-99.txt", "a", {99, 12, 31}, 99},
        {"HS021205-01.txt", "", {}, 0},     // no folder: 15 characters, not usable
        {"", "", {}, 0},
        {"/logs/HS02x205-01.txt", "", {}, 0},  // not digits
        {"/logs/x-y/HS0212-1.txt", "", {}, 0},
    };
    for (const auto& c : cases) {
        const StoredName s = ParseStoredName(c.name);
        EXPECT_EQ(s.Folder, c.folder) << c.name;
        EXPECT_EQ(s.Date, c.date) << c.name;
        EXPECT_EQ(s.Sequence, c.sequence) << c.name;
    }
}

TEST(HistoryLines, LogAndMonitorLines) {
    const LogRecord log = BuildLogRecord("o01 0512 1 2 3 4 05", Day(5));
    EXPECT_EQ(LogLine(log, LineBytes::All), "20021205143007o01 0512 1 2 3 4 05                \r\n");
    LogRecord zero = log;
    zero.Bytes[20] = 0;
    EXPECT_EQ(LogLine(zero, LineBytes::UpToZero), "20021205143007o01 05\r\n");
    EXPECT_EQ(LogLine(zero, LineBytes::All).size(), 51u);

    const auto monitor = BuildMonitorRecord(std::string("p02005ab\0de", 11), Day(5));
    ASSERT_TRUE(monitor);
    EXPECT_EQ(MonitorLine(*monitor, LineBytes::All), std::string("20021205143007p02005ab\0de\r\n", 27));
    EXPECT_EQ(MonitorLine(*monitor, LineBytes::UpToZero), "20021205143007p02005ab\r\n");
}

TEST(HistoryRollOver, WhenANewFileStarts) {
    const struct {
        RollOver r;
        bool needed;
    } cases[] = {
        {{false, 0, false}, true},      {{true, 65536, false}, false}, {{true, 65537, false}, true},
        {{true, 65600, false}, true},   {{true, 10, true}, true},      {{true, 65600, false, true}, false},
        {{true, 65600, true, true}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.r.Needed(), c.needed) << c.r.Size;
    EXPECT_EQ(NextSequence(0, false), 1);
    EXPECT_EQ(NextSequence(98, false), 99);
    EXPECT_EQ(NextSequence(99, false), 1);
    EXPECT_EQ(NextSequence(7, true), 1);
}

struct Store {
    std::vector<std::string> told;
    HistoryStore store{kLogHistory, [this](const char* m) { told.emplace_back(m); }};
};

// 65,536 bytes take 1,285 lines of 51; 99 files of the day, then the wrap:
// every line is somewhere, no file was emptied.
TEST(HistoryStore, NothingIsLostAcrossRollOversTheWrapAndAFolder) {
    TempDir dir;
    FixedClock clock(Day(5));
    const std::string line = LogLine(BuildLogRecord("o01 0512 1 2 3 4 05", Day(5)), LineBytes::All);
    const int perFile = static_cast<int>(kHistoryFileLimit / line.size()) + 1;
    Store s;
    s.store.Start("");
    s.store.ChooseFolder(dir.Path());
    const int total = perFile * 99 + 10;
    for (int i = 0; i < total; ++i) s.store.Write(line);
    EXPECT_EQ(LinesIn(dir.Path()), total);
    EXPECT_EQ(s.store.Name(), dir.File("HS021205-01.txt"));  // every file full: appended to the one picked
    EXPECT_TRUE(s.told.empty());

    // The same folder chosen again, a new day, then the day after: appended, never emptied.
    s.store.ChooseFolder(dir.Path());
    s.store.Write(line);
    EXPECT_EQ(LinesIn(dir.Path()), total + 1);
    clock.Set(Day(6));
    for (int i = 0; i < perFile + 1; ++i) s.store.Write(line);
    EXPECT_EQ(s.store.Name(), dir.File("HS021206-02.txt"));
    EXPECT_EQ(LinesIn(dir.Path()), total + 2 + perFile);
}

TEST(HistoryStore, StartTakesUpTodaysRememberedFile) {
    TempDir dir;
    FixedClock clock(Day(5));
    WriteWholeFile(dir.File("HS021205-04.txt"), "earlier\r\n");
    WriteWholeFile(dir.File("HS021204-07.txt"), "yesterday\r\n");
    const struct {
        std::string remembered;
        std::string first;  // the file the first record goes to
    } cases[] = {
        {dir.File("HS021205-04.txt"), dir.File("HS021205-04.txt")},
        {dir.File("HS021204-07.txt"), dir.File("HS021205-01.txt")},
        {"", "HS021205-01.txt"},
    };
    TempDir cwd(true);  // a name without folder lands in the current folder
    for (const auto& c : cases) {
        Store s;
        s.store.Start(c.remembered);
        s.store.Write("x\r\n");
        s.store.Close();
        EXPECT_EQ(s.store.Name(), c.first) << c.remembered;
        EXPECT_NE(ReadWholeFile(c.first).find("x\r\n"), std::string::npos);
    }
    EXPECT_EQ(ReadWholeFile(dir.File("HS021205-04.txt")), "earlier\r\nx\r\n");
}

TEST(HistoryStore, FailuresAreToldOncePerRun) {
    TempDir dir;
    FixedClock clock(Day(5));
    {
        Store s;  // a folder that cannot be made a file in: told once, then nothing is saved
        s.store.Start("");
        s.store.ChooseFolder(dir.File("missing"));
        s.store.Write("a\r\n");
        s.store.ChooseFolder(dir.Path());
        s.store.Write("b\r\n");
        EXPECT_EQ(s.told, std::vector<std::string>{"Log Data File could not be opened"});
        EXPECT_TRUE(s.store.Disabled());
        EXPECT_EQ(LinesIn(dir.Path()), 0);
    }
    // A file size limit: one message for the run of failures, and again after a success.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    Store s;
    s.store.Start("");
    s.store.ChooseFolder(dir.Path());
    s.store.Write("0123456789\r\n");
    rlimit small = old;
    small.rlim_cur = 12;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    for (int i = 0; i < 3; ++i) s.store.Write("more\r\n");
    setrlimit(RLIMIT_FSIZE, &old);
    s.store.Write("ok\r\n");
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    s.store.Write("more\r\n");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(s.told, (std::vector<std::string>{"Log Data File could not be written", "Log Data File could not be written"}));
    EXPECT_EQ(ReadWholeFile(dir.File("HS021205-01.txt")), "0123456789\r\nok\r\n");
}

TEST(WorkFile, ReadWriteAndTheKeyMessage) {
    TempDir dir;
    const std::string path = dir.File("NX420work.txt");
    RecordingPrompt prompt;
    EXPECT_EQ(ReadWorkFile(path, prompt).History, "");  // missing: written anew, nothing said
    EXPECT_TRUE(prompt.Messages.empty());
    EXPECT_EQ(ReadWholeFile(path), "[File Name]\nHistory=\nMonitor=\n");
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);

    ASSERT_TRUE(WriteWorkFile(path, {"/l/HS021205-03.txt", "/m/CM021205-01.txt"}));  // over the read-only file
    const WorkFileNames names = ReadWorkFile(path, prompt);
    EXPECT_EQ(names.History, "/l/HS021205-03.txt");
    EXPECT_EQ(names.Monitor, "/m/CM021205-01.txt");

    chmod(path.c_str(), 0644);
    WriteWholeFile(path, "[File Name]\nHistory=x\nMonitr=y\n");
    EXPECT_EQ(ReadWorkFile(path, prompt).History, "");
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Incorrect setting file. Key information\n Monitor= not found.\nDefault Data setting"});
    EXPECT_EQ(ReadWholeFile(path), "[File Name]\nHistory=\nMonitor=\n");
}

TEST(WorkFile, FolderFallsBackToTheUsersStateFolder) {
    TempDir dir;
    setenv("XDG_STATE_HOME", dir.File("state").c_str(), 1);
    EXPECT_EQ(WorkFileFolder(dir.Path() + "/"), dir.Path() + "/");
    EXPECT_EQ(WorkFileFolder("/nonexistent/"), dir.File("state/nx420/"));
    struct stat st {};
    EXPECT_EQ(stat(dir.File("state/nx420").c_str(), &st), 0);
    unsetenv("XDG_STATE_HOME");
}

}  // namespace
