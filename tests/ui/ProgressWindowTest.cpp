#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "support/RecordingPrompt.h"
#include "ui/ProgressWindow.h"
#include "ui/QtPrompt.h"

namespace {

// The progress window must stay usable (Cancel clickable) while a modal window
// such as an editor or the upload window is in front: it joins that window.
TEST(ProgressWindowTest, JoinsTheModalWindowInFront) {
    QWidget owner;
    owner.show();
    ProgressDesk desk(&owner);
    desk.Open(2, "Title", 10, {});
    ASSERT_NE(desk.Window(), nullptr);
    EXPECT_EQ(desk.Window()->parentWidget(), &owner);
    desk.End();

    auto* modal = new QDialog(&owner);
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    desk.Open(2, "Title", 10, {});
    ASSERT_NE(desk.Window(), nullptr);
    EXPECT_EQ(desk.Window()->parentWidget(), modal);
    // Closing the modal window takes the progress window with it; the desk
    // must notice rather than keep a dangling window.
    delete modal;
    EXPECT_EQ(desk.Window(), nullptr);
    desk.End();
}

// Cancel, Esc and the close box cancel the transfer; the window stays until
// the transfer ends it.
TEST(ProgressWindowTest, CancelEscAndTheCloseBoxCancel) {
    QWidget owner;
    owner.show();
    ProgressDesk desk(&owner);
    int cancels = 0;
    desk.Open(2, "Title", 10, [&] { ++cancels; });
    ProgressWindow* w = desk.Window();
    w->CancelButton()->click();
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->close());  // the close box
    EXPECT_EQ(cancels, 3);
    EXPECT_TRUE(w->isVisible());
    desk.End();
    desk.End();  // once more: nothing
    EXPECT_EQ(cancels, 3);
}

// A message box shown while a transfer ends its progress window must neither
// belong to that window nor lose it under its feet: the box runs its own loop,
// in which the window's end is handled.
TEST(ProgressWindowTest, AMessageBoxOutlivesTheProgressWindowItEnds) {
    QDialog sheet;
    sheet.setWindowModality(Qt::ApplicationModal);
    sheet.show();
    ProgressDesk desk(&sheet);
    desk.Open(2, "Title", 10, {});
    QPointer<ProgressWindow> progress = desk.Window();
    progress->activateWindow();
    QtPrompt prompt;
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        desk.End();  // the transfer ends while the box is up
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        box->accept();
    });
    EXPECT_EQ(prompt.Message("Communications time-out", {}, PromptIcon::Warning, PromptButtons::Ok), PromptAnswer::Ok);
    EXPECT_EQ(parent, &sheet);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(progress.isNull());
}

}  // namespace
