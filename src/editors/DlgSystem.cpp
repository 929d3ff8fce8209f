#include "editors/DlgSystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Clock.h"
#include "transfer/EditorUpload.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kExchangeColumnWidth = 85;
constexpr int kFirstStationColumnWidth = 120;
constexpr int kRowHeight = 20;
}  // namespace

CDlgSystem::CDlgSystem(QWidget* owner, const EditorContext& context)
    : EditorDialog(owner, context, kGlobalSettingTitle), copy_(LoadSystemCopy(context.Model)) {
    exchangeCount_ = new QComboBox(this);
    for (int n = 1; n <= kMaxExchanges; ++n) exchangeCount_->addItem(QString::number(n), n);
    stationDigits_ = new QComboBox(this);
    for (int n = kMinNumberSize; n <= kMaxNumberSize; ++n) stationDigits_->addItem(QString::number(n), n);
    IgnoreDigitKeys(exchangeCount_);
    IgnoreDigitKeys(stationDigits_);

    auto* lists = new QGridLayout;
    auto* countLabel = new QLabel("No. of Exchanges:", this);
    auto* digitsLabel = new QLabel("Station Digits:", this);
    countLabel->setBuddy(exchangeCount_);
    digitsLabel->setBuddy(stationDigits_);
    lists->addWidget(countLabel, 0, 0);
    lists->addWidget(exchangeCount_, 0, 1);
    lists->addWidget(digitsLabel, 1, 0);
    lists->addWidget(stationDigits_, 1, 1);

    auto* tieGroup = new QGroupBox("Tie-Line Connections:", this);
    auto* tieRow = new QHBoxLayout(tieGroup);
    for (int i = 0; i < kTieLines; ++i) {
        tieLines_[i] = new QCheckBox(QString("Line %1").arg(i + 1), tieGroup);
        tieRow->addWidget(tieLines_[i]);
        connect(tieLines_[i], &QCheckBox::toggled, this, [this, i](bool on) {
            if (!filling_) copy_.TieLine[i] = on ? 1 : 0;
        });
    }

    auto* gridGroup = new QGroupBox("Exchange Station No. Assignment", this);
    auto* gridBox = new QVBoxLayout(gridGroup);
    grid_ = new GridWidget(gridGroup);
    grid_->SetColumns({"Exchange", "First Station No."});
    grid_->SetColumnWidthPx(kColumnExchange, kExchangeColumnWidth);
    grid_->SetColumnWidthPx(kColumnFirstStation, kFirstStationColumnWidth);
    grid_->SetRowHeightPx(kRowHeight, kRowHeight);
    grid_->SetColumnReadOnly(kColumnExchange, true);
    grid_->setMinimumWidth(kExchangeColumnWidth + kFirstStationColumnWidth + 24);
    grid_->EndEdit = [this](int row, int, const std::string& text) {
        return EditFirstStationNo(copy_, row + 1, text).Text;
    };
    gridBox->addWidget(grid_);

    auto* timeRow = new QHBoxLayout;
    time_ = new QLabel(this);
    timeRow->addWidget(new QLabel("Time", this));
    timeRow->addWidget(time_);
    timeRow->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(lists);
    left->addWidget(tieGroup);
    left->addLayout(timeRow);
    left->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(gridGroup);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addWidget(ButtonBar());

    connect(exchangeCount_, &QComboBox::currentIndexChanged, this, &CDlgSystem::OnExchangeCount);
    connect(stationDigits_, &QComboBox::currentIndexChanged, this, &CDlgSystem::OnStationDigits);
    ShowCopy();

    ShowTime();
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, &CDlgSystem::ShowTime);
    clock_.start();
}

void CDlgSystem::ShowTime() {
    const ClockReading now = ClockNow();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.Hour % 100, now.Minute % 100, now.Second % 100);
    time_->setText(text);
}

void CDlgSystem::ShowCopy() {
    filling_ = true;
    // A count or digit size a file brought in outside the lists selects nothing.
    exchangeCount_->setCurrentIndex(exchangeCount_->findData(int(copy_.SwitchCnt)));
    stationDigits_->setCurrentIndex(stationDigits_->findData(int(copy_.NumberSize)));
    for (int i = 0; i < kTieLines; ++i) tieLines_[i]->setChecked(copy_.TieLine[i] != 0);
    filling_ = false;
    BuildGrid();
}

void CDlgSystem::BuildGrid() {
    const int rows = copy_.SwitchCnt > kMaxExchanges ? kMaxExchanges : copy_.SwitchCnt;
    grid_->SetRows(rows);
    for (int e = 1; e <= rows; ++e) {
        grid_->SetCellText(e - 1, kColumnExchange, std::to_string(e));
        grid_->SetCellText(e - 1, kColumnFirstStation, FirstStationCellText(copy_, e));
    }
}

void CDlgSystem::OnExchangeCount(int index) {
    if (filling_ || index < 0) return;
    SelectExchangeCount(copy_, exchangeCount_->itemData(index).toInt());
    BuildGrid();
    exchangeCount_->setFocus();
}

void CDlgSystem::OnStationDigits(int index) {
    if (filling_ || index < 0) return;
    copy_.NumberSize = static_cast<uint8_t>(stationDigits_->itemData(index).toInt());
}

ValidationResult CDlgSystem::Validate() const { return ValidateSystem(copy_); }
ValidationResult CDlgSystem::ValidateAndCommit() { return OverwriteSystem(copy_, Model()); }
bool CDlgSystem::CopyDiffers() const { return SystemCopyDiffers(copy_, Model()); }

void CDlgSystem::FocusFailure(const ValidationResult& result) {
    switch (result.Field) {
    case kFieldExchangeCount: exchangeCount_->setFocus(); break;
    case kFieldStationDigits: stationDigits_->setFocus(); break;
    case kFieldFirstStation: grid_->SetFocusCell(result.Row - 1, kColumnFirstStation); break;
    default: break;
    }
}

std::vector<EncodedText> CDlgSystem::UploadTexts() const { return EncodeUploadSteps(Model(), SystemUploadSteps()); }

void CDlgSystem::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = PrintGlobalSetting;
    job->Data = std::make_unique<SettingData>(Model());
    job->Data->System = copy_;
    SendPrint(std::move(job));
}
