#include "editors/DlgDirectDial.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Prompt.h"
#include "link/TransferEngine.h"
#include "printout/PrintJob.h"
#include "texts/SettingTextEncode.h"
#include "transfer/DialingDownloadSequence.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kColumnWidths[] = {80, 110, 200, 130};
constexpr int kRowHeight = 20;

void MarkAll(DialCopy& copy) {
    for (int e = 1; e <= kMaxExchanges; ++e)
        for (int m = 1; m <= kMastersPerExchange; ++m) MarkReservedRows(copy, e, m);
}
}  // namespace

CDlgDirectDial::CDlgDirectDial(QWidget* owner, const EditorContext& context)
    : EditorDialog(owner, context, kDialingAssignmentTitle, EditorOptions{.Upload = true, .DeleteAll = true}),
      copy_(LoadDialCopy(context.Model)), names_(context.Model) {
    MarkAll(*copy_);
    loaded_ = std::make_unique<DialCopy>(*copy_);

    QLabel* exchangeLabel = nullptr;
    exchange_ = MakeExchangeSelector(Model().System.SwitchCnt, false, exchangeLabel);
    master_ = new QComboBox(this);
    for (int m = 1; m <= kMastersPerExchange; ++m) master_->addItem(QString::number(m), m);
    IgnoreDigitKeys(master_);
    char text[48];
    std::snprintf(text, sizeof text, "Master Station No. (1-%d):", kMastersPerExchange);
    auto* masterLabel = new QLabel(text, this);
    masterLabel->setBuddy(master_);
    doorLockTime_ = new QComboBox(this);
    for (int s = 1; s <= kDoorLockTimes; ++s) doorLockTime_->addItem(QString::fromStdString(DoorLockTimeText(s)));
    IgnoreDigitKeys(doorLockTime_);
    auto* timeLabel = new QLabel("Door Lock Time:", this);
    timeLabel->setBuddy(doorLockTime_);

    auto* selectors = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{exchangeLabel, exchange_, masterLabel, master_, timeLabel,
                                                      doorLockTime_})
        selectors->addWidget(w);
    selectors->addStretch();

    grid_ = new GridWidget(this);
    grid_->SetColumns({"Switch No.", "Dial", "Name", "Door Lock(Switch No)"});
    int width = 0;
    for (int c = 0; c < 4; ++c) grid_->SetColumnWidthPx(c, kColumnWidths[c]), width += kColumnWidths[c];
    grid_->SetRowHeightPx(kRowHeight, kRowHeight);
    grid_->SetColumnReadOnly(kDialColumnSwitch, true);
    grid_->SetColumnReadOnly(kDialColumnName, true);
    grid_->setMinimumSize(width + 60, 400);
    grid_->SetRows(kDialRows);
    for (int r = 0; r < kDialRows; ++r) grid_->SetCellText(r, kDialColumnSwitch, std::to_string(r + 1));
    grid_->EndEdit = [this](int row, int column, const std::string& typed) { return EndEdit(row, column, typed); };

    download_ = new QPushButton(kDownloadButtonText, ButtonBar());
    download_->setAutoDefault(false);
    // Beside Upload, before the buttons every editor has.
    if (auto* row = qobject_cast<QHBoxLayout*>(ButtonBar()->layout()))
        row->insertWidget(row->indexOf(PrintButton()), download_);
    connect(download_, &QPushButton::clicked, this, &CDlgDirectDial::OnDownload);

    auto* top = new QVBoxLayout(this);
    top->addLayout(selectors);
    top->addWidget(grid_);
    top->addWidget(ButtonBar());

    if (TransferEngine* transfer = Transfer()) transfer->OnFinished = [this] { DownloadFinished(); };
    connect(exchange_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) ShowTable();
    });
    connect(master_, &QComboBox::currentIndexChanged, this, [this] {
        if (!filling_) ShowTable();
    });
    connect(doorLockTime_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_ && index >= 0) copy_->ShotT[Exchange() - 1][Master() - 1] = static_cast<uint8_t>(index + 1);
    });
    ShowTable();
}

CDlgDirectDial::~CDlgDirectDial() = default;

int CDlgDirectDial::Exchange() const { return SelectedExchange(exchange_); }
int CDlgDirectDial::Master() const { return master_->currentData().toInt(); }

void CDlgDirectDial::ShowTable() {
    const int e = Exchange(), m = Master();
    MarkReservedRows(*copy_, e, m);
    filling_ = true;
    // A time outside the list (0 in a new configuration) selects nothing.
    const int time = copy_->ShotT[e - 1][m - 1];
    doorLockTime_->setCurrentIndex(time >= 1 && time <= kDoorLockTimes ? time - 1 : -1);
    filling_ = false;
    const DialEntry* rows = copy_->Master(e, m);
    grid_->setUpdatesEnabled(false);
    for (int r = 0; r < kDialRows; ++r) ShowRow(r, rows);
    grid_->setUpdatesEnabled(true);
}

