// The Stations sheet offscreen: its selector and pages, cell edits through the
// grids, Overwrite of both pages, focus on a failed check and on a station
// check fault, and the shell opening it after Global Setting.
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "EditorWindowSupport.h"
#include "comm/MessageEvent.h"
#include "editors/DlgSystem.h"
#include "editors/EditorOpeners.h"
#include "editors/PageMaster.h"
#include "editors/PageSub.h"
#include "editors/SheetStation.h"
#include "shell/MainFrame.h"

namespace {
using Strings = std::vector<std::string>;

struct StationEditor : EditorWindowTest {
    std::unique_ptr<CSheetStation> sheet;
    void Open(const StationFault* fault = nullptr) {
        sheet = std::make_unique<CSheetStation>(nullptr, *model, std::function<void()>{}, fault);
        sheet->show();
    }
    void PostResult(int code) {
        QCoreApplication::postEvent(sheet.get(), new MessageEvent(UM_TRANSFER_RESULT, code));
        QCoreApplication::sendPostedEvents(sheet.get());
    }
    GridWidget& Masters() { return *sheet->MasterPage()->Grid(); }
    GridWidget& Subs() { return *sheet->SubPage()->Grid(); }
    QStringList SelectorItems() {
        QStringList out;
        for (int i = 0; i < sheet->Selector()->count(); ++i) out << sheet->Selector()->itemText(i);
        return out;
    }
};

QStringList Titles(const GridWidget& grid) {
    QStringList out;
    for (int c = 0; c < grid.columnCount(); ++c) out << grid.horizontalHeaderItem(c)->text();
    return out;
}
}  // namespace

TEST(SheetStation, SelectorPagesAndColumns) {
    StationEditor e;
    e.Open();
    EXPECT_EQ(e.sheet->windowTitle(), "Stations");
    EXPECT_EQ(e.SelectorItems(), (QStringList{"1", "2", "ALL"}));
    EXPECT_EQ(e.sheet->findChild<QLabel*>()->text(), "Exchange No. (1-2):");
    EXPECT_EQ(e.sheet->Pages()->tabText(0), "Master Stations (Telephones)");
    EXPECT_EQ(e.sheet->Pages()->tabText(1), "Substations");
    EXPECT_EQ(Titles(e.Masters()).mid(1),
              (QStringList{"Exchange", "Line", "Station", "Name", "C/O Line Access", "Emergency Paging",
                           "C/O Call Forwarding", "Call Forwarding", "Time-Based Call Fwd", "Busy Call Forwarding",
                           "No-Answer Call Fwd"}));
    EXPECT_EQ(Titles(e.Subs()).mid(1),
              (QStringList{"Exchange", "Line", "Station", "Name", "Called\n Exchange", "Called\n Line",
                           "Called\n Station", "Called\n Name", "Call Priority"}));
    ASSERT_EQ(e.Masters().rowCount(), 4);
    ASSERT_EQ(e.Subs().rowCount(), 64);
    EXPECT_EQ(e.Masters().CellText(1, kMasterStation), "181");
    EXPECT_EQ(e.Masters().CellText(2, kMasterStation), "");  // no number: empty cells
    EXPECT_EQ(e.Masters().CellText(2, kMasterLine), "3");
    EXPECT_TRUE(e.Masters().CellReadOnly(0, kMasterExchange));
    EXPECT_TRUE(e.Subs().CellReadOnly(0, kSubCalledName));

    e.sheet->Selector()->setCurrentIndex(2);  // ALL: every exchange in use, in order
    ASSERT_EQ(e.Masters().rowCount(), 8);
    ASSERT_EQ(e.Subs().rowCount(), 128);
    EXPECT_EQ(e.Masters().CellText(4, kMasterStation), "280");
    EXPECT_EQ(e.Masters().CellText(4, kMasterRowNo), "5");
    EXPECT_EQ(e.Subs().CellText(65, kSubStation), "202");

    // One exchange: no "ALL".
    StationEditor one;
    one.model->System.SwitchCnt = 1;
    one.Open();
    EXPECT_EQ(one.SelectorItems(), QStringList{"1"});
    EXPECT_EQ(one.sheet->findChild<QLabel*>()->text(), "Exchange No. (1-1):");
}

