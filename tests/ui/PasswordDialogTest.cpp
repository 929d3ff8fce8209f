// The Password Input and New Password dialogs: texts, order of checks, focus, the line written.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "model/SettingsFile.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "ui/DlgNewPassword.h"
#include "ui/DlgPassword.h"

namespace {
using Strings = std::vector<std::string>;
const std::string kRest = "[Maintenance]\nPcConnect=0\nCommPort=0\nTelNo=\n";

bool Activate(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
}

QStringList Labels(const QWidget& w) {
    QStringList out;
    for (const QLabel* l : w.findChildren<QLabel*>()) out << l->text();
    return out;
}

class Password : public testing::Test {
protected:
    TempDir dir;
    const std::string file = dir.File("NX420.txt");
    RecordingPrompt prompt;
    ScopedAppPrompt scoped{prompt};
    FixedText<20> password;
};

TEST_F(Password, InputWrongEntryNewPasswordCancelAndRightEntry) {
    WriteWholeFile(file, PasswordLine("Secret") + kRest);
    CDlgPassword dialog(password, file);  // password empty: the dialog reads the file itself
    ASSERT_TRUE(Activate(dialog));
    EXPECT_EQ(dialog.windowTitle(), "Password Input");
    EXPECT_EQ(Labels(dialog), QStringList{"Enter the password."});

    QTest::keyClicks(dialog.PasswordEdit(), "secret");  // the case counts
    QTest::keyClick(dialog.PasswordEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.OkButton()->hasFocus());  // Enter moves to OK, it does not press it
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    ASSERT_EQ(prompt.Texts(), Strings{"Incorrect password"});
    EXPECT_EQ(prompt.Messages[0].Icon, PromptIcon::Question);
    EXPECT_EQ(dialog.PasswordEdit()->text(), "");
    EXPECT_TRUE(dialog.PasswordEdit()->hasFocus());

    // New Password comes back to the entry with what was typed selected.
    int runs = 0;
    dialog.RunNewPassword = [&] { ++runs, dialog.CancelButton()->setFocus(); };  // as a dialog in between would
    QTest::keyClicks(dialog.PasswordEdit(), "xy");
    QTest::mouseClick(dialog.NewPasswordButton(), Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(dialog.PasswordEdit()->hasFocus());
    EXPECT_EQ(dialog.PasswordEdit()->selectedText(), "xy");

    QTest::keyClicks(dialog.PasswordEdit(), "Secret");
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    CDlgPassword cancelled(password, file);
    ASSERT_TRUE(Activate(cancelled));
    QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(Password, NewChecksInOrderThenWritesInPlace) {
    const struct {
        const char *name, *oldP, *newP, *confirm, *message;  // message "" when the dialog closes
        bool focusOnOld;                                       // else on New password
    } cases[] = {
        {"old wrong", "OLD", "n1", "n2", "Old password not correct.", true},
        {"confirmation differs", "old", "n1", "n2", "New password not correct.", false},
        {"changed", "old", "n1", "n1", "", false},
        {"emptied", "old", "", "", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteWholeFile(file, PasswordLine("old") + kRest);
        prompt.Messages.clear();
        password = "old";
        CDlgNewPassword dialog(password, file);
        ASSERT_TRUE(Activate(dialog));
        EXPECT_EQ(dialog.windowTitle(), "New Password");
        EXPECT_EQ(Labels(dialog), (QStringList{"Old password", "New password", "New password\n  (Confirmation)"}));
        QTest::keyClicks(dialog.OldEdit(), c.oldP);
        QTest::keyClicks(dialog.NewEdit(), c.newP);
        QTest::keyClicks(dialog.ConfirmEdit(), c.confirm);
        QTest::keyClick(dialog.ConfirmEdit(), Qt::Key_Enter);
        ASSERT_TRUE(dialog.OkButton()->hasFocus());
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);

        const bool closes = !*c.message;
        EXPECT_EQ(prompt.Texts(), closes ? Strings{} : Strings{c.message});
        for (const auto& m : prompt.Messages) EXPECT_EQ(m.Icon, PromptIcon::Question);
        EXPECT_EQ(dialog.isVisible(), !closes);
        EXPECT_EQ(password.Str(), closes ? c.newP : "old");
        EXPECT_EQ(ReadWholeFile(file), PasswordLine(closes ? c.newP : "old") + kRest);
        if (closes) continue;
        // The field found wrong is emptied and takes the focus; New password takes Confirmation along.
        EXPECT_TRUE((c.focusOnOld ? dialog.OldEdit() : dialog.NewEdit())->hasFocus());
        EXPECT_EQ((QStringList{dialog.OldEdit()->text(), dialog.NewEdit()->text(), dialog.ConfirmEdit()->text()}),
                  (c.focusOnOld ? QStringList{"", c.newP, c.confirm} : QStringList{c.oldP, "", ""}));
    }
}

TEST_F(Password, NewFieldsRefuseWhatTheFileCannotHoldAndAnUnwritableFileIsReported) {
    CDlgNewPassword dialog(password, dir.File("no-such-folder/NX420.txt"));
    ASSERT_TRUE(Activate(dialog));
    QTest::keyClicks(dialog.NewEdit(), "ab");
    QTest::sendKeyEvent(QTest::Click, dialog.NewEdit(), Qt::Key_Eacute, QString(QChar(0xE9)), Qt::NoModifier);
    QTest::keyClicks(dialog.NewEdit(), "c" + QString(30, 'x'));
    EXPECT_EQ(dialog.NewEdit()->text(), "abc" + QString(17, 'x'));  // no accented letter, 20 at most
    QTest::keyClicks(dialog.ConfirmEdit(), dialog.NewEdit()->text());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    // The password still changes for this run.
    EXPECT_EQ(prompt.Texts(),
              Strings{"The password could not be written to NX420.txt.\nIt applies until the program ends."});
    EXPECT_EQ(prompt.Messages[0].Icon, PromptIcon::Exclamation);
    EXPECT_EQ(password.Str(), "abc" + std::string(17, 'x'));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
}  // namespace
