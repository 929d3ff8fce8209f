#pragma once
// "Direct Select": per exchange, how the control outputs of direct selection
// are driven.
#include "editors/DirectSelectRules.h"
#include "editors/EditorDialog.h"

class QComboBox;
class QButtonGroup;
class QRadioButton;

inline constexpr const char* kDirectSelectTitle = "Direct Select";

class CDlgDirectSelect : public EditorDialog {
    Q_OBJECT
public:
    CDlgDirectSelect(QWidget* owner, const EditorContext& context);

    const DirectSelectCopy& Copy() const { return copy_; }
    QComboBox* Selector() const { return selector_; }
    QRadioButton* ResponseActivated() const { return response_; }
    QRadioButton* CallActivated() const { return call_; }

protected:
    ValidationResult Validate() const override { return {}; }
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult&) override {}
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void PrintCopy() override;

private:
    DirectSelectCopy copy_;
    QComboBox* selector_ = nullptr;
    QRadioButton* response_ = nullptr;
    QRadioButton* call_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    bool filling_ = false;
};
