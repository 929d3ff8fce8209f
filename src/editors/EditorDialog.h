#pragma once
// What every setting editor shares: a modal dialog over a working copy of its
// category, the buttons "Print", "Upload", "Overwrite" and "Close" (and
// "Delete ALL" where it has member tables), the upload with its one-second
// supervision, the exchange selector, and the keyboard rules. An editor adds
// its controls and answers the few questions below from its rules.
#include <QDialog>
#include <QTimer>
#include <functional>
#include <vector>

#include "comm/SettingTextFields.h"
#include "comm/TransferSequence.h"
#include "editors/EditorRules.h"
#include "editors/UploadSupervision.h"
#include "model/SettingData.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

inline constexpr const char* kPrintButtonText = "Print";
inline constexpr const char* kUploadButtonText = "Upload";
inline constexpr const char* kOverwriteButtonText = "Overwrite";
inline constexpr const char* kCloseButtonText = "Close";
inline constexpr const char* kDeleteAllButtonText = "Delete ALL";
inline constexpr const char* kTextChangedExitText = "Text changed. Exit?";
inline constexpr const char* kDeleteAllConfirmText = "Will delete all list data. OK?";
inline constexpr const char* kExchangeSelectorText = "Exchange No. (1-%d):";
inline constexpr const char* kSelectorAllText = "ALL";

struct EditorOptions {
    bool Upload = true;      // the PC port editor has none
    bool DeleteAll = false;  // editors with member tables
};

class EditorDialog : public QDialog {
    Q_OBJECT
public:
    // save: Ctrl+S, the settings file's Save as the main window does it.
    EditorDialog(QWidget* owner, SettingData& model, const char* title, std::function<void()> save,
                 EditorOptions options = {});
    ~EditorDialog() override;

    SettingData& Model() const { return model_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* UploadButton() const { return upload_; }
    QPushButton* OverwriteButton() const { return overwrite_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* DeleteAllButton() const { return deleteAll_; }

    // The upload supervision: running, and one tick of its one-second timer
    // (the timer calls it; tests may too).
    bool UploadRunning() const { return supervision_.Running(); }
    int UploadTicks() const { return supervision_.Ticks(); }
    void TickUpload();

    void OnOverwrite();
    void OnUpload();
    void OnClose();
    void OnPrint();
    void OnDeleteAll();
    // The close box and Esc: as "Close".
    void reject() override;

protected:
    // The editor's rules over its working copy.
    virtual ValidationResult Validate() const = 0;
    // Validation with commit (Overwrite); the copy is reloaded on success.
    virtual ValidationResult ValidateAndCommit() = 0;
    virtual bool CopyDiffers() const = 0;
    // After a failed check: switch to the exchange (and page) and focus the field.
    virtual void FocusFailure(const ValidationResult& result) = 0;
    // Show the working copy again (after a commit reloaded it).
    virtual void ShowCopy() = 0;
    // The texts of the category, encoded from the model after the commit.
    virtual std::vector<EncodedText> UploadTexts() const = 0;
    virtual const char* UploadProgressTitle() const = 0;
    // Print hands the working copy to the printout; nothing until it exists.
    virtual void PrintCopy() {}
    // "Delete ALL" after Yes: clear the rows of the table shown, in the copy.
    virtual void DeleteAllRows() {}

    // The row of buttons, for the editor to place.
    QWidget* ButtonBar() const { return buttonBar_; }

    // The exchange selector "Exchange No. (1-%d):" holding 1..switchCnt as
    // "%d" (item data: the exchange) and, with withAll and more than one
    // exchange, "ALL" (item data 0); exchange 1 selected.
    QComboBox* MakeExchangeSelector(int switchCnt, bool withAll, QLabel*& label);
    // Digit keys and the space bar do nothing in a list of numbers.
    void IgnoreDigitKeys(QComboBox* list);
    // The selector's value: the exchange, or 0 for "ALL".
    static int SelectedExchange(const QComboBox* selector);
    static void SelectExchange(QComboBox* selector, int exchange);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Where Tab goes, in turn: the fields in reading order, then the buttons.
    std::vector<QWidget*> TabStops() const;
    bool ShowFailure(const ValidationResult& result);
    void Conclude(UploadOutcome outcome);

    SettingData& model_;
    std::function<void()> save_;
    QWidget* buttonBar_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* upload_ = nullptr;
    QPushButton* overwrite_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* deleteAll_ = nullptr;
    bool shown_ = false;
    UploadSupervision supervision_;
    QTimer uploadTimer_;
};
