// The main window offscreen: its shape, the panel's guards and colours, the
// menu's document commands and the exit procedure.
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <cstdio>
#include <QTest>
#include <gtest/gtest.h>

#include "app/FakeServices.h"
#include "app/MainFrame.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "link/MessageEvent.h"

namespace {
using Strings = std::vector<std::string>;

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
    FakeServices services;
    std::unique_ptr<CMainFrame> frame = std::make_unique<CMainFrame>(nullptr, services);
    CTR420View& view = *frame->View();

    Window() {
        frame->show();
        view.OnInitialUpdate("/opt/nx420/");
        frame->UpdateTitle();
    }
    ~Window() {
        frame.reset();
        for (const Category id : {Category::GlobalSetting, Category::Stations, Category::LogData,
                                  Category::CommunicationMonitor})
            SetCategoryOpener(id, nullptr);
        SetStationCheck(nullptr);
    }
};

TEST(MainFrame, ShapeMenusAndPanel) {
    Window w;
    EXPECT_EQ(w.frame->minimumSize(), QSize(640, 520));
    EXPECT_EQ(w.frame->maximumSize(), QSize(640, 520));
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

    QStringList groups;
    for (const QGroupBox* g : w.view.findChildren<QGroupBox*>()) groups << g->title();
    EXPECT_EQ(groups, (QStringList{"System", "Lines", "Functions", "Maintenance/Control Functions", "NX-420DI"}));
    QStringList buttons;
    for (const QPushButton* b : w.view.findChildren<QPushButton*>()) buttons << b->text();
    buttons.sort();
    QStringList expected{"Global Setting", "Stations", "C/O Trunks", "Group Call", "Call Forwarding/Time-Out",
                         "Scan Monitor", "Paging", "Emergency Conference", "Direct Select", "Remote Dialing",
                         "Log Data", "Communication Monitor", "Upload/Download", "Printout", "PC Port",
                         "Dialing Assignment", "Exit"};
    expected.sort();
    EXPECT_EQ(buttons, expected);
    EXPECT_EQ(w.services.Calls, (Strings{"LoadWorkFile /opt/nx420/NX420work.txt", "StartWorkers", "StartLink"}));
}

TEST(MainFrame, ReadingFlagsPaintTheirButtonsRed) {
    Window w;
    struct Case {
        int message;
        Category button;
        bool ShellState::*flag;
    };
    const Case cases[] = {{UM_LOG_READING, Category::LogData, &ShellState::LogReadingActive},
                          {UM_MONITOR_READING, Category::CommunicationMonitor, &ShellState::MonitorReadingActive}};
    for (const Case& c : cases) {
        QPushButton* button = w.view.Button(c.button);
        const QColor normal = button->palette().color(QPalette::Button);
        ASSERT_NE(normal, QColor(Qt::red));
        PostMessage(&w.view, c.message, 1);
        QCoreApplication::processEvents();
        EXPECT_TRUE(w.view.State().*c.flag);
        EXPECT_EQ(button->palette().color(QPalette::Button), QColor(Qt::red));
        PostMessage(&w.view, c.message, 0);
        QCoreApplication::processEvents();
        EXPECT_FALSE(w.view.State().*c.flag);
        EXPECT_EQ(button->palette().color(QPalette::Button), normal);
    }
}

TEST(MainFrame, ButtonsOpenTheirWindowsBehindTheGuards) {
    Window w;
    Strings opened;
    for (const Category id : {Category::LogData, Category::CommunicationMonitor, Category::Stations,
                              Category::GlobalSetting})
        SetCategoryOpener(id, [&opened, id](CTR420View& view) {
            EXPECT_EQ(&view, MainView());
            opened.push_back(std::to_string(static_cast<int>(id)));
        });
    bool fault = true;
    SetStationCheck([&](const SettingData&) { return fault; });

    w.view.State().MonitorReadingActive = true;
    QTest::mouseClick(w.view.Button(Category::LogData), Qt::LeftButton);
    w.view.State().MonitorReadingActive = false;
    w.view.State().LogReadingActive = true;
    QTest::mouseClick(w.view.Button(Category::CommunicationMonitor), Qt::LeftButton);
    EXPECT_EQ(w.prompt.Texts(), (Strings{"Reading communication data. Please stop reading and try it again.",
                                         "Reading log data. Please stop reading and try it again."}));
    EXPECT_EQ(w.prompt.Messages[0].Icon, PromptIcon::Exclamation);
    EXPECT_TRUE(opened.empty());

    QTest::mouseClick(w.view.Button(Category::LogData), Qt::LeftButton);  // its own reading: opens
    QTest::mouseClick(w.view.Button(Category::GlobalSetting), Qt::LeftButton);  // fault: Stations follow
    fault = false;
    QTest::mouseClick(w.view.Button(Category::GlobalSetting), Qt::LeftButton);
    QTest::mouseClick(w.view.Button(Category::Paging), Qt::LeftButton);  // not built: nothing
    const auto n = [](Category id) { return std::to_string(static_cast<int>(id)); };
    EXPECT_EQ(opened, (Strings{n(Category::LogData), n(Category::GlobalSetting), n(Category::Stations),
                               n(Category::GlobalSetting)}));
    EXPECT_EQ(w.prompt.Messages.size(), 2u);
}

