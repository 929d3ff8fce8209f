#pragma once
// What every setting editor shares: a modal dialog over a working copy of its
// category, the buttons "Print", "Upload", "Overwrite" and "Close" (and
// "Delete ALL" where it has member tables), the upload with its one-second
// supervision, the exchange selector, and the keyboard rules. An editor adds
// its controls and answers the few questions below from its rules.
#include <QDialog>
#include <functional>
#include <vector>

#include <memory>

#include "editors/EditorRules.h"
#include "model/SettingData.h"
#include "printout/PrintJob.h"
#include "texts/SettingTextFields.h"
#include "transfer/TransferSequence.h"

class LinkSession;
class TransferEngine;
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

// What every editor is handed when the shell opens it.
struct EditorContext {
    EditorContext(SettingData& model, std::function<void()> save = {}, LinkSession* link = nullptr,
                  PrintSender print = {})
        : Model(model), Save(std::move(save)), Link(link), Print(std::move(print)) {}
    SettingData& Model;
    std::function<void()> Save;  // Ctrl+S: the settings file's Save as the main window does it
    LinkSession* Link = nullptr;  // where Upload sends; none: "Failed to open the device"
    PrintSender Print;            // where Print hands its job; none: Print does nothing
};

struct EditorOptions {
    bool Upload = true;      // the PC port editor has none
    bool DeleteAll = false;  // editors with member tables
};

class EditorDialog : public QDialog {
    Q_OBJECT
public:
    EditorDialog(QWidget* owner, const EditorContext& context, const char* title, EditorOptions options = {});
    ~EditorDialog() override;

    SettingData& Model() const { return model_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* UploadButton() const { return upload_; }
    QPushButton* OverwriteButton() const { return overwrite_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* DeleteAllButton() const { return deleteAll_; }

    // The upload under way, if any; no engine without a link.
    bool UploadRunning() const;
    TransferEngine* Transfer() const { return transfer_.get(); }

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
    // The progress window is titled by each text's category.
    virtual std::vector<EncodedText> UploadTexts() const = 0;
    // Print hands the working copy to the printout.
    virtual void PrintCopy() {}
    // Hands a job to the printout (nothing when the editor has none).
    void SendPrint(std::unique_ptr<PrintJob> job) const;
    // "Delete ALL" after Yes: clear the rows of the table shown, in the copy.
    virtual void DeleteAllRows() {}

    // The row of buttons, for the editor to place.
    QWidget* ButtonBar() const { return buttonBar_; }

    // The exchange selector "Exchange No. (1-%d):" holding 1..switchCnt as
    // "%d" (item data: the exchange) and, with withAll and more than one
    // exchange, "ALL" (item data 0); exchange 1 selected.
    QComboBox* MakeExchangeSelector(int switchCnt, bool withAll, QLabel*& label);
    // A tabbed editor's frame: the selector and the buttons in a row above
    // the pages, then its size.
    void LayOutPages(QLabel* label, QComboBox* selector, QWidget* pages, int width, int height);
    // Digit keys and the space bar do nothing in a list of numbers.
    void IgnoreDigitKeys(QComboBox* list);
    // The selector's value: the exchange, or 0 for "ALL".
    static int SelectedExchange(const QComboBox* selector);
    static void SelectExchange(QComboBox* selector, int exchange);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Where Tab goes, in turn: the fields in reading order, then the buttons.
    std::vector<QWidget*> TabStops() const;
    bool ShowFailure(const ValidationResult& result);

    SettingData& model_;
    std::function<void()> save_;
    PrintSender printSender_;
    QWidget* buttonBar_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* upload_ = nullptr;
    QPushButton* overwrite_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* deleteAll_ = nullptr;
    bool shown_ = false;
    std::unique_ptr<TransferEngine> transfer_;
};
