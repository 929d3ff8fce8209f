// The editors that talk to the exchanges, offscreen on the program's link to
// nx420-sim: the per-exchange editors (edits, a failed Overwrite, Close with
// changes, Overwrite, the texts the exchanges got), the Paging sheet's upload,
// the dialing assignment's Upload and Download and the remote dialing window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

#include "editors/DlgDirectDial.h"
#include "editors/DlgDirectSelect.h"
#include "editors/DlgFunction.h"
#include "editors/DlgLine.h"
#include "editors/DlgRemoteDial.h"
#include "editors/EditorWindowSupport.h"
#include "editors/PagingPage.h"
#include "editors/SheetPaging.h"
#include "editors/SpinField.h"
#include "link/TransferEngine.h"
#include "support/ProgramOnSim.h"

namespace {
using Strings = std::vector<std::string>;
constexpr int kDeadlineMs = 60000;

struct OnSim : ProgramOnSim {
    OnSim() {
        EXPECT_TRUE(Launch({"--exchanges", "2"}));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Mask() == 0; }, kDeadlineMs));  // the start-up open is done
        View().Model().System.SwitchCnt = 2;
    }
    EditorContext Context() { return {View().Model(), {}, &Link()}; }
    SettingData& Model() { return View().Model(); }
    // Starts a transfer, its question answered Ok: the messages shown once it ended.
    Strings Run(const std::function<TransferEngine*()>& start) {
        prompt.Messages.clear();
        prompt.Answers = {PromptAnswer::Ok};
        TransferEngine* engine = start();
        if (!engine || !QTest::qWaitFor([engine] { return !engine->Running(); }, kDeadlineMs)) return {"not ended"};
        return prompt.Texts();
    }
    // An upload with no failure: the texts the simulator acknowledged.
    Strings Upload(EditorDialog& dialog) {
        if (Run([&] { dialog.OnUpload(); return dialog.Transfer(); }) != Strings{"Will transmit set data. OK?"})
            return {"failed"};
        return Acknowledged();
    }
};
}  // namespace

TEST(DlgLine, EditOverwriteCloseAndUpload) {
    OnSim p;
    CDlgLine dialog(nullptr, p.Context());
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Exchange No. (1-2):");
    const CDlgLine::LineWidgets& line = dialog.Line(1);
    EXPECT_FALSE(line.Access->isEnabled());
    EXPECT_FALSE(line.Grid->isEnabled());
    QTest::keyClicks(line.Name, "TRUNK1");
    line.Outgoing->setChecked(true);
    line.Access->Enter("10");  // kept in the field, fails validation
    line.RxLine->setChecked(true);
    ASSERT_TRUE(TypeIntoCell(*line.Grid, 0, kRxStation, "91"));
    EXPECT_EQ((Strings{line.Grid->CellText(0, kRxExchange), line.Grid->CellText(0, kRxLine),
                       line.Grid->CellText(0, kRxName)}),
              (Strings{"1", "2", "91"}));
    dialog.OnOverwrite();
    EXPECT_EQ(line.Access->Text(), "10");
    EXPECT_EQ(p.Model().Modified, 0);
    line.Access->Enter("4");
    dialog.Selector()->setCurrentIndex(1);
    dialog.reject();  // No: stays open
    EXPECT_TRUE(dialog.isVisible());
    dialog.OnOverwrite();
    dialog.Selector()->setCurrentIndex(0);
    EXPECT_EQ(line.Name->text(), "TRUNK1");
    EXPECT_EQ(p.prompt.Texts(), (Strings{kAccessNumberText, "Text changed. Exit?"}));
    EXPECT_EQ(p.Model().Modified, 1);
    EXPECT_EQ(p.Upload(dialog), (Strings{"D0103TRUNK1  1404012000000000        00000000000...",
                                         "D0203        0000000000000000        00000000000..."}));
}

TEST(DlgFunction, EditOverwriteCloseAndUpload) {
    OnSim p;
    CDlgFunction dialog(nullptr, p.Context());
    dialog.show();
    EXPECT_FALSE(dialog.TimeBased()->isEnabled());
    dialog.Forwarding()->setChecked(true);
    dialog.TimeBased()->setChecked(true);
    EXPECT_TRUE(dialog.StartTime()->isEnabled());
    dialog.StartTime()->clear();
    QTest::keyClicks(dialog.StartTime(), "8:30");
    dialog.EndTime()->clear();
    QTest::keyClicks(dialog.EndTime(), "ab:cd");
    const CDlgFunction::ValueWidgets& talk = dialog.Value(kFunctionFieldTalkTime);
    talk.Box->setChecked(true);
    EXPECT_EQ(talk.Field->Text(), "10");
    talk.Field->Enter("995");
    EXPECT_EQ(talk.Field->Text(), "10");
    talk.Field->Enter("15");
    dialog.OnOverwrite();
    dialog.EndTime()->clear();
    QTest::keyClicks(dialog.EndTime(), "17:45");
    dialog.OnOverwrite();
    talk.Field->stepBy(1);
    EXPECT_EQ(talk.Field->Text(), "20");
    dialog.reject();
    dialog.OnOverwrite();
    EXPECT_EQ(p.prompt.Texts(), (Strings{kEndTimeText, kTalkTimeText, "Text changed. Exit?"}));
    EXPECT_EQ(p.Model().Function[0].TalkTime, 20);
    EXPECT_EQ(p.Upload(dialog), (Strings{"F011083017450100002", "F020000000000100000"}));
}

