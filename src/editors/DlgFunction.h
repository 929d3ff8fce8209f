#pragma once
// "Call Forwarding/Time-Out": per exchange which call forwarding functions are
// on, the daily window of time-based forwarding, and the call and
// conversation time limits.
#include "editors/EditorDialog.h"
#include "editors/FunctionRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class SpinField;

inline constexpr const char* kCallForwardingTitle = "Call Forwarding/Time-Out";

class CDlgFunction : public EditorDialog {
    Q_OBJECT
public:
    CDlgFunction(QWidget* owner, const EditorContext& context);

    // A value field with its check box and label (interval, call time, conversation time).
    struct ValueWidgets {
        QCheckBox* Box = nullptr;
        QLabel* Label = nullptr;
        SpinField* Field = nullptr;
    };

    const FunctionCopy& Copy() const { return copy_; }
    QComboBox* Selector() const { return selector_; }
    QCheckBox* Forwarding() const { return forwarding_; }
    QCheckBox* TimeBased() const { return timeBased_; }
    QLineEdit* StartTime() const { return start_; }
    QLineEdit* EndTime() const { return end_; }
    QCheckBox* Busy() const { return busy_; }
    // field: kFunctionFieldInterval, kFunctionFieldCallTime or kFunctionFieldTalkTime.
    const ValueWidgets& Value(int field) const { return values_[field - kFunctionFieldInterval]; }

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void PrintCopy() override;

private:
    void MakeValue(int field, const char* box, const char* label, int maxLength);
    void ShowEnabling();
    FunctionData& Entry();

    FunctionCopy copy_;
    QComboBox* selector_ = nullptr;
    QCheckBox* forwarding_ = nullptr;
    QCheckBox* timeBased_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QCheckBox* busy_ = nullptr;
    ValueWidgets values_[3];
    bool filling_ = false;
};