TEST(MainFrame, MenuCommandsAndTitle) {
    Window w;
    w.view.Model().Modified = 1;
    w.frame->NewAction()->trigger();  // answered No: nothing changes
    EXPECT_EQ(w.prompt.Texts(), Strings{"Set file not saved.\nDefault Data setting. OK?"});
    EXPECT_EQ(w.frame->windowTitle(), "NX420.txt - NX420");
    w.prompt.Answers = {PromptAnswer::Yes};
    w.frame->NewAction()->trigger();
    EXPECT_EQ(w.frame->windowTitle(), "Untitled - NX420");
    EXPECT_EQ(w.view.Model().Modified, 0);

    w.prompt.FileAnswers = {w.dir.File("site.txt")};
    w.frame->SaveAction()->trigger();  // no file yet: Save As
    EXPECT_EQ(w.frame->windowTitle(), "site.txt - NX420");

    w.frame->PrintAction()->trigger();
    EXPECT_EQ(w.services.Calls.back(), "PrintAll");
}

TEST(MainFrame, ExitAsksThenShutsDownInOrder) {
    Window w;
    w.view.Model().Modified = 1;
    QTest::mouseClick(w.view.Button(Category::Exit), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.prompt.Messages.size() == 1; }, 5000));  // answered No
    EXPECT_EQ(w.prompt.Texts(), Strings{"Set file not saved. Exit?"});
    EXPECT_TRUE(w.frame->isVisible());

    w.prompt.Answers = {PromptAnswer::Yes};
    EXPECT_FALSE(w.frame->close());  // the port closes first
    EXPECT_TRUE(w.frame->isVisible());
    EXPECT_EQ(w.view.State().ActivityMask, kActivityClosing);
    PostMessage(&w.view, UM_PORT_CLOSED);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.frame->isVisible(); }, 5000));
    w.services.Calls.clear();
    w.frame.reset();
    EXPECT_EQ(w.services.Calls, (Strings{"StopPrintOut", "StopLogSave", "EndLink", "SaveWorkFile"}));
    EXPECT_EQ(MainView(), nullptr);
}

TEST(MainFrame, ExitClosesEvenWhenThePortNeverReportsClosed) {
    Window w;
    EXPECT_FALSE(w.frame->close());  // waits for UM_PORT_CLOSED, which never comes
    EXPECT_TRUE(w.frame->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.frame->isVisible(); }, 10000));  // gives up after kPortCloseWaitMs
}
TEST(MainFrame, RecentFilesAreKeptInTheProfileAndOpenFromTheMenu) {
    TempDir dir(true);
    RecordingPrompt prompt;
    ScopedAppPrompt scoped(prompt);
    FakeServices services;
    QSettings profile(QString::fromStdString(dir.File("profile.ini")), QSettings::IniFormat);
    {
        CMainFrame frame(&profile, services);
        for (const char* name : {"a.txt", "b.txt"}) {
            prompt.FileAnswers = {dir.File(name)};
            frame.SaveAsAction()->trigger();
        }
    }
    EXPECT_EQ(profile.value("Recent File List/File1").toString().toStdString(), dir.File("b.txt"));
    EXPECT_EQ(profile.value("Recent File List/File2").toString().toStdString(), dir.File("a.txt"));

    CMainFrame frame(&profile, services);
    QStringList entries;
    QAction* first = nullptr;
    for (QAction* a : frame.menuBar()->actions()[0]->menu()->actions())
        if (a->text().startsWith("&1 ") || a->text().startsWith("&2 ")) {
            entries << a->text();
            if (!first) first = a;
        }
    EXPECT_EQ(entries, (QStringList{"&1 " + QString::fromStdString(dir.File("b.txt")),
                                    "&2 " + QString::fromStdString(dir.File("a.txt"))}));
    ASSERT_TRUE(first);
    std::remove(dir.File("b.txt").c_str());
    first->trigger();  // gone: reported and dropped from the list
    EXPECT_EQ(prompt.Texts(), Strings{"Set file Open Error"});
    EXPECT_EQ(frame.Recent().Paths(), Strings{dir.File("a.txt")});
    EXPECT_EQ(profile.value("Recent File List/File2").toString(), "");
}
}  // namespace
