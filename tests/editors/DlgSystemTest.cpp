// The Global Setting editor offscreen, and with it the behaviour every editor
// shares: Overwrite, Close, Upload, the keyboard rules, and the grid's edits
// through their owner ("Delete ALL" is shown with the member lists).
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>
#include <tuple>

#include "editors/DlgPcPort.h"
#include "editors/DlgSystem.h"
#include "editors/EditorWindowSupport.h"

namespace {
using Strings = std::vector<std::string>;

struct SystemEditor : EditorWindowTest {
    CDlgSystem dialog{nullptr, context};
    GridWidget& grid = *dialog.Grid();
    SystemEditor() { dialog.show(); }

    void SelectCount(int count) { dialog.ExchangeCountList()->setCurrentIndex(count - 1); }
};
}  // namespace

TEST(GridWidget, EveryEditGoesThroughTheOwner) {
    GridWidget grid;
    grid.SetColumns({"No.", "Zone", "Name"});
    grid.SetRows(2);
    grid.show();
    std::vector<std::string> ended;
    grid.BeginEdit = [](int, int column) { return column != 1; };
    grid.EndEdit = [&ended](int row, int column, const std::string& text) {
        ended.push_back(std::to_string(row) + "/" + std::to_string(column) + ":" + text);
        return "[" + text + "]";
    };
    // Typed katakana reach the owner as their bytes and show as typed; a character
    // without an 8-bit form, and an edit refused at its begin, never reach it.
    ASSERT_TRUE(TypeIntoCell(grid, 1, 2, QString::fromStdU16String(u"\uFF71x")));
    EXPECT_EQ(grid.item(1, 2)->text(), QString::fromStdU16String(u"[\uFF71x]"));
    ASSERT_TRUE(TypeIntoCell(grid, 1, 2, QString::fromStdU16String(u"\u00C4")));
    EXPECT_FALSE(TypeIntoCell(grid, 0, 1, "1"));
    EXPECT_EQ(ended, Strings{"1/2:\xB1x"});
}

TEST(DlgSystem, EditOverwriteAndClose) {
    SystemEditor e;
    EXPECT_EQ(e.dialog.ExchangeCountList()->currentText(), "2");
    EXPECT_EQ(e.dialog.StationDigitsList()->currentText(), "3");
    EXPECT_EQ(e.dialog.TimeDisplay()->text(), "09:05:07");
    ASSERT_EQ(e.grid.rowCount(), 2);
    EXPECT_FALSE(TypeIntoCell(e.grid, 0, 0, "5"));  // the exchange column is read-only
    e.SelectCount(4);  // exchanges 3 and 4 without their first station number
    ASSERT_EQ(e.grid.rowCount(), 4);
    e.dialog.OnOverwrite();
    ASSERT_EQ(e.prompt.Texts(), Strings{"Incorrect first station No.digit length"});
    EXPECT_EQ(std::tuple(e.grid.currentRow(), e.grid.currentColumn(), int(e.model->System.SwitchCnt),
                         int(e.model->Modified)),
              std::tuple(2, 1, 2, 0));
    e.SelectCount(2);
    e.prompt.Messages.clear();

    ASSERT_TRUE(TypeIntoCell(e.grid, 0, 1, "1a0"));  // refused: the previous value stays
    EXPECT_EQ(e.grid.CellText(0, 1), "100");
    ASSERT_TRUE(TypeIntoCell(e.grid, 0, 1, "150"));
    e.dialog.TieLineBox(4)->setChecked(true);
    e.dialog.reject();  // the close box: No (the default answer) keeps it open
    EXPECT_EQ(e.prompt.Texts(), Strings{"Text changed. Exit?"});
    EXPECT_TRUE(e.dialog.isVisible());

    e.dialog.OverwriteButton()->click();
    EXPECT_EQ(e.model->System.SwNumber[0].Text.Str(), "150");
    EXPECT_EQ(e.model->System.TieLine[3], 1);
    e.dialog.CloseButton()->click();
    EXPECT_EQ(e.prompt.Messages.size(), 1u);
    EXPECT_FALSE(e.dialog.isVisible());
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
    EXPECT_EQ(e.prompt.Texts(), Strings{"Text changed. Exit?"});
    QTest::keyClick(e.dialog.OverwriteButton(), Qt::Key_Return);
    EXPECT_EQ(e.model->System.SwNumber[1].Value, 260);
    QTest::keyClick(&e.dialog, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(e.saves, 1);
}

TEST(DlgSystem, UploadChecksConfirmsCommitsAndReportsARefusal) {
    SystemEditor e;
    e.dialog.StationDigitsList()->setCurrentIndex(2);  // 4 digits: stops at the first check
    e.dialog.OnUpload();
    EXPECT_EQ(e.prompt.Texts(), Strings{"Incorrect first station No.digit length"});
    e.dialog.StationDigitsList()->setCurrentIndex(1);
    ASSERT_TRUE(TypeIntoCell(e.grid, 1, 1, "300"));
    e.dialog.OnUpload();  // Cancel (the scripted default) ends it before the commit
    const RecordedPrompt& asked = e.prompt.Messages[1];
    EXPECT_EQ(std::tuple(asked.Text, asked.Title, asked.Buttons, int(e.model->Modified)),
              std::tuple("Will transmit set data. OK?", "Transmission verification", PromptButtons::OkCancel, 0));
    EXPECT_TRUE(e.link.Requests.empty());

    e.prompt.Messages.clear();
    e.prompt.Answers = {PromptAnswer::Ok};
    e.dialog.OnUpload();
    LinkRecorder::Deliver();
    ASSERT_TRUE(e.dialog.UploadRunning());
    EXPECT_EQ(e.model->System.SwNumber[1].Value, 300);
    EXPECT_EQ(e.model->Modified, 1);
    e.link.Answer(kTransferFailed);
    e.link.AnswerAll(kTransferDone);  // the release
    EXPECT_FALSE(e.dialog.UploadRunning());
    EXPECT_EQ(Sent(e.link), (Strings{"A00", "release/3"}));
    EXPECT_EQ(e.prompt.Texts(), (Strings{"Will transmit set data. OK?", "Failed to transmit"}));

    CDlgSystem unlinked(nullptr, EditorContext{*e.model, {}, nullptr});  // no link: the upload ends at once
    e.prompt.Answers = {PromptAnswer::Ok};
    unlinked.OnUpload();
    EXPECT_EQ(e.prompt.Messages.back().Text, "Failed to open the device");
    EXPECT_FALSE(unlinked.UploadRunning());
    EXPECT_EQ(CDlgPcPort(nullptr, e.context, {}).UploadButton(), nullptr);  // the one editor without

    {  // closed while its upload runs: the link is released
        CDlgSystem closing(nullptr, e.context);
        e.prompt.Answers = {PromptAnswer::Ok};
        closing.OnUpload();
        LinkRecorder::Deliver();
        ASSERT_TRUE(closing.UploadRunning());
    }
    LinkRecorder::Deliver();
    EXPECT_EQ(Sent(e.link), (Strings{"A00", "release/3", "A00", "release/3"}));
}
