// Start-up in its own folder: the outcomes of the password step, of the
// start-up settings file and of the command line's file; one instance per user.
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include "app/Application.h"
#include "model/SettingsFile.h"
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

TEST(Startup, PasswordStartupFileAndCommandLineOutcomes) {
    const std::string malformed = "Password=00********************\nPcConnect=0\n";
    const struct {
        const char* name;
        std::string file;  // NX420.txt: "-" none, "" or "abc" a settings file with that password
        const char* open;  // the command line's file (password "pw", 7 exchanges); "" none
        bool answer;       // of the Password Input dialog
        int asked;
        Strings texts;
        std::string title;  // "" when the program does not start
        int switchCount;
    } cases[] = {
        {"no NX420.txt", "-", "", false, 0, {}, "NX420.txt - NX420", 1},
        {"empty password", "", "", false, 0, {}, "NX420.txt - NX420", 5},
        {"password, OK", "abc", "", true, 1, {}, "NX420.txt - NX420", 5},
        {"password, Cancel", "abc", "", false, 1, {}, "", 0},
        {"error", "Password=x\n", "", false, 0, {"Incorrect setting file.\n Password Error"}, "", 0},
        {"err02", "\n", "", false, 0, {"Incorrect setting file. Key information\n Password= not found."}, "", 0},
        {"not a settings file", malformed, "", false, 0,
         {"Incorrect setting file. Key information\n [Maintenance] not found.\nDefault Data setting"},
         "Untitled - NX420", 1},
        {"file on the command line", "", "site.txt", false, 0, {}, "site.txt - NX420", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir(true);
        if (c.file.empty() || c.file == "abc") WriteSettings("NX420.txt", c.file.c_str(), 5);
        else if (c.file != "-") WriteWholeFile("NX420.txt", c.file);
        if (*c.open) WriteSettings(c.open, "pw", 7);
        RecordingPrompt prompt;
        ScopedAppPrompt scoped(prompt);
        CommandLine line;
        line.File = c.open;
        line.Connection.Ports[0] = "/dev/pts/9";
        int asked = 0;
        auto program = StartProgram(line, "/usr/local/bin/nx420", nullptr, [&](FixedText<20>& pw) {
            EXPECT_EQ(pw.Str(), "abc");
            ++asked;
            return c.answer;
        });
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(prompt.Texts(), c.texts);
        ASSERT_EQ(program != nullptr, !c.title.empty());
        if (!program) continue;
        CMainFrame* frame = program->Frame.get();
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->windowTitle().toStdString(), c.title);
        const SettingData& model = frame->View()->Model();
        EXPECT_EQ(model.System.SwitchCnt, c.switchCount);
        EXPECT_EQ(model.SettingPassword.Str(), *c.open ? "pw" : c.asked ? "abc" : "");
        EXPECT_EQ(model.Modified, 0);
        EXPECT_EQ(frame->View()->State().WorkFilePath, "/usr/local/NX420work.txt");
        EXPECT_EQ(frame->View()->State().Connection.Ports[0], "/dev/pts/9");
        EXPECT_EQ(frame->Recent().Paths(), *c.open ? Strings{c.open} : Strings{});
    }
}

// The program itself: a second start ends at once, silently, status 0; once
// the first is killed the lock is free again.
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
    QProcess first, second, third;
    ASSERT_TRUE(start(first, {"--report-idle"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.canReadLine() || first.state() == QProcess::NotRunning; }, 60000));
    ASSERT_EQ(first.readLine(), "idle\n");

    ASSERT_TRUE(start(second, {"--report-idle", "--exit-when-idle"}));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), "");  // never reached its window
    EXPECT_EQ(second.readAllStandardError(), "");
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(start(third, {"--report-idle", "--exit-when-idle"}));
    ASSERT_TRUE(third.waitForFinished(60000));
    EXPECT_EQ(third.exitCode(), 0);
    EXPECT_EQ(third.readAllStandardOutput(), "idle\n");
}
}  // namespace
