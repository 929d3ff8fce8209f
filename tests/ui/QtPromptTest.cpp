// Real Qt dialogs, inspected and answered while their modal loop runs; the progress window.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "ui/ProgressWindow.h"
#include "ui/QtPrompt.h"

namespace {
// Runs inspect on the first modal dialog that shows up.
void WhenModal(std::function<void(QWidget*)> inspect) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            inspect(modal);
        }
    });
    timer->start(10);
}

TEST(QtPrompt, MessageBoxesAndFileDialogsAsTheProgramSetsThem) {
    using B = QMessageBox;
    const struct {
        const char* title;  // "" for the program's
        PromptIcon icon;
        PromptButtons buttons;
        B::StandardButtons shown;
        B::Icon shownIcon;
        B::StandardButton byDefault, click;
        PromptAnswer answer;
    } cases[] = {
        {"", PromptIcon::Question, PromptButtons::YesNo, B::Yes | B::No, B::Question, B::No, B::Yes, PromptAnswer::Yes},
        {"", PromptIcon::Question, PromptButtons::YesNo, B::Yes | B::No, B::Question, B::No, B::No, PromptAnswer::No},
        {"", PromptIcon::Exclamation, PromptButtons::Ok, B::Ok, B::Warning, B::Ok, B::Ok, PromptAnswer::Ok},
        {"Transmission verification", PromptIcon::None, PromptButtons::OkCancel, B::Ok | B::Cancel, B::NoIcon, B::Ok,
         B::Cancel, PromptAnswer::Cancel},
    };
    QtPrompt prompt;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.click));
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->text(), QString::fromUtf16(u"Set file not saved. Exit?\n\uff71"));
            EXPECT_EQ(box->windowTitle(), *c.title ? c.title : "NX420");
            EXPECT_EQ(std::tuple(box->standardButtons(), box->standardButton(box->defaultButton()), box->icon()),
                      std::tuple(c.shown, c.byDefault, c.shownIcon));
            // Wide enough for the title, bold, and three title bar buttons.
            QFont font = QApplication::font("QMdiSubWindowTitleBar");
            font.setBold(true);
            EXPECT_GE(box->width(), QFontMetrics(font).horizontalAdvance(box->windowTitle()) +
                                        3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box));
            box->button(c.click)->click();
        });
        EXPECT_EQ(prompt.Message("Set file not saved. Exit?\n\xb1", c.title, c.icon, c.buttons), c.answer);
    }

    // File dialogs: the filter, no default name, the Open or Save mode.
    TempDir dir;
    const std::string existing = dir.File("site.txt");
    WriteWholeFile(existing, "x");
    const struct {
        FileDialogKind kind;
        std::string choose;
        QFileDialog::AcceptMode mode;
    } files[] = {{FileDialogKind::Open, existing, QFileDialog::AcceptOpen},
                 {FileDialogKind::Save, dir.File("new.txt"), QFileDialog::AcceptSave}};
    for (const auto& c : files) {
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->nameFilters(), (QStringList{"NX420 Data Files (*.*)", "NX420 Text Files (*.txt)"}));
            EXPECT_EQ(std::pair(dialog->defaultSuffix(), dialog->acceptMode()), std::pair(QString(), c.mode));
            // The name field ignores selectFile while it has the focus, which it may have by now.
            if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
            dialog->selectFile(QString::fromStdString(c.choose));
            static_cast<QDialog*>(dialog)->accept();  // as the Open or Save button does
        });
        std::string path;
        ASSERT_TRUE(prompt.ChooseFile(c.kind, "NX420 Data Files (*.*)|*.*|NX420 Text Files (*.txt)|*.txt||", path));
        EXPECT_EQ(path, c.choose);
    }
    // Cancelled; a label without its patterns gets them in parentheses.
    WhenModal([](QWidget* w) {
        EXPECT_EQ(static_cast<QFileDialog*>(w)->nameFilters(), QStringList{"Logs (*.txt *.log)"});
        static_cast<QDialog*>(w)->reject();
    });
    std::string untouched = "same";
    EXPECT_FALSE(prompt.ChooseFile(FileDialogKind::Open, "Logs|*.txt;*.log||", untouched));
    EXPECT_EQ(untouched, "same");
}

// The progress window joins the modal window in front (an editor, the upload
// window), or Cancel could not be clicked; it goes when that window goes.
TEST(ProgressWindow, JoinsTheModalWindowInFrontOutlivesABoxAndOnlyCancels) {
    QWidget owner;
    owner.show();
    ProgressDesk desk(&owner);
    desk.Open(2, "Title", 10, {});
    ASSERT_NE(desk.Window(), nullptr);
    EXPECT_EQ(desk.Window()->parentWidget(), &owner);
    auto* modal = new QDialog(&owner);
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    desk.Open(2, "Title", 10, {});
    ASSERT_NE(desk.Window(), nullptr);
    EXPECT_EQ(desk.Window()->parentWidget(), modal);

    // A box shown while a transfer ends its progress window neither belongs to that
    // window nor loses it under its feet: the end is handled in the box's loop.
    QPointer<ProgressWindow> progress = desk.Window();
    progress->activateWindow();
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        desk.End();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        box->accept();
    });
    EXPECT_EQ(QtPrompt().Message("Communications time-out", {}, PromptIcon::Warning, PromptButtons::Ok),
              PromptAnswer::Ok);
    EXPECT_EQ(parent, modal);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(progress.isNull());

    desk.Open(2, "Title", 10, {});
    delete modal;
    EXPECT_EQ(desk.Window(), nullptr);  // not left dangling

    // Cancel, Esc and the close box cancel; the window stays until the transfer ends it.
    int cancels = 0;
    desk.Open(2, "Title", 10, [&] { ++cancels; });
    ProgressWindow* w = desk.Window();
    w->CancelButton()->click();
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->close());  // the close box
    EXPECT_EQ(cancels, 3);
    EXPECT_TRUE(w->isVisible());
    desk.End();
    EXPECT_EQ(cancels, 3);
}
}  // namespace
