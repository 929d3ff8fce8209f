// Start-up (password, start-up file, one instance per user) and the main window offscreen.
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/FakeServices.h"
#include "model/SettingsFile.h"
#include "protocol/LinkActivity.h"
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
        {"not a settings file", "Password=00********************\nPcConnect=0\n", "", false, 0,
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
        auto program = StartProgram(line, "/usr/local/bin/nx420", nullptr, [&](FixedText<20>&) {
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
    // Never reached its window, and silent.
    EXPECT_EQ(std::tuple(second.exitStatus(), second.exitCode(), second.readAll(), second.readAllStandardError()),
              std::tuple(QProcess::NormalExit, 0, QByteArray(), QByteArray()));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    ASSERT_TRUE(first.waitForFinished(30000));
    ASSERT_TRUE(start(third, {"--report-idle", "--exit-when-idle"}));
    ASSERT_TRUE(third.waitForFinished(60000));
    EXPECT_EQ(std::pair(third.exitCode(), third.readAllStandardOutput()), std::pair(0, QByteArray("idle\n")));
}

QStringList Texts(const QList<QAction*>& actions) {
    QStringList out;
    for (const QAction* a : actions)
        if (!a->isSeparator()) out << a->text();
    return out;
}

struct Window {
    TempDir dir{true};
    RecordingPrompt prompt;
    ScopedAppPrompt scoped{prompt};
    ShellState state;
    FakeServices services;
    QSettings profile{QString::fromStdString(dir.File("profile.ini")), QSettings::IniFormat};
    std::unique_ptr<CMainFrame> frame = std::make_unique<CMainFrame>(&profile, state, services, nullptr);
    CTR420View& view = *frame->View();

    Window() {
        frame->show();
        view.OnInitialUpdate("/opt/nx420/");
        frame->UpdateTitle();
    }
};

TEST(MainFrame, ShapePanelReadingGuardsAndMenuCommands) {
    Window w;
    EXPECT_EQ(std::pair(w.frame->minimumSize(), w.frame->maximumSize()), std::pair(QSize(640, 520), QSize(640, 520)));
    EXPECT_FALSE(w.frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.frame->windowTitle(), "NX420.txt - NX420");
    const QList<QAction*> menus = w.frame->menuBar()->actions();
    ASSERT_EQ(Texts(menus), (QStringList{"&File", "&Help"}));
    EXPECT_EQ(Texts(menus[0]->menu()->actions()),
              (QStringList{"&New...\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "&Print", "E&xit"}));
    EXPECT_EQ(Texts(menus[1]->menu()->actions()), QStringList{"&About..."});
    EXPECT_EQ(w.frame->NewAction()->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(w.frame->OpenAction()->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(w.frame->SaveAction()->shortcut(), QKeySequence("Ctrl+S"));

    QStringList groups, buttons;
    for (const QGroupBox* g : w.view.findChildren<QGroupBox*>()) groups << g->title();
    EXPECT_EQ(groups, (QStringList{"System", "Lines", "Functions", "Maintenance/Control Functions", "NX-420DI"}));
    // A button can be pressed only when its window exists: every one has it now.
    for (const QPushButton* b : w.view.findChildren<QPushButton*>()) {
        buttons << b->text();
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    }
    EXPECT_EQ(buttons, (QStringList{"Global Setting", "Stations", "C/O Trunks", "Group Call",
                                    "Call Forwarding/Time-Out", "Scan Monitor", "Paging", "Emergency Conference",
                                    "Remote Dialing", "Log Data", "Communication Monitor", "Upload/Download",
                                    "Printout", "PC Port", "Exit", "Direct Select", "Dialing Assignment"}));
    EXPECT_TRUE(w.frame->PrintAction()->isEnabled());
    EXPECT_EQ(w.services.Calls, Strings{"StartLink"});

    // A reading paints its button red and keeps the other reading's window shut.
    const struct {
        Category button, other;
        bool ShellState::*flag;
        const char* refusal;
    } cases[] = {{Category::LogData, Category::CommunicationMonitor, &ShellState::LogReadingActive,
                  "Reading log data. Please stop reading and try it again."},
                 {Category::CommunicationMonitor, Category::LogData, &ShellState::MonitorReadingActive,
                  "Reading communication data. Please stop reading and try it again."}};
    for (const auto& c : cases) {
        QPushButton* button = w.view.Button(c.button);
        const QColor normal = button->palette().color(QPalette::Button);
        ASSERT_NE(normal, QColor(Qt::red));
        w.view.SetReading(c.button, true);
        EXPECT_EQ(button->palette().color(QPalette::Button), QColor(Qt::red));
        w.view.OpenCategory(c.other);
        EXPECT_EQ(w.prompt.Texts(), Strings{c.refusal});
        EXPECT_EQ(w.prompt.Messages[0].Icon, PromptIcon::Exclamation);
        w.prompt.Messages.clear();
        w.view.SetReading(c.button, false);
        EXPECT_FALSE(w.state.*c.flag);
        EXPECT_EQ(button->palette().color(QPalette::Button), normal);
    }

    w.view.Model().Modified = 1;
    w.prompt.Answers = {PromptAnswer::Yes};
    w.frame->NewAction()->trigger();
    EXPECT_EQ(w.prompt.Texts(), Strings{"Set file not saved.\nDefault Data setting. OK?"});
    EXPECT_EQ(w.frame->windowTitle(), "Untitled - NX420");
    EXPECT_EQ(w.view.Model().Modified, 0);
    w.prompt.FileAnswers = {w.dir.File("site.txt")};
    w.frame->SaveAction()->trigger();  // no file yet: Save As
    EXPECT_EQ(w.frame->windowTitle(), "site.txt - NX420");
}

// The port's closing normally ends the exit (shown end to end with the
// simulator); here it never reports, and the window gives up waiting.
TEST(MainFrame, ExitAsksThenWaitsForThePortOnlySoLong) {
    Window w;
    w.view.Model().Modified = 1;
    QTest::mouseClick(w.view.Button(Category::Exit), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.prompt.Messages.size() == 1; }, 5000));  // answered No
    EXPECT_EQ(w.prompt.Texts(), Strings{"Set file not saved. Exit?"});
    EXPECT_TRUE(w.frame->isVisible());

    w.prompt.Answers = {PromptAnswer::Yes};
    EXPECT_FALSE(w.frame->close());
    EXPECT_TRUE(w.frame->isVisible());
    EXPECT_EQ(w.state.ActivityMask, LinkActivity::Closing);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.frame->isVisible(); }, 10000));  // after kPortCloseWaitMs
    w.services.Calls.clear();
    w.frame.reset();
    EXPECT_EQ(w.services.Calls, Strings{"EndLink"});
}

TEST(MainFrame, RecentFilesAreKeptInTheProfileAndOpenFromTheMenu) {
    Window w;
    for (const char* name : {"a.txt", "b.txt"}) {
        w.prompt.FileAnswers = {w.dir.File(name)};
        w.frame->SaveAsAction()->trigger();
    }
    w.frame.reset();
    EXPECT_EQ(w.profile.value("Recent File List/File1").toString().toStdString(), w.dir.File("b.txt"));
    EXPECT_EQ(w.profile.value("Recent File List/File2").toString().toStdString(), w.dir.File("a.txt"));

    CMainFrame frame(&w.profile, w.state, w.services, nullptr);
    QList<QAction*> entries;
    for (QAction* a : frame.menuBar()->actions()[0]->menu()->actions())
        if (a->text().startsWith("&1 ") || a->text().startsWith("&2 ")) entries << a;
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + QString::fromStdString(w.dir.File("b.txt")));
    EXPECT_EQ(entries[1]->text(), "&2 " + QString::fromStdString(w.dir.File("a.txt")));
    std::remove(w.dir.File("b.txt").c_str());
    entries[0]->trigger();  // gone: reported and dropped from the list
    EXPECT_EQ(w.prompt.Texts(), Strings{"Set file Open Error"});
    EXPECT_EQ(frame.Recent().Paths(), Strings{w.dir.File("a.txt")});
    EXPECT_EQ(w.profile.value("Recent File List/File2").toString(), "");
}
}  // namespace
