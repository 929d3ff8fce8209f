#include "editors/DlgMembers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Prompt.h"
#include "editors/SpinField.h"
#include "printout/PrintJob.h"
#include "transfer/EditorUpload.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kWidths[kMemberColumnCount] = {0, 90, 90, 90, 150};
constexpr int kRowHeight = 20;

QLabel* Label(QWidget* parent, const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return new QLabel(text, parent);
}
}  // namespace

CDlgMembers::CDlgMembers(QWidget* owner, const EditorContext& context, MemberFamily family)
    : EditorDialog(owner, context, FamilyInfo(family).Title, {.DeleteAll = true}),
      copy_(LoadMemberCopy(context.Model, family)) {
    const MemberFamilyInfo& info = FamilyInfo(family);
    QLabel* exchangeLabel = nullptr;
    selector_ = MakeExchangeSelector(context.Model.System.SwitchCnt, false, exchangeLabel);
    master_ = new QComboBox(this);
    for (int m = 1; m <= kMastersPerExchange; ++m) master_->addItem(QString::number(m), m);
    IgnoreDigitKeys(master_);
    QLabel* masterLabel = Label(this, info.MasterLabel, kMastersPerExchange);
    masterLabel->setBuddy(master_);

    auto* fields = new QGridLayout;
    fields->addWidget(exchangeLabel, 0, 0);
    fields->addWidget(selector_, 0, 1);
    fields->addWidget(masterLabel, 1, 0);
    fields->addWidget(master_, 1, 1);
    if (info.HasTime) {
        time_ = new SpinField(this, 2);
        time_->Finished = [this](const QString& typed) {
            if (!EditScanTime(copy_, exchange_, masterShown_, typed.toStdString())) ShowTime();
        };
        time_->Step = [this](int step) {
            SpinScanTime(copy_, exchange_, masterShown_, step);
            ShowTime();
        };
        QLabel* timeLabel = Label(this, kScanTimeLabel, kScanTimeMax);
        timeLabel->setBuddy(time_);
        fields->addWidget(timeLabel, 2, 0);
        fields->addWidget(time_, 2, 1);
    }
    fields->setColumnStretch(2, 1);

    grid_ = new GridWidget(this);
    grid_->SetColumns(std::vector<std::string>(kMemberColumnTitles, kMemberColumnTitles + kMemberColumnCount));
    for (int c = 1; c < kMemberColumnCount; ++c) grid_->SetColumnWidthPx(c, kWidths[c]);
    grid_->setColumnHidden(kMemberRowNo, true);
    grid_->SetColumnReadOnly(kMemberName, true);
    grid_->SetRowHeightPx(kRowHeight, kRowHeight);
    // As wide as its columns and a scroll bar: the list fills no more than that.
    grid_->setFixedWidth(90 * 3 + 150 + 2 * grid_->frameWidth() + 20);
    grid_->EndEdit = [this](int row, int column, const std::string& text) {
        const CellEdit edit = EditMemberCell(copy_, Model(), exchange_, masterShown_, row + 1, column, text);
        if (edit.RowChanged) ShowRow(row);
        return edit.Text;
    };

    auto* top = new QVBoxLayout(this);
    top->addLayout(fields);
    top->addWidget(grid_, 1, Qt::AlignLeft);
    top->addWidget(ButtonBar());
    resize(480, 520);

    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { OnSelection(selector_); });
    connect(master_, &QComboBox::currentIndexChanged, this, [this] { OnSelection(master_); });
    ShowCopy();
}

void CDlgMembers::OnSelection(QComboBox* changed) {
    if (filling_) return;
    const int exchange = SelectedExchange(selector_);
    const int master = master_->currentData().toInt();
    const ValidationResult check = CheckMemberSelection(Model().System.SwitchCnt, exchange, master);
    if (!check.Passed()) {
        AppPrompt().Message(check.Message, {}, PromptIcon::Exclamation, PromptButtons::Ok);
        (check.Code == kMemberSelectExchange ? selector_ : master_)->setFocus();
        return;
    }
    exchange_ = exchange;
    masterShown_ = master;
    ShowCopy();
    changed->setFocus();
}

void CDlgMembers::Select(int exchange, int master) {
    filling_ = true;
    SelectExchange(selector_, exchange);
    master_->setCurrentIndex(master_->findData(master));
    filling_ = false;
    exchange_ = exchange;
    masterShown_ = master;
    ShowCopy();
}

void CDlgMembers::ShowCopy() {
    const int rows = FamilyInfo(copy_.Family).Capacity;
    grid_->SetRows(rows);
    for (int r = 0; r < rows; ++r) ShowRow(r);
    if (time_) ShowTime();
}

void CDlgMembers::ShowRow(int row) {
    for (int c = 0; c < kMemberColumnCount; ++c)
        grid_->SetCellText(row, c, MemberCellText(copy_, Model(), exchange_, masterShown_, row + 1, c));
}

void CDlgMembers::ShowTime() { time_->SetText(QString::number(copy_.List(exchange_, masterShown_).ScanTime)); }

ValidationResult CDlgMembers::Validate() const { return ValidateMembers(copy_, Model()); }
ValidationResult CDlgMembers::ValidateAndCommit() { return OverwriteMembers(copy_, Model()); }
bool CDlgMembers::CopyDiffers() const { return MemberCopyDiffers(copy_, Model()); }

void CDlgMembers::FocusFailure(const ValidationResult& result) {
    if (result.Exchange < 1 || result.Page < 1) return;
    Select(result.Exchange, result.Page);
    if (result.Code == kMemberTime && time_) {
        time_->setFocus();
        time_->selectAll();
    } else if (result.Row >= 1) {
        grid_->SetFocusCell(result.Row - 1, kMemberExchange);
    }
}

std::vector<EncodedText> CDlgMembers::UploadTexts() const {
    return EncodeUploadSteps(Model(), MemberUploadSteps(Model(), FamilyInfo(copy_.Family).Letter));
}

void CDlgMembers::DeleteAllRows() {
    DeleteAllMembers(copy_, exchange_, masterShown_);
    ShowCopy();
}

void CDlgMembers::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = copy_.Family == MemberFamily::Scan    ? PrintScanMonitor
                : copy_.Family == MemberFamily::Group ? PrintGroupCall
                                                      : PrintEmergencyConference;
    job->Exchange = static_cast<uint8_t>(exchange_);
    job->Master = static_cast<uint8_t>(masterShown_);
    job->Data = std::make_unique<SettingData>(Model());
    ApplyMembers(copy_, *job->Data);
    SendPrint(std::move(job));
}
