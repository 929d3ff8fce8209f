#include "editors/SheetStation.h"

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

#include "transfer/EditorUpload.h"
#include "editors/PageMaster.h"
#include "editors/PageSub.h"
#include "ui/GridWidget.h"

CSheetStation::CSheetStation(QWidget* owner, const EditorContext& context, const StationFault* fault)
    : EditorDialog(owner, context, kStationsTitle), copy_(LoadStationCopy(context.Model)) {
    QLabel* label = nullptr;
    selector_ = MakeExchangeSelector(context.Model.System.SwitchCnt, true, label);
    pages_ = new QTabWidget(this);
    master_ = new CPageMaster(pages_, *copy_, context.Model);
    sub_ = new CPageSub(pages_, *copy_, context.Model);
    pages_->addTab(master_, kMasterPageTitle);
    pages_->addTab(sub_, kSubPageTitle);

    LayOutPages(label, selector_, pages_, 1240, 560);

    // The selection applies to both pages; a page is redrawn when it is shown
    // so it reflects edits made on the other one (a master's new number in
    // the substations' called station column).
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { ShowCopy(); });
    connect(pages_, &QTabWidget::currentChanged, this,
            [this] { CurrentPage()->ShowSelection(SelectedExchange(selector_)); });
    ShowCopy();
    if (fault && *fault) FocusFailure(StationFaultResult(*fault));
}

CSheetStation::~CSheetStation() = default;

CStationPage* CSheetStation::CurrentPage() const {
    return pages_->currentIndex() == kPageSubs ? static_cast<CStationPage*>(sub_) : master_;
}

void CSheetStation::ShowCopy() {
    const int selection = SelectedExchange(selector_);
    master_->ShowSelection(selection);
    sub_->ShowSelection(selection);
}

ValidationResult CSheetStation::Validate() const { return ValidateStations(Model().System, *copy_); }
ValidationResult CSheetStation::ValidateAndCommit() { return OverwriteStations(*copy_, Model()); }
bool CSheetStation::CopyDiffers() const { return StationCopyDiffers(*copy_, Model()); }

void CSheetStation::FocusFailure(const ValidationResult& result) {
    const StationFocus focus = PlaceStationFocus(result, SelectedExchange(selector_));
    pages_->setCurrentIndex(focus.Page);
    if (focus.Selection != SelectedExchange(selector_)) SelectExchange(selector_, focus.Selection);
    CurrentPage()->Grid()->SetFocusCell(focus.Row, focus.Column);
}

std::vector<EncodedText> CSheetStation::UploadTexts() const {
    return EncodeUploadSteps(Model(), StationUploadSteps(Model(), pages_->currentIndex(), SelectedExchange(selector_)));
}


void CSheetStation::PrintCopy() {
    // The page shown, in the grid's current row order.
    const CStationPage* page = CurrentPage();
    auto job = std::make_unique<PrintJob>();
    job->Code = page->Page() == kPageSubs ? PrintSubstations : PrintMasters;
    job->Exchange = static_cast<uint8_t>(page->Selection());
    job->Data = std::make_unique<SettingData>(Model());
    for (int e = 0; e < kMaxExchanges; ++e) job->Data->Switch[e] = copy_->Switch[e];
    for (int row : page->Grid()->RowOrder()) {
        const StationAt at = StationAtRow(page->Page(), page->Selection(), row);
        job->Rows.push_back({static_cast<uint8_t>(at.Exchange), static_cast<uint8_t>(at.Position)});
    }
    SendPrint(std::move(job));
}
