#pragma once
// "PC Port": RS-232C or modem, the COM port, the number the modem dials, and
// the way to a new password. These settings stay on the PC: no Upload.
#include <functional>

#include "editors/EditorDialog.h"
#include "editors/PortRules.h"

class QLabel;
class QLineEdit;
class QRadioButton;

inline constexpr const char* kPcPortTitle = "PC Port";
inline constexpr const char* kNewPasswordButtonText = "New Password";
inline constexpr const char* kLineSettingsText = "Baud Rate: 19200; Parity: Even; Data: 8 bits; Stop Bit: 1";

// What the editor needs of the shell.
struct PcPortHooks {
    // The busy guard: true when a reading runs (its message is shown).
    std::function<bool()> Busy;
    // Close the link, wait for it and open it again with the model's settings.
    std::function<void()> RestartLink;
};

class CDlgPcPort : public EditorDialog {
    Q_OBJECT
public:
    CDlgPcPort(QWidget* owner, const EditorContext& context, PcPortHooks hooks);

    const PortCopy& Copy() const { return copy_; }
    QRadioButton* MethodButton(int method) const { return methods_[method]; }
    QRadioButton* PortButton(int port) const { return ports_[port]; }
    QLabel* LineSettings() const { return lineSettings_; }
    QLineEdit* TelNoEdit() const { return telNo_; }
    QPushButton* NewPasswordButton() const { return newPassword_; }

protected:
    ValidationResult Validate() const override { return ValidatePort(copy_); }
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override { return PortCopyDiffers(copy_, Model().Maintenance); }
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override { return {}; }
    void PrintCopy() override;

private:
    void EnableForMethod();

    PcPortHooks hooks_;
    PortCopy copy_;
    QRadioButton* methods_[2] = {};
    QRadioButton* ports_[4] = {};
    QLabel* lineSettings_ = nullptr;
    QLineEdit* telNo_ = nullptr;
    QPushButton* newPassword_ = nullptr;
    bool filling_ = false;
};
