#pragma once
// "Paging": the zones of the substations, the PA outputs and the control
// input channels on three pages under one exchange selector (with "ALL" when
// there is more than one exchange). Overwrite validates and commits all three
// pages; Upload sends the page shown.
#include <memory>

#include "editors/EditorDialog.h"
#include "editors/PagingRules.h"

class QComboBox;
class QTabWidget;
class CPagingPage;
class CPagePaging;
class CPageSpeak;
class CPageOutIn;

class CSheetPaging : public EditorDialog {
    Q_OBJECT
public:
    CSheetPaging(QWidget* owner, const EditorContext& context);
    ~CSheetPaging() override;

    const PagingCopy& Copy() const { return *copy_; }
    QComboBox* Selector() const { return selector_; }
    QTabWidget* Pages() const { return pages_; }
    CPagePaging* SubPage() const { return subs_; }
    CPagingPage* Page(int page) const;

protected:
    ValidationResult Validate() const override;
    ValidationResult ValidateAndCommit() override;
    bool CopyDiffers() const override;
    void FocusFailure(const ValidationResult& result) override;
    void ShowCopy() override;
    std::vector<EncodedText> UploadTexts() const override;
    // The page shown for the selection ("ALL": every exchange in use).
    void PrintCopy() override;

private:
    std::unique_ptr<PagingCopy> copy_;
    QComboBox* selector_ = nullptr;
    QTabWidget* pages_ = nullptr;
    CPagePaging* subs_ = nullptr;
    CPageSpeak* speak_ = nullptr;
    CPageOutIn* outIn_ = nullptr;
};
