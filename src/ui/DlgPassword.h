#pragma once
// The Password Input dialog of start-up: the typed text must equal the
// password of the start-up settings file.
#include <QDialog>
#include <functional>
#include <string>

#include "core/FixedText.h"

class QLineEdit;
class QPushButton;

class CDlgPassword : public QDialog {
    Q_OBJECT
public:
    // Reads the password of startupFile again into password.
    CDlgPassword(FixedText<20>& password, std::string startupFile, QWidget* parent = nullptr);

    QLineEdit* PasswordEdit() const { return edit_; }
    QPushButton* NewPasswordButton() const { return newPassword_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    // Runs the New Password dialog; tests replace it to avoid a modal loop.
    std::function<void()> RunNewPassword;

private:
    void OnOk();
    void OnNewPassword();

    FixedText<20>& password_;
    std::string startupFile_;
    QLineEdit* edit_;
    QPushButton* newPassword_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
