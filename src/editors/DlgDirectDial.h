#pragma once
// "Dialing Assignment": the 1024 switch numbers of one master at a time, with
// their dials, the names those dials reach and their door locks, and the
// master's door lock time. Upload sends the master shown; Download reads it
// back from its exchange.
#include <memory>

#include "editors/DialRules.h"
#include "editors/EditorDialog.h"

class QComboBox;
class GridWidget;

inline constexpr const char* kDownloadButtonText = "Download";

class CDlgDirectDial : public EditorDialog {
    Q_OBJECT
public:
    CDlgDirectDial(QWidget* owner, const EditorContext& context);
    ~CDlgDirectDial() override;

    const DialCopy& Copy() const { return *copy_; }
    QComboBox* ExchangeSelector() const { return exchange_; }
    QComboBox* MasterList() const { return master_; }
    QComboBox* DoorLockTimeList() const { return doorLockTime_; }
    GridWidget* Grid() const { return grid_; }
    QPushButton* DownloadButton() const { return download_; }
    int Exchange() const;
    int Master() const;

    void OnDownload();

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void DeleteAllRows() override;
    void PrintCopy() override;

private:
    // Recomputes the master's reserved marks and fills the grid with its rows.
    void ShowTable();
    void ShowRow(int row, const DialEntry* rows);
    std::string EndEdit(int row, int column, const std::string& text);
    void DownloadFinished();

    std::unique_ptr<DialCopy> copy_;
    // The copy as loaded (marks computed): Close asks only after an edit.
    std::unique_ptr<DialCopy> loaded_;
    StationNames names_;
    QComboBox* exchange_ = nullptr;
    QComboBox* master_ = nullptr;
    QComboBox* doorLockTime_ = nullptr;
    GridWidget* grid_ = nullptr;
    QPushButton* download_ = nullptr;
    int downloadExchange_ = 0;  // the master being downloaded, while it is
    int downloadMaster_ = 0;
    bool filling_ = false;
};
