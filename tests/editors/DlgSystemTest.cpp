// The Global Setting editor offscreen, and with it the behaviour every editor
// shares: Overwrite, Close, Upload with its supervision, the keyboard rules.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "EditorWindowSupport.h"
#include "comm/MessageEvent.h"
#include "editors/DlgSystem.h"

namespace {
using Strings = std::vector<std::string>;

struct SystemEditor : EditorWindowTest {
    int saves = 0;
    std::unique_ptr<CDlgSystem> owned;
    CDlgSystem& dialog;
    GridWidget& grid;
    explicit SystemEditor(void (*prepare)(SettingData&) = nullptr)
        : owned(Open(prepare)), dialog(*owned), grid(*dialog.Grid()) {
        dialog.show();
    }
    std::unique_ptr<CDlgSystem> Open(void (*prepare)(SettingData&)) {
        if (prepare) prepare(*model);
        return std::make_unique<CDlgSystem>(nullptr, *model, [this] { ++saves; });
    }

    void SelectCount(int count) { dialog.ExchangeCountList()->setCurrentIndex(count - 1); }
    void PostResult(int code) {
        QCoreApplication::postEvent(&dialog, new MessageEvent(UM_TRANSFER_RESULT, code));
        QCoreApplication::sendPostedEvents(&dialog);
    }
};
}  // namespace

TEST(DlgSystem, OpensOnTheModel) {
    SystemEditor e([](SettingData& d) { d.System.TieLine[2] = 1; });
    EXPECT_EQ(e.dialog.windowTitle(), "Global Setting");
    EXPECT_EQ(e.dialog.PrintButton()->text(), "Print");
    EXPECT_EQ(e.dialog.UploadButton()->text(), "Upload");
    EXPECT_EQ(e.dialog.OverwriteButton()->text(), "Overwrite");
    EXPECT_EQ(e.dialog.CloseButton()->text(), "Close");
    EXPECT_EQ(e.dialog.ExchangeCountList()->currentText(), "2");
    EXPECT_EQ(e.dialog.ExchangeCountList()->count(), 16);
    EXPECT_EQ(e.dialog.StationDigitsList()->currentText(), "3");
    EXPECT_EQ(e.dialog.StationDigitsList()->itemText(0), "2");
    EXPECT_EQ(e.dialog.StationDigitsList()->count(), 5);
    for (int line = 1; line <= 4; ++line) {
        EXPECT_EQ(e.dialog.TieLineBox(line)->text(), QString("Line %1").arg(line));
        EXPECT_EQ(e.dialog.TieLineBox(line)->isChecked(), line == 3);
    }
    EXPECT_EQ(e.dialog.TimeDisplay()->text(), "09:05:07");
    EXPECT_EQ(e.grid.horizontalHeaderItem(0)->text(), "Exchange");
    EXPECT_EQ(e.grid.horizontalHeaderItem(1)->text(), "First Station No.");
    EXPECT_EQ(e.grid.columnWidth(0), 85);
    EXPECT_EQ(e.grid.columnWidth(1), 120);
    EXPECT_EQ(e.grid.rowHeight(0), 20);
    EXPECT_EQ(e.grid.horizontalHeader()->height(), 20);
    ASSERT_EQ(e.grid.rowCount(), 2);
    EXPECT_EQ(e.grid.CellText(1, 0), "2");
    EXPECT_EQ(e.grid.CellText(1, 1), "200");
    EXPECT_FALSE(TypeIntoCell(e.grid, 0, 0, "5"));  // the exchange column is read-only
}

TEST(DlgSystem, CellEditsOverwriteAndClose) {
    SystemEditor e;
    // Refused input leaves the previous value in the cell and the copy.
    for (const char* refused : {"1a0", "1234567", ""}) {
        ASSERT_TRUE(TypeIntoCell(e.grid, 0, 1, refused));
        EXPECT_EQ(e.grid.CellText(0, 1), "100") << refused;
    }
    ASSERT_TRUE(TypeIntoCell(e.grid, 0, 1, "150"));
    EXPECT_EQ(e.grid.CellText(0, 1), "150");
    e.dialog.TieLineBox(4)->setChecked(true);
    EXPECT_EQ(e.model->System.SwNumber[0].Value, 100);  // only the copy changed

    e.dialog.OnClose();  // No (the default answer) keeps it open
    EXPECT_EQ(Texts(e.prompt), Strings{"Text changed. Exit?"});
    EXPECT_EQ(e.prompt.Messages[0].Buttons, PromptButtons::YesNo);
    EXPECT_TRUE(e.dialog.isVisible());

    e.dialog.OverwriteButton()->click();
    EXPECT_EQ(e.prompt.Messages.size(), 1u);
    EXPECT_EQ(e.model->System.SwNumber[0].Value, 150);
    EXPECT_EQ(e.model->System.SwNumber[0].Text.Str(), "150");
    EXPECT_EQ(e.model->System.TieLine[3], 1);
    EXPECT_EQ(e.model->Modified, 1);
    EXPECT_TRUE(e.dialog.isVisible());

    // Nothing differs now: Close asks nothing and closes.
    e.dialog.CloseButton()->click();
    EXPECT_EQ(e.prompt.Messages.size(), 1u);
    EXPECT_FALSE(e.dialog.isVisible());
}

