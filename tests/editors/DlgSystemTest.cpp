// The Global Setting editor offscreen, and with it the behaviour every editor
// shares: Overwrite, Close, Upload with its supervision, the keyboard rules.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>
#include <tuple>

#include "editors/EditorWindowSupport.h"
#include "link/TransferEngine.h"
#include "editors/DlgSystem.h"

namespace {
using Strings = std::vector<std::string>;

struct SystemEditor : EditorWindowTest {
    CDlgSystem dialog{nullptr, context};
    GridWidget& grid = *dialog.Grid();
    SystemEditor() { dialog.show(); }

    void SelectCount(int count) { dialog.ExchangeCountList()->setCurrentIndex(count - 1); }
};
}  // namespace

TEST(DlgSystem, EditOverwriteAndClose) {
    SystemEditor e;
    EXPECT_EQ(e.dialog.ExchangeCountList()->currentText(), "2");
    EXPECT_EQ(e.dialog.StationDigitsList()->currentText(), "3");
    EXPECT_EQ(e.dialog.TimeDisplay()->text(), "09:05:07");
    ASSERT_EQ(e.grid.rowCount(), 2);
    EXPECT_EQ(e.grid.CellText(1, 0), "2");
    EXPECT_FALSE(TypeIntoCell(e.grid, 0, 0, "5"));  // the exchange column is read-only

    // Nothing changed: Overwrite writes nothing, Close asks nothing.
    e.dialog.OnOverwrite();
    EXPECT_EQ(e.model->Modified, 0);
    // Refused input leaves the previous value in the cell and the copy.
    for (const char* refused : {"1a0", "1234567", ""}) {
        ASSERT_TRUE(TypeIntoCell(e.grid, 0, 1, refused));
        EXPECT_EQ(e.grid.CellText(0, 1), "100") << refused;
    }
    ASSERT_TRUE(TypeIntoCell(e.grid, 0, 1, "150"));
    e.dialog.TieLineBox(4)->setChecked(true);
    EXPECT_EQ(e.model->System.SwNumber[0].Value, 100);  // only the copy changed
    e.dialog.reject();  // the close box: No (the default answer) keeps it open
    EXPECT_EQ(Texts(e.prompt), Strings{"Text changed. Exit?"});
    EXPECT_EQ(e.prompt.Messages[0].Buttons, PromptButtons::YesNo);
    EXPECT_TRUE(e.dialog.isVisible());

    e.dialog.OverwriteButton()->click();
    EXPECT_EQ(e.model->System.SwNumber[0].Text.Str(), "150");
    EXPECT_EQ(e.model->System.TieLine[3], 1);
    EXPECT_EQ(e.model->Modified, 1);
    e.dialog.CloseButton()->click();
    EXPECT_EQ(e.prompt.Messages.size(), 1u);
    EXPECT_FALSE(e.dialog.isVisible());
}

TEST(DlgSystem, FailedCheckFocusesTheExchangeRow) {
    SystemEditor e;
    // 4 exchanges, then 2, then 4 again: exchanges 3 and 4 come back empty.
    e.SelectCount(4);
    ASSERT_TRUE(TypeIntoCell(e.grid, 2, 1, "300"));
    ASSERT_TRUE(TypeIntoCell(e.grid, 3, 1, "400"));
    e.SelectCount(2);
    e.SelectCount(4);
    ASSERT_EQ(e.grid.rowCount(), 4);
    EXPECT_EQ(e.grid.CellText(2, 1), "");
    e.dialog.OnOverwrite();
    ASSERT_EQ(Texts(e.prompt), Strings{"Incorrect first station No.digit length"});
    EXPECT_EQ(e.prompt.Messages[0].Buttons, PromptButtons::Ok);
    EXPECT_EQ(std::tuple(e.grid.currentRow(), e.grid.currentColumn(), int(e.model->System.SwitchCnt),
                         int(e.model->Modified)),
              std::tuple(2, 1, 2, 0));
}

