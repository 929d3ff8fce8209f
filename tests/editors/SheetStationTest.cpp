// The Stations sheet offscreen: its selector and pages, edits through both
// grids, focus on a failed check, Upload of the page shown, and the shell
// opening it at a station check fault after Global Setting.
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>
#include <tuple>

#include "editors/EditorWindowSupport.h"
#include "app/FakeServices.h"
#include "editors/DlgSystem.h"
#include "editors/PageMaster.h"
#include "editors/PageSub.h"
#include "editors/SheetStation.h"
#include "app/MainFrame.h"

namespace {
using Strings = std::vector<std::string>;

struct StationEditor : EditorWindowTest {
    std::unique_ptr<CSheetStation> sheet;
    void Open() {
        sheet = std::make_unique<CSheetStation>(nullptr, context, nullptr);
        sheet->show();
    }
    GridWidget& Masters() { return *sheet->MasterPage()->Grid(); }
    GridWidget& Subs() { return *sheet->SubPage()->Grid(); }
    QStringList SelectorItems() {
        QStringList out;
        for (int i = 0; i < sheet->Selector()->count(); ++i) out << sheet->Selector()->itemText(i);
        return out;
    }
};
}  // namespace

TEST(SheetStation, SelectorEditsAndOverwriteOfBothPages) {
    StationEditor e;
    e.Open();
    EXPECT_EQ(e.SelectorItems(), (QStringList{"1", "2", "ALL"}));
    EXPECT_EQ(e.Subs().horizontalHeaderItem(kSubCalledExchange)->text(), "Called\n Exchange");
    e.sheet->Selector()->setCurrentIndex(2);  // ALL: every exchange in use, in order
    ASSERT_EQ(e.Masters().rowCount(), 8);
    EXPECT_EQ(e.Masters().CellText(4, kMasterStation), "280");
    e.sheet->Selector()->setCurrentIndex(0);

    GridWidget& m = e.Masters();
    // A station named after its number follows the new number in its row.
    ASSERT_TRUE(TypeIntoCell(m, 0, kMasterStation, "182"));
    EXPECT_EQ(m.CellText(0, kMasterName), "182");
    ASSERT_TRUE(TypeIntoCell(m, 2, kMasterStation, "183"));
    // The other page shows the master's new number once it is turned to.
    e.sheet->Pages()->setCurrentIndex(kPageSubs);
    GridWidget& s = e.Subs();
    ASSERT_TRUE(TypeIntoCell(s, 0, kSubCalledLine, "3"));
    EXPECT_EQ(s.CellText(0, kSubCalledStation), "183");
    ASSERT_TRUE(TypeIntoCell(s, 1, kSubPriority, "Emergency"));
    EXPECT_EQ(e.model->Exchange(1).Master[0].Number.Str(), "180");  // only the copy changed

    e.sheet->OverwriteButton()->click();
    EXPECT_TRUE(e.prompt.Messages.empty());
    const SwitchData& x1 = e.model->Exchange(1);
    EXPECT_EQ(std::tuple(x1.Master[0].Name.Str(), int(x1.Master[2].NumberValue), int(x1.Sub[0].CallStNo),
                         int(x1.Sub[1].Level)),
              std::tuple(std::string("182"), 183, 3, 1));
    e.sheet->CloseButton()->click();
    EXPECT_TRUE(e.prompt.Messages.empty());
    EXPECT_FALSE(e.sheet->isVisible());
}

TEST(SheetStation, KeyboardAndTheLongestRunningNumber) {
    StationEditor e;
    e.model->System.SwitchCnt = 16;
    e.Open();
    CSheetStation& sheet = *e.sheet;
    EXPECT_EQ(TabCycle(sheet), (std::vector<QWidget*>{sheet.Selector(), sheet.Pages()->tabBar(), &e.Masters(),
                                                      sheet.PrintButton(), sheet.UploadButton(),
                                                      sheet.OverwriteButton(), sheet.CloseButton()}));
    // A number typed into the open selector selects nothing.
    sheet.Selector()->showPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.Selector()->view()));
    for (Qt::Key key : {Qt::Key_2, Qt::Key_Return}) QTest::keyClick(sheet.Selector()->view(), key);
    EXPECT_EQ(sheet.Selector()->currentText(), "1");
    // ALL on the substations page counts to 1024; the number shows whole.
    sheet.Selector()->setCurrentIndex(16);
    sheet.Pages()->setCurrentIndex(kPageSubs);
    GridWidget& s = e.Subs();
    ASSERT_EQ(s.rowCount(), 1024);
    const int margin = s.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &s) + 1;
    EXPECT_GE(s.visualRect(s.model()->index(1023, 0)).width() - 2 * margin, s.fontMetrics().horizontalAdvance("1024"));
}

