// The prompt seam on real Qt dialogs: each box is inspected and answered from
// a timer while its modal loop runs.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "support/TempDir.h"
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

TEST(QtPrompt, MessageBoxesHaveTheirButtonsDefaultAndIcon) {
    struct Case {
        const char* title;  // "" for the program's
        PromptIcon icon;
        PromptButtons buttons;
        QMessageBox::StandardButtons expectedButtons;
        QMessageBox::StandardButton expectedDefault;
        QMessageBox::Icon expectedIcon;
        QMessageBox::StandardButton click;
        PromptAnswer answer;
    };
    const Case cases[] = {
        {"", PromptIcon::Question, PromptButtons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
         QMessageBox::Question, QMessageBox::Yes, PromptAnswer::Yes},
        {"", PromptIcon::Question, PromptButtons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
         QMessageBox::Question, QMessageBox::No, PromptAnswer::No},
        {"", PromptIcon::Exclamation, PromptButtons::Ok, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning,
         QMessageBox::Ok, PromptAnswer::Ok},
        {"Transmission verification", PromptIcon::None, PromptButtons::OkCancel,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Cancel,
         PromptAnswer::Cancel},
    };
    QtPrompt prompt;
    for (const Case& c : cases) {
        QString text, title;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int width = 0, titleRoom = 0;  // the title, bold, and three title bar buttons
        WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            text = box->text();
            title = box->windowTitle();
            buttons = box->standardButtons();
            defaultButton = box->standardButton(box->defaultButton());
            icon = box->icon();
            width = box->width();
            QFont font = QApplication::font("QMdiSubWindowTitleBar");
            font.setBold(true);
            titleRoom = QFontMetrics(font).horizontalAdvance(title) +
                        3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box);
            box->button(c.click)->click();
        });
        EXPECT_EQ(prompt.Message("Set file not saved. Exit?\n\xb1", c.title, c.icon, c.buttons), c.answer);
        EXPECT_EQ(text, QString::fromUtf16(u"Set file not saved. Exit?\n\uff71"));
        EXPECT_EQ(title, *c.title ? c.title : "NX420");
        EXPECT_GE(width, titleRoom) << c.title;
        EXPECT_EQ(buttons, c.expectedButtons);
        EXPECT_EQ(defaultButton, c.expectedDefault);
        EXPECT_EQ(icon, c.expectedIcon);
    }
}

TEST(QtPrompt, FileDialogsUseTheFilterAndNoDefaultName) {
    TempDir dir;
    const std::string existing = dir.File("site.txt");
    WriteWholeFile(existing, "x");
    struct Case {
        FileDialogKind kind;
        std::string choose;
        QFileDialog::AcceptMode mode;
    };
    const Case cases[] = {{FileDialogKind::Open, existing, QFileDialog::AcceptOpen},
                          {FileDialogKind::Save, dir.File("new.txt"), QFileDialog::AcceptSave}};
    QtPrompt prompt;
    for (const Case& c : cases) {
        QStringList filters;
        QString suffix = "unset";
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        WhenModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_TRUE(dialog);
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            mode = dialog->acceptMode();
            // The name field ignores selectFile while it has the focus, which it may have by now.
            if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
            dialog->selectFile(QString::fromStdString(c.choose));
            static_cast<QDialog*>(dialog)->accept();  // as the Open or Save button does
        });
        std::string path;
        ASSERT_TRUE(prompt.ChooseFile(c.kind, "NX420 Data Files (*.*)|*.*|NX420 Text Files (*.txt)|*.txt||", path));
        EXPECT_EQ(path, c.choose);
        EXPECT_EQ(filters, (QStringList{"NX420 Data Files (*.*)", "NX420 Text Files (*.txt)"}));
        EXPECT_EQ(suffix, "");
        EXPECT_EQ(mode, c.mode);
    }
    WhenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    std::string untouched = "same";
    EXPECT_FALSE(prompt.ChooseFile(FileDialogKind::Open, "All|*||", untouched));
    EXPECT_EQ(untouched, "same");
}
}  // namespace