TEST(DlgSystem, OverwriteWithoutChangeWritesNothing) {
    SystemEditor e;
    e.dialog.OnOverwrite();
    EXPECT_EQ(e.model->Modified, 0);
    EXPECT_TRUE(e.prompt.Messages.empty());
    e.dialog.reject();  // the close box and Esc
    EXPECT_TRUE(e.prompt.Messages.empty());
    EXPECT_FALSE(e.dialog.isVisible());
}

TEST(DlgSystem, ValidationFailuresFocusTheirField) {
    SystemEditor e;
    // 4 exchanges, then 2, then 4 again: exchanges 3 and 4 come back empty.
    e.SelectCount(4);
    ASSERT_EQ(e.grid.rowCount(), 4);
    ASSERT_TRUE(TypeIntoCell(e.grid, 2, 1, "300"));
    ASSERT_TRUE(TypeIntoCell(e.grid, 3, 1, "400"));
    e.SelectCount(2);
    e.SelectCount(4);
    EXPECT_EQ(e.grid.CellText(2, 1), "");
    EXPECT_EQ(e.grid.CellText(3, 1), "");
    e.dialog.OnOverwrite();
    ASSERT_EQ(Texts(e.prompt), Strings{"Incorrect first station No.digit length"});
    EXPECT_EQ(e.prompt.Messages[0].Buttons, PromptButtons::Ok);
    EXPECT_EQ(e.grid.currentRow(), 2);
    EXPECT_EQ(e.grid.currentColumn(), 1);
    EXPECT_EQ(e.model->System.SwitchCnt, 2);
    EXPECT_EQ(e.model->Modified, 0);

    // Order and duplicates report the lower exchange.
    ASSERT_TRUE(TypeIntoCell(e.grid, 2, 1, "150"));
    ASSERT_TRUE(TypeIntoCell(e.grid, 3, 1, "400"));
    e.dialog.OnOverwrite();
    EXPECT_EQ(e.prompt.Messages.back().Text, "First station No.is greater than that of the next exchange.");
    EXPECT_EQ(e.grid.currentRow(), 1);
    ASSERT_TRUE(TypeIntoCell(e.grid, 2, 1, "100"));
    e.dialog.OnOverwrite();
    EXPECT_EQ(e.prompt.Messages.back().Text, "First station No.is greater than that of the next exchange.");
    ASSERT_TRUE(TypeIntoCell(e.grid, 2, 1, "300"));
    ASSERT_TRUE(TypeIntoCell(e.grid, 3, 1, "300"));
    e.dialog.OnOverwrite();
    EXPECT_EQ(e.prompt.Messages.back().Text, "Duplicated first station No.");
    EXPECT_EQ(e.grid.currentRow(), 2);
    EXPECT_EQ(e.model->Modified, 0);
}

TEST(DlgSystem, KeyboardRules) {
    SystemEditor e;
    QComboBox* count = e.dialog.ExchangeCountList();
    count->setFocus();
    QTest::keyClick(count, Qt::Key_5);
    QTest::keyClick(count, Qt::Key_Space);
    EXPECT_EQ(count->currentText(), "2");
    // Enter and Esc inside a field close nothing.
    QTest::keyClick(count, Qt::Key_Escape);
    QTest::keyClick(count, Qt::Key_Return);
    EXPECT_TRUE(e.dialog.isVisible());
    EXPECT_TRUE(e.prompt.Messages.empty());
    // On a button Esc is Close, which asks when something changed.
    ASSERT_TRUE(TypeIntoCell(e.grid, 1, 1, "250"));
    e.dialog.OverwriteButton()->setFocus();
    QTest::keyClick(e.dialog.OverwriteButton(), Qt::Key_Escape);
    EXPECT_EQ(Texts(e.prompt), Strings{"Text changed. Exit?"});
    EXPECT_TRUE(e.dialog.isVisible());
    // Enter presses the button that has the focus.
    QTest::keyClick(e.dialog.OverwriteButton(), Qt::Key_Return);
    EXPECT_EQ(e.model->System.SwNumber[1].Value, 250);
    // Ctrl+S saves from inside the editor.
    e.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&e.dialog));
    QTest::keyClick(&e.dialog, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(e.saves, 1);
}