TEST(SheetStation, CellEditsAndOverwriteOfBothPages) {
    StationEditor e;
    e.Open();
    GridWidget& m = e.Masters();
    // A station named after its number follows the new number; refused input disappears.
    ASSERT_TRUE(TypeIntoCell(m, 0, kMasterStation, "1820"));
    EXPECT_EQ(m.CellText(0, kMasterStation), "180");
    ASSERT_TRUE(TypeIntoCell(m, 0, kMasterStation, "182"));
    EXPECT_EQ(m.CellText(0, kMasterName), "182");
    ASSERT_TRUE(TypeIntoCell(m, 1, kMasterName, QString::fromStdU16String(u"\uFF71\uFF72")));
    EXPECT_EQ(m.CellText(1, kMasterName), "\xB1\xB2");
    ASSERT_TRUE(TypeIntoCell(m, 1, kMasterLineAccess, "v"));
    ASSERT_TRUE(TypeIntoCell(m, 1, kMasterCoForwarding, "12-34"));
    // A new master on line 3 gets its number as its name.
    ASSERT_TRUE(TypeIntoCell(m, 2, kMasterStation, "183"));
    EXPECT_EQ(m.CellText(2, kMasterName), "183");
    EXPECT_EQ(m.CellText(2, kMasterLineAccess), "-");

    e.sheet->Pages()->setCurrentIndex(kPageSubs);
    GridWidget& s = e.Subs();
    // Called exchange and line show the master so addressed.
    ASSERT_TRUE(TypeIntoCell(s, 0, kSubCalledExchange, "1"));
    ASSERT_TRUE(TypeIntoCell(s, 0, kSubCalledLine, "3"));
    EXPECT_EQ(s.CellText(0, kSubCalledStation), "183");
    EXPECT_EQ(s.CellText(0, kSubCalledName), "183");
    // Called station finds the master of any exchange.
    ASSERT_TRUE(TypeIntoCell(s, 1, kSubCalledStation, "280"));
    EXPECT_EQ(s.CellText(1, kSubCalledExchange), "2");
    EXPECT_EQ(s.CellText(1, kSubCalledLine), "1");
    ASSERT_TRUE(TypeIntoCell(s, 1, kSubPriority, "Emergency"));
    ASSERT_TRUE(TypeIntoCell(s, 1, kSubCalledStation, "999"));  // no such master
    EXPECT_EQ(s.CellText(1, kSubCalledStation), "280");
    EXPECT_EQ(e.model->Exchange(1).Master[0].Number.Str(), "180");

    // Every substation in use calls an existing master now.
    e.sheet->Selector()->setCurrentIndex(1);
    ASSERT_TRUE(TypeIntoCell(s, 0, kSubCalledStation, "280"));
    ASSERT_TRUE(TypeIntoCell(s, 1, kSubCalledStation, "181"));
    e.sheet->OverwriteButton()->click();
    EXPECT_TRUE(e.prompt.Messages.empty()) << e.prompt.Messages[0].Text;
    const SwitchData& x1 = e.model->Exchange(1);
    EXPECT_EQ(x1.Master[0].Number.Str(), "182");
    EXPECT_EQ(x1.Master[0].Name.Str(), "182");
    EXPECT_EQ(x1.Master[1].Name.Str(), "\xB1\xB2");
    EXPECT_EQ(x1.Master[1].LineTx, 1);
    EXPECT_EQ(x1.Master[1].TelNo.Str(), "12-34");
    EXPECT_EQ(x1.Master[2].NumberValue, 183);
    EXPECT_EQ(x1.Sub[0].CallSwNo, 1);
    EXPECT_EQ(x1.Sub[0].CallStNo, 3);
    EXPECT_EQ(x1.Sub[1].Level, 1);
    EXPECT_EQ(e.model->Exchange(2).Sub[1].CallStNo, 2);
    EXPECT_EQ(e.model->Modified, 1);
    e.sheet->CloseButton()->click();
    EXPECT_TRUE(e.prompt.Messages.empty());
    EXPECT_FALSE(e.sheet->isVisible());
}

TEST(SheetStation, FailedCheckTurnsToItsPageExchangeAndCell) {
    struct Case {
        const char* Name;
        int Selection;  // selector index before Overwrite
        void (*Break)(SettingData&);
        const char* Message;
        int Page, SelectorAfter, Row, Column;
    };
    const Case cases[] = {
        {"called master, exchange 1 shown", 0, [](SettingData& d) { d.Exchange(1).Sub[0].CallStNo = 3; },
         "Substations\nDialing incorrect exchange-equipment No.(1-1)", kPageSubs, 0, 0, kSubCalledExchange},
        {"called master under ALL", 2,
         [](SettingData& d) {
             for (int e = 1; e <= 2; ++e)
                 for (SubData& s : d.Exchange(e).Sub) s.CallSwNo = 1, s.CallStNo = 1;
             d.Exchange(2).Sub[1].CallStNo = 4;
         },
         "Substations\nDialing incorrect exchange-equipment No.(2-2)", kPageSubs, 2, 65, kSubCalledExchange},
        {"forwarding target, exchange 2", 0,
         [](SettingData& d) { d.Exchange(2).Master[0].CnvTelNo = "999"; },
         "Incorrect Call Transfer during Conversation", kPageMasters, 1, 0, kMasterBusyFwd},
    };
    for (const Case& c : cases) {
        StationEditor e;
        c.Break(*e.model);
        e.Open();
        e.sheet->Selector()->setCurrentIndex(c.Selection);
        e.sheet->OnOverwrite();
        ASSERT_EQ(Texts(e.prompt), Strings{c.Message}) << c.Name;
        EXPECT_EQ(e.sheet->Pages()->currentIndex(), c.Page) << c.Name;
        EXPECT_EQ(e.sheet->Selector()->currentIndex(), c.SelectorAfter) << c.Name;
        GridWidget& grid = c.Page == kPageSubs ? e.Subs() : e.Masters();
        EXPECT_EQ(grid.currentRow(), c.Row) << c.Name;
        EXPECT_EQ(grid.currentColumn(), c.Column) << c.Name;
        EXPECT_EQ(e.model->Modified, 0) << c.Name;
    }
}

