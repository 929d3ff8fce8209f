#pragma once
// The New Password dialog: old password, new password and its confirmation.
// On success the password in memory changes and is written into the start-up
// settings file at once.
#include <QDialog>
#include <string>

#include "core/FixedText.h"

class QLineEdit;
class QPushButton;

class CDlgNewPassword : public QDialog {
    Q_OBJECT
public:
    CDlgNewPassword(FixedText<20>& password, std::string startupFile, QWidget* parent = nullptr);

    QLineEdit* OldEdit() const { return old_; }
    QLineEdit* NewEdit() const { return new_; }
    QLineEdit* ConfirmEdit() const { return confirm_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    void OnOk();

    FixedText<20>& password_;
    std::string startupFile_;
    QLineEdit* old_;
    QLineEdit* new_;
    QLineEdit* confirm_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// An edit field for a password of at most 20 characters that the settings
// file can hold.
QLineEdit* MakePasswordEdit(QWidget* parent);
