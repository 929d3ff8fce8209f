// Start-up in its own folder: the outcomes of the password step and of the
// start-up settings file, the command line's file, and one instance per user.
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "model/SettingsFile.h"
#include "app/Application.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {
using Strings = std::vector<std::string>;

void WriteSettings(const std::string& path, const char* password, int switchCount) {
    auto data = MakeSettingData();
    data->SettingPassword = password;
    data->System.SwitchCnt = static_cast<uint8_t>(switchCount);
    RecordingPrompt quiet;
    ASSERT_TRUE(WriteSettingsFile(*data, path, quiet));
}

TEST(Startup, PasswordAndStartupFileOutcomes) {
    struct Case {
        const char* name;
        std::string file;  // NX420.txt; "-" none
        bool answer;       // of the Password Input dialog
        bool starts;
        int asked;
        Strings texts;
        std::string title;
        int switchCount;
    };
    const std::string malformed = "Password=00********************\nPcConnect=0\n";
    const Case cases[] = {
        {"no NX420.txt", "-", false, true, 0, {}, "NX420.txt - NX420", 1},
        {"empty password", "empty", false, true, 0, {}, "NX420.txt - NX420", 5},
        {"password, OK", "abc", true, true, 1, {}, "NX420.txt - NX420", 5},
        {"password, Cancel", "abc", false, false, 1, {}, "", 0},
        {"error", "Password=x\n", false, false, 0, {"Incorrect setting file.\n Password Error"}, "", 0},
        {"err02", "\n", false, false, 0, {"Incorrect setting file. Key information\n Password= not found."}, "", 0},
        {"not a settings file", malformed, false, true, 0,
         {"Incorrect setting file. Key information\n [Maintenance] not found.\nDefault Data setting"},
         "Untitled - NX420", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir(true);
        if (c.file == "empty") WriteSettings("NX420.txt", "", 5);
        else if (c.file == "abc") WriteSettings("NX420.txt", "abc", 5);
        else if (c.file != "-") WriteWholeFile("NX420.txt", c.file);
        RecordingPrompt prompt;
        ScopedAppPrompt scoped(prompt);
        int asked = 0;
        std::string seen;
        auto program = StartProgram(CommandLine{}, "/usr/local/bin/nx420", nullptr, [&](FixedText<20>& pw) {
            ++asked;
            seen = pw.Str();
            return c.answer;
        });
        EXPECT_EQ(program != nullptr, c.starts);
        EXPECT_EQ(asked, c.asked);
        if (asked) {
            EXPECT_EQ(seen, "abc");
        }
        EXPECT_EQ(prompt.Texts(), c.texts);
        if (!program) continue;
        CMainFrame* frame = program->Frame.get();
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->windowTitle().toStdString(), c.title);
        EXPECT_EQ(frame->View()->Model().System.SwitchCnt, c.switchCount);
        EXPECT_EQ(frame->View()->Model().Modified, 0);
        EXPECT_EQ(frame->View()->State().WorkFilePath, "/usr/local/NX420work.txt");
    }
}

TEST(Startup, FileOnTheCommandLineIsOpened) {
    TempDir dir(true);
    WriteSettings("NX420.txt", "", 1);
    WriteSettings("site.txt", "pw", 7);
    RecordingPrompt prompt;
    ScopedAppPrompt scoped(prompt);
    CommandLine line;
    line.File = "site.txt";
    line.Connection.Ports[0] = "/dev/pts/9";
    auto program = StartProgram(line, "/x/nx420", nullptr, [](FixedText<20>&) { return false; });
    ASSERT_TRUE(program);
    CMainFrame* frame = program->Frame.get();
    EXPECT_EQ(frame->windowTitle(), "site.txt - NX420");
    EXPECT_EQ(frame->View()->Model().System.SwitchCnt, 7);
    EXPECT_EQ(frame->View()->Model().SettingPassword.Str(), "pw");
    EXPECT_EQ(frame->View()->State().Connection.Ports[0], "/dev/pts/9");
    EXPECT_EQ(frame->Recent().Paths(), Strings{"site.txt"});
    EXPECT_TRUE(prompt.Messages.empty());
}

// The program itself, twice: the second start ends at once, silently, status 0.
TEST(Startup, SecondInstanceEndsAtOnce) {
    TempDir dir(true);
    TempDir runtime;  // a lock folder of this test alone
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    const auto start = [&](QProcess& p, const QStringList& args) {
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(QString::fromStdString(dir.Path()));
        p.start(NX420_PROGRAM, args);
        return p.waitForStarted(30000);
    };
    QProcess first;
    ASSERT_TRUE(start(first, {"--report-idle"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.canReadLine() || first.state() == QProcess::NotRunning; }, 60000));
    ASSERT_EQ(first.readLine(), "idle\n");

    QProcess second;
    ASSERT_TRUE(start(second, {"--report-idle", "--exit-when-idle"}));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), "");  // never reached its window
    EXPECT_EQ(second.readAllStandardError(), "");
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    // With the first gone the lock is free again.
    QProcess third;
    ASSERT_TRUE(start(third, {"--report-idle", "--exit-when-idle"}));
    ASSERT_TRUE(third.waitForFinished(60000));
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_EQ(third.readAllStandardOutput(), "idle\n");
}
}  // namespace
