#include "ui/DlgPassword.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Prompt.h"
#include "model/Password.h"
#include "ui/DlgNewPassword.h"
#include "ui/EnterToDefault.h"
#include "ui/Text8.h"

CDlgPassword::CDlgPassword(FixedText<20>& password, std::string startupFile, QWidget* parent)
    : QDialog(parent), password_(password), startupFile_(std::move(startupFile)) {
    setWindowTitle("Password Input");
    edit_ = MakePasswordEdit(this);
    newPassword_ = new QPushButton("New Password", this);
    ok_ = new QPushButton("OK", this);
    cancel_ = new QPushButton("Cancel", this);
    ok_->setDefault(true);
    for (QPushButton* b : {newPassword_, ok_, cancel_}) b->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Enter the password.", this));
    left->addWidget(edit_);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(newPassword_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    (new EnterToDefault(ok_, this))->Watch(edit_);
    connect(ok_, &QPushButton::clicked, this, &CDlgPassword::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(newPassword_, &QPushButton::clicked, this, &CDlgPassword::OnNewPassword);
    RunNewPassword = [this] {
        CDlgNewPassword dialog(password_, startupFile_, this);
        dialog.exec();
    };

    // The file may have changed since the start-up check read it.
    ReadFilePassword(startupFile_, password_, AppPrompt());
    edit_->setFocus(Qt::OtherFocusReason);
}

void CDlgPassword::OnOk() {
    std::string typed;
    if (ToText8(edit_->text(), typed) && typed == password_.View()) {
        accept();
        return;
    }
    AppPrompt().Message(kIncorrectPassword, {}, PromptIcon::Question, PromptButtons::Ok);
    edit_->clear();
    edit_->setFocus(Qt::OtherFocusReason);
    edit_->selectAll();
}

void CDlgPassword::OnNewPassword() {
    if (RunNewPassword) RunNewPassword();
    edit_->setFocus(Qt::OtherFocusReason);
    edit_->selectAll();
}