void CDlgDirectDial::ShowRow(int row, const DialEntry* rows) {
    const DialEntry& entry = rows[row];
    grid_->SetCellText(row, kDialColumnDial, entry.Dial.View());
    grid_->SetCellText(row, kDialColumnName, names_.Find(entry.Dial.View()));
    grid_->SetCellText(row, kDialColumnDoorLock, DoorLockCellText(entry));
}

std::string CDlgDirectDial::EndEdit(int row, int column, const std::string& typed) {
    const int e = Exchange(), m = Master();
    if (column == kDialColumnDial) {
        const CellEdit edit = EditDial(*copy_, e, m, row + 1, typed);
        grid_->SetCellText(row, kDialColumnName, names_.Find(edit.Text));
        return edit.Text;
    }
    if (column != kDialColumnDoorLock) return grid_->CellText(row, column);
    const CellEdit edit = EditDoorLock(*copy_, e, m, row + 1, typed);
    if (edit.Accepted) {
        // The marks may have moved anywhere in the table.
        const DialEntry* rows = copy_->Master(e, m);
        for (int r = 0; r < kDialRows; ++r)
            if (r != row) ShowRow(r, rows);
        grid_->SetCellText(row, kDialColumnDial, rows[row].Dial.View());
        grid_->SetCellText(row, kDialColumnName, names_.Find(rows[row].Dial.View()));
    }
    return edit.Text;
}

ValidationResult CDlgDirectDial::Validate() const { return ValidateDialing(*copy_, Model().System.SwitchCnt); }

ValidationResult CDlgDirectDial::ValidateAndCommit() {
    ValidationResult result = OverwriteDialing(*copy_, Model());
    if (result.Passed()) *loaded_ = *copy_;
    return result;
}

bool CDlgDirectDial::CopyDiffers() const { return !(*copy_ == *loaded_) && DialCopyDiffers(*copy_, Model()); }

void CDlgDirectDial::FocusFailure(const ValidationResult& result) {
    filling_ = true;
    SelectExchange(exchange_, result.Exchange);
    master_->setCurrentIndex(master_->findData(result.Page));
    filling_ = false;
    ShowTable();
    grid_->SetFocusCell(result.Row - 1, result.Field);
}

void CDlgDirectDial::ShowCopy() { ShowTable(); }

std::vector<EncodedText> CDlgDirectDial::UploadTexts() const {
    const int e = Exchange(), m = Master();
    std::vector<EncodedText> texts;
    const int count = DialTextCount(DialRowsInUse(Model(), e, m));
    for (int block = 0; block < count; ++block) {
        EncodedText text;
        if (EncodeSettingText('K', EncodeRequest{Model(), e, m, block}, text)) texts.push_back(text);
    }
    return texts;
}

void CDlgDirectDial::DeleteAllRows() {
    DeleteAllDialRows(*copy_, Exchange(), Master());
    ShowTable();
}

// The table shown, as edited.
void CDlgDirectDial::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = PrintDialingAssignment;
    job->Exchange = static_cast<uint8_t>(Exchange());
    job->Master = static_cast<uint8_t>(Master());
    job->Data = std::make_unique<SettingData>(Model());
    StoreDialCopy(*copy_, *job->Data);
    SendPrint(std::move(job));
}

void CDlgDirectDial::OnDownload() {
    if (UploadRunning()) return;  // one transfer at a time
    if (AppPrompt().Message(kReceiveQuestionText, kReceiveQuestionTitle, PromptIcon::Question,
                            PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    TransferEngine* transfer = Transfer();
    if (!transfer) {
        AppPrompt().Tell(kFailedToOpenDeviceText, PromptIcon::Warning);
        return;
    }
    downloadExchange_ = Exchange();
    downloadMaster_ = Master();
    transfer->ReceiveDialingTexts(true);
    if (!transfer->Start(std::make_unique<DialingDownloadSequence>(Model(), downloadExchange_, downloadMaster_)))
        DownloadFinished();
}

void CDlgDirectDial::DownloadFinished() {
    if (!downloadExchange_) return;  // an upload ended
    Transfer()->ReceiveDialingTexts(false);
    // Whatever arrived is in the model now, complete or not: the table shows it.
    const int e = downloadExchange_, m = downloadMaster_;
    downloadExchange_ = downloadMaster_ = 0;
    for (DialCopy* copy : {copy_.get(), loaded_.get()}) {
        ReloadDialMaster(*copy, Model(), e, m);
        MarkReservedRows(*copy, e, m);
    }
    if (e == Exchange() && m == Master()) ShowTable();
}
