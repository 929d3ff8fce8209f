#pragma once
// "Global Setting": the number of exchanges, the station digits, the tie
// lines, the first station number of each exchange, and a live clock.
#include <QTimer>

#include "editors/EditorDialog.h"
#include "editors/SystemRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class GridWidget;

inline constexpr const char* kGlobalSettingTitle = "Global Setting";

class CDlgSystem : public EditorDialog {
    Q_OBJECT
public:
    CDlgSystem(QWidget* owner, const EditorContext& context);

    const SystemData& Copy() const { return copy_; }
    QComboBox* ExchangeCountList() const { return exchangeCount_; }
    QComboBox* StationDigitsList() const { return stationDigits_; }
    QCheckBox* TieLineBox(int line) const { return tieLines_[line - 1]; }
    GridWidget* Grid() const { return grid_; }
    QLabel* TimeDisplay() const { return time_; }

    // Grid columns.
    static constexpr int kColumnExchange = 0;
    static constexpr int kColumnFirstStation = 1;

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void PrintCopy() override;

private:
    void OnExchangeCount(int index);
    void OnStationDigits(int index);
    void BuildGrid();
    void ShowTime();

    SystemData copy_;
    QComboBox* exchangeCount_ = nullptr;
    QComboBox* stationDigits_ = nullptr;
    QCheckBox* tieLines_[kTieLines] = {};
    GridWidget* grid_ = nullptr;
    QLabel* time_ = nullptr;
    QTimer clock_;
    bool filling_ = false;
};
