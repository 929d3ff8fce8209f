// The member-list editors and the Paging sheet offscreen: edits through their
// grids and fields, Overwrite, a failed check's focus, and the texts a member
// list's Upload sends (the sheet's go to nx420-sim in ExchangeEditorsTest).
#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <tuple>

#include "editors/DlgMembers.h"
#include "editors/EditorWindowSupport.h"
#include "editors/PagingPage.h"
#include "editors/SheetPaging.h"
#include "editors/SpinField.h"

using Strings = std::vector<std::string>;

TEST(MemberEditors, EditOverwriteAndUploadOfEachFamily) {
    struct Case {
        MemberFamily family;
        const char* member;  // typed into the Station cell of master 2's first row, and its name
        Strings texts;       // the four masters of each exchange
    };
    const Case cases[] = {
        {MemberFamily::Scan, "201",
         {"G0110400", "G01205010201", "G0130500", "G0140500", "G0210500", "G0220500", "G0230500", "G0240500"}},
        {MemberFamily::Group, "280",
         {"E01100", "E01201021", "E01300", "E01400", "E02100", "E02200", "E02300", "E02400"}},
        {MemberFamily::Meeting, "280",
         {"L01100", "L01201021", "L01300", "L01400", "L02100", "L02200", "L02300", "L02400"}},
    };
    // The family's entries in a master record.
    const auto entries = [](const MasterData& m, MemberFamily f) -> const MemberRef* {
        return f == MemberFamily::Scan ? m.ScanSub : f == MemberFamily::Group ? m.GroupMaster : m.MeetMaster;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FamilyInfo(c.family).Title);
        EditorWindowTest t;
        CDlgMembers dialog(nullptr, t.context, c.family);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), FamilyInfo(c.family).Title);
        EXPECT_EQ(dialog.Grid()->rowCount(), FamilyInfo(c.family).Capacity);
        if (c.family == MemberFamily::Scan) {
            // The monitoring time refuses 0 and steps within 1..99.
            dialog.TimeField()->Enter("0");
            dialog.TimeField()->stepBy(-1);
            EXPECT_EQ(dialog.TimeField()->Text(), "4");
        }
        dialog.MasterList()->setCurrentIndex(1);
        GridWidget& grid = *dialog.Grid();
        ASSERT_TRUE(TypeIntoCell(grid, 0, kMemberStation, c.member));
        EXPECT_EQ(std::tuple(grid.CellText(0, kMemberExchange), grid.CellText(0, kMemberLine), grid.CellText(0, kMemberName)),
                  std::tuple(std::string("2"), std::string("1"), std::string(c.member)));
        // Print hands on the master shown, from the working copy.
        dialog.PrintButton()->click();
        ASSERT_EQ(t.printed.size(), 1u);
        const PrintJob& printed = *t.printed[0];
        const MemberRef& first = entries(printed.Data->Exchange(1).Master[1], c.family)[0];
        EXPECT_EQ(std::tuple(int(printed.Exchange), int(printed.Master), int(first.Exchange), int(t.model->Modified)),
                  std::tuple(1, 2, 2, 0));
        // A second row naming the same station: Overwrite refuses, focused on the first.
        ASSERT_TRUE(TypeIntoCell(grid, 2, kMemberStation, c.member));
        dialog.MasterList()->setCurrentIndex(0);
        dialog.OverwriteButton()->click();
        EXPECT_EQ(t.prompt.Messages.back().Text.substr(0, 9), "Exchange1");
        EXPECT_EQ(std::tuple(dialog.MasterList()->currentIndex(), grid.currentRow(), grid.currentColumn(),
                             int(t.model->Modified)),
                  std::tuple(1, 0, int(kMemberExchange), 0));
        t.prompt.Messages.clear();
        dialog.DeleteAllButton()->click();  // No: the rows stay
        EXPECT_EQ(grid.CellText(0, kMemberStation), c.member);
        t.prompt.Answers = {PromptAnswer::Yes};
        dialog.DeleteAllButton()->click();
        EXPECT_EQ(t.prompt.Texts(), Strings(2, "Will delete all list data. OK?"));
        EXPECT_EQ(grid.CellText(0, kMemberStation), "");
        ASSERT_TRUE(TypeIntoCell(grid, 1, kMemberStation, c.member));

        t.prompt.Answers = {PromptAnswer::Ok};
        dialog.UploadButton()->click();
        t.link.AnswerAll(kTransferDone);
        Strings sent = c.texts;
        sent.push_back("release/2");
        EXPECT_EQ(t.link.Requests, sent);
        const MemberRef& second = entries(t.model->Exchange(1).Master[1], c.family)[1];
        EXPECT_EQ(std::tuple(second.Exchange, second.Station, int(t.model->Modified)), std::tuple(2, 1, 1));
    }
}