TEST(DlgSystem, UploadConfirmsCommitsAndIsSupervised) {
    SystemEditor e;
    ASSERT_TRUE(TypeIntoCell(e.grid, 1, 1, "300"));
    e.dialog.OnUpload();  // Cancel (the scripted default) ends it before the commit
    ASSERT_EQ(e.prompt.Messages.size(), 1u);
    EXPECT_EQ(e.prompt.Messages[0].Text, "Will transmit set data. OK?");
    EXPECT_EQ(e.prompt.Messages[0].Title, "Transmission verification");
    EXPECT_EQ(e.prompt.Messages[0].Buttons, PromptButtons::OkCancel);
    EXPECT_EQ(e.model->Modified, 0);
    EXPECT_EQ(e.transfer.Requester, nullptr);

    e.prompt.Answers = {PromptAnswer::Ok};
    e.dialog.OnUpload();
    EXPECT_EQ(e.model->System.SwNumber[1].Value, 300);
    EXPECT_EQ(e.model->Modified, 1);
    EXPECT_EQ(e.transfer.Requester, &e.dialog);
    EXPECT_EQ(e.transfer.Title, "Global Setting");
    ASSERT_EQ(e.transfer.Texts.size(), 1u);
    EXPECT_EQ(e.transfer.Texts[0][0], 'A');
    EXPECT_TRUE(e.dialog.UploadRunning());
    e.PostResult(kTransferFailed);
    EXPECT_EQ(e.prompt.Messages.back().Text, "Failed to transmit");
    EXPECT_EQ(e.transfer.Ends, std::vector<bool>{false});
    EXPECT_FALSE(e.dialog.UploadRunning());

    // No answer within 120 ticks: the link is released and the failure shown once.
    e.prompt.Answers = {PromptAnswer::Ok};
    e.dialog.OnUpload();
    for (int i = 1; i < 120; ++i) e.dialog.TickUpload();
    EXPECT_EQ(e.transfer.Releases, 0);
    e.dialog.TickUpload();
    EXPECT_EQ(e.transfer.Releases, 1);
    EXPECT_EQ(e.prompt.Messages.back().Text, "Failed to transmit");
    const std::size_t shown = e.prompt.Messages.size();
    e.PostResult(kTransferDone);  // a late answer
    EXPECT_EQ(e.prompt.Messages.size(), shown);

    // A cancel in the progress window: released on the next tick, silently.
    e.prompt.Answers = {PromptAnswer::Ok};
    e.dialog.OnUpload();
    e.transfer.UserCancelled = true;
    e.dialog.TickUpload();
    EXPECT_EQ(e.transfer.Releases, 2);
    EXPECT_EQ(e.prompt.Messages.size(), shown + 1);  // the confirmation only
    e.transfer.UserCancelled = false;

    // Done: no message, the progress window completed.
    e.prompt.Answers = {PromptAnswer::Ok};
    e.dialog.OnUpload();
    e.PostResult(kTransferDone);
    EXPECT_EQ(e.prompt.Messages.size(), shown + 2);
    EXPECT_TRUE(e.transfer.Ends.back());

    // Without a link the upload ends at once.
    e.transfer.Accept = false;
    e.prompt.Answers = {PromptAnswer::Ok};
    e.dialog.OnUpload();
    EXPECT_EQ(e.prompt.Messages.back().Text, "Failed to open the device");
    EXPECT_FALSE(e.dialog.UploadRunning());
}

TEST(DlgSystem, UploadStopsAtAFailedCheck) {
    SystemEditor e;
    e.dialog.StationDigitsList()->setCurrentIndex(2);  // 4 digits: "100" no longer fits
    e.dialog.OnUpload();
    EXPECT_EQ(Texts(e.prompt), Strings{"Incorrect first station No.digit length"});
    EXPECT_EQ(e.grid.currentRow(), 0);
    EXPECT_EQ(e.transfer.Requester, nullptr);
}