TEST(SheetStation, OpensAtAStationCheckFault) {
    StationEditor e;
    SetStation(e.model->Exchange(2).Sub[3], "150");  // outside exchange 2's range
    const StationFault fault = CheckStations(*e.model);
    ASSERT_EQ(fault.Rule, kSubNumberRange);
    e.Open(&fault);
    EXPECT_TRUE(e.prompt.Messages.empty());
    EXPECT_EQ(e.sheet->Pages()->currentIndex(), kPageSubs);
    EXPECT_EQ(e.sheet->Selector()->currentText(), "2");
    EXPECT_EQ(e.Subs().currentRow(), 3);
    EXPECT_EQ(e.Subs().currentColumn(), kSubStation);
}

TEST(SheetStation, ShellOpensItAfterGlobalSettingAtTheFault) {
    EditorWindowTest t;
    auto frame = std::make_unique<CMainFrame>();
    CTR420View& view = *frame->View();
    view.Model() = *t.model;
    view.Model().CurrentFilePath = t.dir.File("saved.txt");
    RegisterSettingEditors();

    // Each modal editor is driven from a timer that runs inside its loop.
    std::vector<std::string> seen;
    QTimer driver;
    driver.setInterval(0);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* system = qobject_cast<CDlgSystem*>(w)) {
            seen.push_back("system");
            // Exchange 2 now starts at 250: its substations 201 and 202 fall outside.
            TypeIntoCell(*system->Grid(), 1, 1, "250");
            system->OverwriteButton()->click();
            // Ctrl+S inside the editor is the main window's Save.
            for (QShortcut* key : system->findChildren<QShortcut*>())
                if (key->key() == QKeySequence("Ctrl+S")) emit key->activated();
            system->CloseButton()->click();
        } else if (auto* sheet = qobject_cast<CSheetStation*>(w)) {
            seen.push_back("stations " + std::to_string(sheet->Pages()->currentIndex()) + " " +
                           sheet->Selector()->currentText().toStdString() + " " +
                           std::to_string(sheet->SubPage()->Grid()->currentRow()));
            sheet->CloseButton()->click();
        }
    });
    driver.start();
    view.OpenCategory(Category::GlobalSetting);
    driver.stop();
    EXPECT_EQ(seen, (Strings{"system", "stations 1 2 0"}));
    EXPECT_EQ(view.Model().System.SwNumber[1].Value, 250);
    EXPECT_EQ(view.Model().Modified, 0);
    EXPECT_NE(ReadWholeFile(t.dir.File("saved.txt")).find("250"), std::string::npos);
    EXPECT_TRUE(t.prompt.Messages.empty()) << t.prompt.Messages[0].Text;

    // Without a fault only the Global Setting editor opens.
    seen.clear();
    view.Model() = *t.model;
    driver.start();
    QObject::disconnect(&driver, nullptr, nullptr, nullptr);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto* system = qobject_cast<CDlgSystem*>(QApplication::activeModalWidget())) {
            seen.push_back("system");
            system->CloseButton()->click();
        } else if (QApplication::activeModalWidget()) {
            seen.push_back("other");
            QApplication::activeModalWidget()->close();
        }
    });
    view.OpenCategory(Category::GlobalSetting);
    driver.stop();
    EXPECT_EQ(seen, Strings{"system"});
    for (Category id : {Category::GlobalSetting, Category::Stations}) SetCategoryOpener(id, nullptr);
    SetStationCheck(nullptr);
}

TEST(SheetStation, UploadSendsThePageShownForTheSelection) {
    StationEditor e;
    e.Open();
    e.prompt.Answers = {PromptAnswer::Ok};
    e.sheet->Selector()->setCurrentIndex(2);  // ALL
    e.sheet->OnUpload();
    EXPECT_EQ(e.transfer.Title, "Master Stations (Telephones)");
    ASSERT_EQ(e.transfer.Texts.size(), 16u);
    EXPECT_EQ(e.transfer.Texts[0][0], 'B');
    EXPECT_EQ(e.transfer.Texts[8][0], 'U');
    e.PostResult(kTransferDone);
    EXPECT_FALSE(e.sheet->UploadRunning());

    e.prompt.Answers = {PromptAnswer::Ok};
    e.sheet->Pages()->setCurrentIndex(kPageSubs);
    e.sheet->Selector()->setCurrentIndex(1);
    e.sheet->OnUpload();
    EXPECT_EQ(e.transfer.Title, "Substations");
    ASSERT_EQ(e.transfer.Texts.size(), 64u);
    for (const std::string& text : e.transfer.Texts) EXPECT_EQ(text[0], 'C');
    EXPECT_EQ(Texts(e.prompt), (Strings{"Will transmit set data. OK?", "Will transmit set data. OK?"}));
}