TEST(SheetPaging, ZonesTimeOutPrintAndOverwrite) {
    EditorWindowTest t;
    t.model->Exchange(1).Sub[1].Level = 1;  // 102: emergency
    CSheetPaging sheet(nullptr, t.context);
    sheet.show();
    CPagePaging& subs = *sheet.SubPage();
    GridWidget& grid = *subs.Grid();
    const auto shownColumns = [&grid] {
        int n = 0;
        for (int c = 0; c < grid.columnCount(); ++c) n += !grid.isColumnHidden(c);
        return n;
    };
    ASSERT_EQ(sheet.Selector()->count(), 3);
    EXPECT_EQ(sheet.Selector()->itemText(2), "ALL");
    EXPECT_EQ(std::tuple(shownColumns(), grid.rowCount()), std::tuple(4 + 9, 64));

    sheet.Selector()->setCurrentIndex(2);
    subs.ZoneDigitsList()->setCurrentIndex(1);  // 2 digits, every exchange
    EXPECT_EQ(std::tuple(shownColumns(), grid.rowCount(), grid.horizontalHeaderItem(23)->text()),
              std::tuple(4 + 19, 128, QString("Zone 19")));
    // Starting an edit toggles a zone; an emergency substation does not take it.
    grid.edit(grid.model()->index(0, 5 + 11));
    grid.edit(grid.model()->index(1, 5 + 11));
    EXPECT_EQ(std::tuple(grid.CellText(0, 16), grid.CellText(1, 16), grid.CellText(2, 16)),
              std::tuple(std::string("v"), std::string("x"), std::string("")));

    sheet.PrintButton()->click();  // the page shown, for "ALL", from the working copy
    ASSERT_EQ(t.printed.size(), 1u);
    const PrintJob& printed = *t.printed[0];
    EXPECT_EQ(std::tuple(int(printed.Code), int(printed.Exchange), printed.Data->Exchange(1).Sub[0].Paging),
              std::tuple(int(PrintPaging), 0, 1u << 11));

    subs.TimeOutBox()->setChecked(true);
    subs.TimeField()->Enter("995");
    EXPECT_EQ(subs.TimeField()->Text(), "10");
    subs.TimeField()->Enter("15");
    sheet.Pages()->setCurrentIndex(kPagingPageSpeak);
    sheet.OverwriteButton()->click();
    EXPECT_EQ(t.prompt.Texts(), Strings{"Incorrect paging time-out"});
    EXPECT_EQ(std::tuple(sheet.Pages()->currentIndex(), sheet.focusWidget() == subs.TimeField(), int(t.model->Modified)),
              std::tuple(int(kPagingPageSubs), true, 0));
    subs.TimeField()->stepBy(1);  // 15 rounds down to 10, then 20
    sheet.OverwriteButton()->click();
    EXPECT_EQ(std::tuple(t.model->Exchange(2).ZoneSize, t.model->Exchange(2).PagingTimeLimit,
                         t.model->Exchange(1).Sub[0].Paging, int(t.model->Modified)),
              std::tuple(2, 20u, 1u << 11, 1));
}
