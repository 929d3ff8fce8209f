#pragma once
// "C/O Trunks": per exchange the C/O connection time-out and the two C/O
// lines, each with its name, outgoing use and access digit, incoming modes and
// the receiving stations of direct-in line calls.
#include "editors/EditorDialog.h"
#include "editors/LineRules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class GridWidget;
class SpinField;

inline constexpr const char* kCoTrunksTitle = "C/O Trunks";

class CDlgLine : public EditorDialog {
    Q_OBJECT
public:
    CDlgLine(QWidget* owner, const EditorContext& context);

    struct LineWidgets {
        QLineEdit* Name = nullptr;
        QCheckBox* Outgoing = nullptr;
        SpinField* Access = nullptr;
        QCheckBox* RxDial = nullptr;
        QCheckBox* RxLine = nullptr;
        GridWidget* Grid = nullptr;
        QPushButton* DeleteAll = nullptr;
    };

    const LineCopy& Copy() const { return copy_; }
    QComboBox* Selector() const { return selector_; }
    SpinField* TimeOut() const { return timeOut_; }
    const LineWidgets& Line(int line) const { return lines_[line - 1]; }

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void PrintCopy() override;

private:
    QWidget* MakeLineGroup(int line);
    void ShowEnabling(int line);
    void ShowGrid(int line);
    int Exchange() const;

    LineCopy copy_;
    QComboBox* selector_ = nullptr;
    SpinField* timeOut_ = nullptr;
    LineWidgets lines_[kLinesPerExchange];
    bool filling_ = false;
};