TEST(SheetStation, FailedCheckTurnsToItsPageExchangeAndCell) {
    struct Case {
        const char* Name;
        void (*Break)(SettingData&);
        const char* Message;
        int Page, SelectorAfter, Row, Column;
    };
    const Case cases[] = {
        {"called master", [](SettingData& d) { d.Exchange(1).Sub[0].CallStNo = 3; },
         "Substations\nDialing incorrect exchange-equipment No.(1-1)", kPageSubs, 0, 0, kSubCalledExchange},
        {"forwarding target", [](SettingData& d) { d.Exchange(2).Master[0].CnvTelNo = "999"; },
         "Incorrect Call Transfer during Conversation", kPageMasters, 1, 0, kMasterBusyFwd},
    };
    for (const Case& c : cases) {
        StationEditor e;
        c.Break(*e.model);
        e.Open();  // on exchange 1
        e.sheet->OnOverwrite();
        ASSERT_EQ(e.prompt.Texts(), Strings{c.Message}) << c.Name;
        GridWidget& grid = c.Page == kPageSubs ? e.Subs() : e.Masters();
        EXPECT_EQ(std::tuple(e.sheet->Pages()->currentIndex(), e.sheet->Selector()->currentIndex(), grid.currentRow(),
                             grid.currentColumn(), int(e.model->Modified)),
                  std::tuple(c.Page, c.SelectorAfter, c.Row, c.Column, 0))
            << c.Name;
    }
}

TEST(SheetStation, UploadSendsThePageShownForTheSelection) {
    StationEditor e;
    e.model->System.SwitchCnt = 1;
    e.Open();
    EXPECT_EQ(e.SelectorItems(), QStringList{"1"});  // one exchange: no "ALL"
    e.prompt.Answers = {PromptAnswer::Ok, PromptAnswer::Ok};
    e.sheet->OnUpload();
    e.link.AnswerAll(kTransferDone);
    e.sheet->Pages()->setCurrentIndex(kPageSubs);
    e.sheet->OnUpload();
    e.link.AnswerAll(kTransferDone);
    Strings sent(4, "B01");
    sent.insert(sent.end(), 4, "U01");
    sent.push_back("release/2");
    sent.insert(sent.end(), 64, "C01");
    sent.push_back("release/2");
    EXPECT_EQ(Sent(e.link), sent);
}

TEST(SheetStation, ShellOpensItAfterGlobalSettingAtTheFault) {
    EditorWindowTest t;
    ShellState state;
    FakeServices services;
    auto frame = std::make_unique<CMainFrame>(nullptr, state, services, &t.link.session);
    CTR420View& view = *frame->View();
    view.Model() = *t.model;
    view.Model().CurrentFilePath = t.dir.File("saved.txt");

    // Each modal editor is driven from a timer that runs inside its loop.
    std::vector<std::string> seen;
    bool breakNumbering = true;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* system = qobject_cast<CDlgSystem*>(w)) {
            seen.push_back("system");
            if (!breakNumbering) return system->CloseButton()->click();
            // Exchange 2 now starts at 250: its substations 201 and 202 fall outside.
            TypeIntoCell(*system->Grid(), 1, 1, "250");
            system->OverwriteButton()->click();
            // Ctrl+S inside the editor is the main window's Save.
            for (QShortcut* key : system->findChildren<QShortcut*>()) emit key->activated();
            system->CloseButton()->click();
        } else if (auto* sheet = qobject_cast<CSheetStation*>(w)) {
            seen.push_back("stations " + std::to_string(sheet->Pages()->currentIndex()) + " " +
                           sheet->Selector()->currentText().toStdString() + " " +
                           std::to_string(sheet->SubPage()->Grid()->currentRow()) + " " +
                           std::to_string(sheet->SubPage()->Grid()->currentColumn()));
            sheet->CloseButton()->click();
        }
    });
    driver.start(0);
    view.OpenCategory(Category::GlobalSetting);
    EXPECT_EQ(seen, (Strings{"system", "stations 1 2 0 3"}));
    EXPECT_EQ(view.Model().System.SwNumber[1].Value, 250);
    EXPECT_EQ(view.Model().Modified, 0);
    EXPECT_NE(ReadWholeFile(t.dir.File("saved.txt")).find("250"), std::string::npos);
    EXPECT_TRUE(t.prompt.Messages.empty());

    // Without a fault only the Global Setting editor opens.
    seen.clear();
    breakNumbering = false;
    view.Model().System.SwNumber[1] = t.model->System.SwNumber[1];
    view.OpenCategory(Category::GlobalSetting);
    EXPECT_EQ(seen, Strings{"system"});
}