TEST(DlgDirectSelect, EditOverwriteCloseAndUpload) {
    OnSim p;
    CDlgDirectSelect dialog(nullptr, p.Context());
    dialog.show();
    EXPECT_TRUE(dialog.ResponseActivated()->isChecked());
    dialog.Selector()->setCurrentIndex(1);
    dialog.CallActivated()->click();
    dialog.Selector()->setCurrentIndex(0);
    EXPECT_TRUE(dialog.ResponseActivated()->isChecked());
    dialog.reject();
    EXPECT_EQ(p.prompt.Texts(), Strings{"Text changed. Exit?"});
    dialog.OnOverwrite();
    EXPECT_EQ(p.Model().DirectSelect.OutMode[1], 1);
    EXPECT_EQ(p.Upload(dialog), (Strings{"M010", "M021"}));
    dialog.CloseButton()->click();  // nothing changed since
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SheetPaging, UploadSendsTheZonesOfTheExchangeShown) {
    OnSim p;
    CSheetPaging paging(nullptr, p.Context());
    paging.Pages()->setCurrentIndex(kPagingPageOutIn);
    EXPECT_FALSE(paging.Page(kPagingPageOutIn)->Grid()->EnterText(1, 3 + 18, "v"));  // ch2 joins zone 19
    Strings expected;
    for (int z = 1; z <= 19; ++z)
        expected.push_back((z < 10 ? "J010" : "J01") + std::to_string(z) + (z == 19 ? "0100" : "0000"));
    EXPECT_EQ(p.Upload(paging), expected);
}

TEST(DialWindows, RowsGoUpAndComeBackAndARemoteDialingArrives) {
    OnSim p;
    SettingData& model = p.Model();
    DialEntry* rows = model.DirectSelect.Rows[0][0];
    for (int r = 0; r < 25; ++r) rows[r].Dial = std::to_string(100 + r);
    rows[3].Shot = "30";
    model.DirectSelect.ShotT[0][0] = 2;
    CDlgDirectDial(&p.View(), p.Context()).OnClose();  // the mark of row 30 is the window's own: closing asks nothing
    EXPECT_TRUE(p.prompt.Messages.empty());

    std::unique_ptr<PrintJob> printed;
    CDlgDirectDial dialog(&p.View(), EditorContext{model, {}, &p.Link(), [&](std::unique_ptr<PrintJob> job) {
                                                       printed = std::move(job);
                                                   }});
    dialog.show();
    EXPECT_EQ(dialog.Grid()->CellText(29, kDialColumnDoorLock), "x");
    dialog.PrintButton()->click();  // the table as shown, its mark included
    ASSERT_TRUE(printed && printed->Data);
    EXPECT_EQ(printed->Code * 100 + printed->Exchange * 10 + printed->Master, PrintDialingAssignment * 100 + 11);
    EXPECT_EQ(printed->Data->DirectSelect.Rows[0][0][29].Dial, "x");
    // Upload commits the mark of row 30 first.
    EXPECT_EQ(p.Run([&] { dialog.OnUpload(); return dialog.Transfer(); }), Strings{"Will transmit set data. OK?"});
    const std::vector<DialEntry> sent(rows, rows + kDialRows);

    // Into emptied rows of the model, through Download.
    std::fill(rows, rows + kDialRows, DialEntry{});
    model.DirectSelect.ShotT[0][0] = 0;
    model.Modified = 0;
    EXPECT_EQ(p.Run([&] { dialog.OnDownload(); return dialog.Transfer(); }), Strings{"Will receive set data. OK?"});
    EXPECT_EQ(p.prompt.Messages[0].Title, "reception verification");
    EXPECT_EQ(std::vector<DialEntry>(rows, rows + kDialRows), sent);
    EXPECT_EQ(std::tuple(int(model.DirectSelect.ShotT[0][0]), int(model.Modified),
                         dialog.Grid()->CellText(24, kDialColumnDial)),
              std::tuple(2, 1, std::string("124")));

    CDlgRemoteDial dial(&p.View(), p.Context());
    dial.show();
    dial.DialField()->setEditText("12*#");
    EXPECT_EQ(p.Run([&] { dial.OnDial(); return dial.Transfer(); }), Strings{"Will transmit set data. OK?"});
    EXPECT_TRUE(dial.isVisible());
    EXPECT_EQ(dial.DialField()->itemText(0), "12*#");

    const std::string log = p.SimLog();
    std::size_t at = 0;
    for (const char* k : {"rx K01120030110", "rx K01120030010", "rx K01120030210"}) {
        at = log.find(k, at);
        EXPECT_NE(at, std::string::npos) << k << "\n" << log;
    }
    EXPECT_NE(log.find("remote dialing [N01112*#" + std::string(28, ' ') + "]"), std::string::npos) << log;
}
