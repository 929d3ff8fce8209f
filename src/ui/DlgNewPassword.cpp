#include "ui/DlgNewPassword.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "core/Prompt.h"
#include "model/Password.h"
#include "ui/EnterToDefault.h"
#include "ui/Text8.h"

QLineEdit* MakePasswordEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kMaxPasswordLength);
    edit->setEchoMode(QLineEdit::Password);
    // Printable ASCII only: the stored form shifts every code by 16.
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[\\x20-\\x7E]*"), edit));
    return edit;
}

namespace {
std::string Text8Of(const QLineEdit* edit) {
    std::string out;
    ToText8(edit->text(), out);  // the validator lets only 8-bit characters in
    return out;
}

void ClearAndFocus(QLineEdit* edit) {
    edit->clear();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
}  // namespace

CDlgNewPassword::CDlgNewPassword(FixedText<20>& password, std::string startupFile, QWidget* parent)
    : QDialog(parent), password_(password), startupFile_(std::move(startupFile)) {
    setWindowTitle("New Password");
    old_ = MakePasswordEdit(this);
    new_ = MakePasswordEdit(this);
    confirm_ = MakePasswordEdit(this);
    ok_ = new QPushButton("OK", this);
    cancel_ = new QPushButton("Cancel", this);
    ok_->setDefault(true);
    ok_->setAutoDefault(false);
    cancel_->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Old password", this), 0, 0);
    fields->addWidget(old_, 0, 1);
    fields->addWidget(new QLabel("New password", this), 1, 0);
    fields->addWidget(new_, 1, 1);
    fields->addWidget(new QLabel("New password\n  (Confirmation)", this), 2, 0);
    fields->addWidget(confirm_, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    auto* enter = new EnterToDefault(ok_, this);
    for (QLineEdit* e : {old_, new_, confirm_}) enter->Watch(e);
    connect(ok_, &QPushButton::clicked, this, &CDlgNewPassword::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    old_->setFocus(Qt::OtherFocusReason);
}

void CDlgNewPassword::OnOk() {
    const std::string newPassword = Text8Of(new_);
    switch (CheckNewPassword(password_.View(), Text8Of(old_), newPassword, Text8Of(confirm_))) {
        case NewPasswordCheck::OldWrong:
            AppPrompt().Message(kOldPasswordNotCorrect, {}, PromptIcon::Question, PromptButtons::Ok);
            ClearAndFocus(old_);
            return;
        case NewPasswordCheck::ConfirmWrong:
            AppPrompt().Message(kNewPasswordNotCorrect, {}, PromptIcon::Question, PromptButtons::Ok);
            confirm_->clear();
            ClearAndFocus(new_);
            return;
        case NewPasswordCheck::Ok: break;
    }
    password_ = newPassword;
    // The change holds in memory either way; a failed write must not pass
    // unnoticed, or the old password would return at the next start.
    if (!WritePasswordLine(startupFile_, newPassword)) AppPrompt().Tell(kPasswordWriteError, PromptIcon::Exclamation);
    accept();
}
