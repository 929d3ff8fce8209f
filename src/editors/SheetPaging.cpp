#include "editors/SheetPaging.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "editors/PagingPage.h"
#include "editors/SpinField.h"
#include "printout/PrintJob.h"
#include "transfer/EditorUpload.h"

CSheetPaging::CSheetPaging(QWidget* owner, const EditorContext& context)
    : EditorDialog(owner, context, kPagingTitle), copy_(std::make_unique<PagingCopy>(LoadPagingCopy(context.Model))) {
    QLabel* label = nullptr;
    selector_ = MakeExchangeSelector(context.Model.System.SwitchCnt, true, label);
    pages_ = new QTabWidget(this);
    subs_ = new CPagePaging(pages_, *copy_, context.Model);
    speak_ = new CPageSpeak(pages_, *copy_, context.Model);
    outIn_ = new CPageOutIn(pages_, *copy_, context.Model);
    pages_->addTab(subs_, kPagingSubsTitle);
    pages_->addTab(speak_, kPagingSpeakTitle);
    pages_->addTab(outIn_, kPagingOutInTitle);

    LayOutPages(label, selector_, pages_, 1240, 640);

    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { ShowCopy(); });
    ShowCopy();
}

CSheetPaging::~CSheetPaging() = default;

CPagingPage* CSheetPaging::Page(int page) const {
    if (page == kPagingPageSpeak) return speak_;
    if (page == kPagingPageOutIn) return outIn_;
    return subs_;
}

void CSheetPaging::ShowCopy() {
    const int selection = SelectedExchange(selector_);
    for (int p = kPagingPageSubs; p <= kPagingPageOutIn; ++p) Page(p)->ShowSelection(selection);
}

ValidationResult CSheetPaging::Validate() const { return ValidatePaging(*copy_, Model()); }
ValidationResult CSheetPaging::ValidateAndCommit() { return OverwritePaging(*copy_, Model()); }
bool CSheetPaging::CopyDiffers() const { return PagingCopyDiffers(*copy_, Model()); }

void CSheetPaging::FocusFailure(const ValidationResult& result) {
    pages_->setCurrentIndex(kPagingPageSubs);
    if (SelectedExchange(selector_) != kPagingSelectAll && result.Exchange >= 1)
        SelectExchange(selector_, result.Exchange);
    subs_->TimeField()->setFocus();
    subs_->TimeField()->selectAll();
}

std::vector<EncodedText> CSheetPaging::UploadTexts() const {
    return EncodeUploadSteps(Model(), PagingUploadSteps(Model(), pages_->currentIndex(), SelectedExchange(selector_)));
}

void CSheetPaging::PrintCopy() {
    constexpr uint8_t kCodes[] = {PrintPaging, PrintPublicAddress, PrintExternalSource};
    auto job = std::make_unique<PrintJob>();
    job->Code = kCodes[pages_->currentIndex() == kPagingPageSpeak   ? 1
                       : pages_->currentIndex() == kPagingPageOutIn ? 2
                                                                    : 0];
    job->Exchange = static_cast<uint8_t>(SelectedExchange(selector_));
    job->Data = std::make_unique<SettingData>(Model());
    ApplyPaging(*copy_, *job->Data);
    SendPrint(std::move(job));
}