TEST(DlgSystem, KeyboardRules) {
    SystemEditor e;
    QComboBox* count = e.dialog.ExchangeCountList();
    // Opened on the first field; Tab goes through the fields, past the grid as
    // one stop, then the buttons.
    std::vector<QWidget*> order{count, e.dialog.StationDigitsList()};
    for (int line = 1; line <= kTieLines; ++line) order.push_back(e.dialog.TieLineBox(line));
    order.insert(order.end(), {&e.grid, e.dialog.PrintButton(), e.dialog.UploadButton(),
                               e.dialog.OverwriteButton(), e.dialog.CloseButton()});
    EXPECT_EQ(TabCycle(e.dialog), order);
    // In the grid the arrows move; Tab in a cell's editor keeps the text and leaves.
    e.grid.SetFocusCell(0, 1);
    QTest::keyClick(&e.grid, Qt::Key_Down);
    EXPECT_EQ(e.grid.currentRow(), 1);
    e.grid.edit(e.grid.currentIndex());
    auto* cell = e.grid.viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(cell);
    cell->setText("260");
    QTest::keyClick(cell, Qt::Key_Tab);
    EXPECT_EQ(e.grid.CellText(1, 1), "260");
    EXPECT_EQ(e.dialog.focusWidget(), e.dialog.PrintButton());

    // Digits ignored in a number list, closed or open.
    count->setFocus();
    for (Qt::Key key : {Qt::Key_5, Qt::Key_Space, Qt::Key_Escape, Qt::Key_Return}) QTest::keyClick(count, key);
    EXPECT_EQ(count->currentText(), "2");
    count->showPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(count->view()));
    for (Qt::Key key : {Qt::Key_5, Qt::Key_Space, Qt::Key_Return}) QTest::keyClick(count->view(), key);
    EXPECT_EQ(count->currentText(), "2");
    EXPECT_TRUE(e.dialog.isVisible());  // Enter and Esc in a field close nothing
    // On a button Esc is Close, and Enter presses it.
    e.dialog.OverwriteButton()->setFocus();
    QTest::keyClick(e.dialog.OverwriteButton(), Qt::Key_Escape);
    EXPECT_EQ(Texts(e.prompt), Strings{"Text changed. Exit?"});
    QTest::keyClick(e.dialog.OverwriteButton(), Qt::Key_Return);
    EXPECT_EQ(e.model->System.SwNumber[1].Value, 260);
    QTest::keyClick(&e.dialog, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(e.saves, 1);
}

TEST(DlgSystem, UploadConfirmsCommitsAndIsSupervised) {
    SystemEditor e;
    e.dialog.StationDigitsList()->setCurrentIndex(2);  // 4 digits: stops at the first check
    e.dialog.OnUpload();
    EXPECT_EQ(Texts(e.prompt), Strings{"Incorrect first station No.digit length"});
    e.dialog.StationDigitsList()->setCurrentIndex(1);
    ASSERT_TRUE(TypeIntoCell(e.grid, 1, 1, "300"));
    e.dialog.OnUpload();  // Cancel (the scripted default) ends it before the commit
    EXPECT_EQ(e.prompt.Messages[1].Text, "Will transmit set data. OK?");
    EXPECT_EQ(e.prompt.Messages[1].Title, "Transmission verification");
    EXPECT_EQ(e.prompt.Messages[1].Buttons, PromptButtons::OkCancel);
    EXPECT_EQ(e.model->Modified, 0);
    EXPECT_TRUE(e.link.Requests.empty());

    // After text A: its answer, the user's cancel, or 120 seconds without one.
    enum { TimeOut = -1, Cancel = -2 };
    const struct {
        int Event;
        const char* Message;  // shown last, or null for none
        Strings Sent;
    } steps[] = {
        {kTransferDone, nullptr, {"A00", "release/2"}},
        {kTransferFailed, "Failed to transmit", {"A00", "release/3"}},
        {kTransferOpenFailed, "Failed to open the device", {"A00"}},
        {TimeOut, "Failed to transmit", {"A00", "release/3"}},
        {Cancel, nullptr, {"A00", "release/3"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Event);
        e.prompt.Messages.clear();
        e.prompt.Answers = {PromptAnswer::Ok};
        e.link.Requests.clear();
        e.dialog.OnUpload();
        LinkRecorder::Deliver();
        ASSERT_TRUE(e.dialog.UploadRunning());
        TransferEngine& upload = *e.dialog.Transfer();
        if (step.Event == Cancel) upload.Cancel();
        if (step.Event < 0)
            for (int i = 0; i < 120; ++i) upload.Tick();
        else e.link.Answer(step.Event);
        e.link.AnswerAll(kTransferDone);  // the release, and a late answer that changes nothing
        EXPECT_FALSE(e.dialog.UploadRunning());
        EXPECT_EQ(Sent(e.link), step.Sent);
        EXPECT_EQ(e.prompt.Messages.size(), step.Message ? 2u : 1u);
        if (step.Message) {
            EXPECT_EQ(e.prompt.Messages.back().Text, step.Message);
        }
    }
    EXPECT_EQ(e.model->System.SwNumber[1].Value, 300);
    EXPECT_EQ(e.model->Modified, 1);

    CDlgSystem unlinked(nullptr, EditorContext{*e.model, {}, nullptr});  // no link: the upload ends at once
    e.prompt.Answers = {PromptAnswer::Ok};
    unlinked.OnUpload();
    EXPECT_EQ(e.prompt.Messages.back().Text, "Failed to open the device");
    EXPECT_FALSE(unlinked.UploadRunning());
}
