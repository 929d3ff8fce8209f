// The dialing assignment editor's Upload and Download and the remote dialing
// window, over the program's transfer path against nx420-sim.
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "editors/DlgDirectDial.h"
#include "editors/DlgRemoteDial.h"
#include "link/TransferEngine.h"
#include "support/ProgramOnSim.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kDeadlineMs = 60000;

bool Ends(TransferEngine* engine) {
    return engine && QTest::qWaitFor([engine] { return !engine->Running(); }, kDeadlineMs);
}

TEST(DialWindows, RowsGoUpAndComeBackAndARemoteDialingArrives) {
    ProgramOnSim p;
    ASSERT_TRUE(p.Launch({}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.Mask() == 0; }, kDeadlineMs));
    SettingData& model = p.View().Model();
    DialEntry* rows = model.DirectSelect.Rows[0][0];
    for (int r = 0; r < 25; ++r) rows[r].Dial = std::to_string(100 + r);
    rows[3].Shot = "30";
    model.DirectSelect.ShotT[0][0] = 2;
    std::vector<DialEntry> sent;
    {
        // The mark of row 30 is the window's own: closing asks nothing.
        CDlgDirectDial untouched(&p.View(), EditorContext{model, {}, &p.Link()});
        untouched.OnClose();
        EXPECT_TRUE(p.prompt.Messages.empty());
    }

    {
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
        p.prompt.Answers = {PromptAnswer::Ok};
        dialog.OnUpload();  // commits the mark of row 30 first
        ASSERT_TRUE(Ends(dialog.Transfer()));
        EXPECT_EQ(p.prompt.Texts(), std::vector<std::string>{"Will transmit set data. OK?"});
        sent.assign(rows, rows + kDialRows);

        // Into emptied rows of the model, through Download.
        std::fill(rows, rows + kDialRows, DialEntry{});
        model.DirectSelect.ShotT[0][0] = 0;
        model.Modified = 0;
        p.prompt.Messages.clear();
        p.prompt.Answers = {PromptAnswer::Ok};
        dialog.OnDownload();
        ASSERT_TRUE(Ends(dialog.Transfer()));
        EXPECT_EQ(p.prompt.Texts(), std::vector<std::string>{"Will receive set data. OK?"});
        EXPECT_EQ(p.prompt.Messages[0].Title, "reception verification");
        EXPECT_EQ(std::vector<DialEntry>(rows, rows + kDialRows), sent);
        EXPECT_EQ(model.DirectSelect.ShotT[0][0], 2);
        EXPECT_EQ(model.Modified, 1);
        EXPECT_EQ(dialog.Grid()->CellText(24, kDialColumnDial), "124");
    }

    CDlgRemoteDial dial(&p.View(), EditorContext{model, {}, &p.Link()});
    dial.show();
    dial.DialField()->setEditText("12*#");
    p.prompt.Messages.clear();
    p.prompt.Answers = {PromptAnswer::Ok};
    dial.OnDial();
    ASSERT_TRUE(Ends(dial.Transfer()));
    EXPECT_EQ(p.prompt.Texts(), std::vector<std::string>{"Will transmit set data. OK?"});
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
}  // namespace
