#pragma once
// "Stations": the master stations and substations of every exchange on two
// pages under one exchange selector (with "ALL" when there is more than one
// exchange). Overwrite validates and commits both pages together; Upload
// sends the page shown.
#include <memory>

#include "editors/EditorDialog.h"
#include "editors/StationRules.h"

class QComboBox;
class QTabWidget;
class CPageMaster;
class CPageSub;
class CStationPage;

inline constexpr const char* kStationsTitle = "Stations";

class CSheetStation : public EditorDialog {
    Q_OBJECT
public:
    // fault: a station numbering fault of the model to open at, focused on it.
    // fault: opens at that station numbering fault, focused on it.
    CSheetStation(QWidget* owner, const EditorContext& context, const StationFault* fault = nullptr);
    ~CSheetStation() override;

    const StationCopy& Copy() const { return *copy_; }
    QComboBox* Selector() const { return selector_; }
    QTabWidget* Pages() const { return pages_; }
    CPageMaster* MasterPage() const { return master_; }
    CPageSub* SubPage() const { return sub_; }
    CStationPage* CurrentPage() const;

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    void PrintCopy() override;

private:
    std::unique_ptr<StationCopy> copy_;
    QComboBox* selector_ = nullptr;
    QTabWidget* pages_ = nullptr;
    CPageMaster* master_ = nullptr;
    CPageSub* sub_ = nullptr;
};
