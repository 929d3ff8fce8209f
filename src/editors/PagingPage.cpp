#include "editors/PagingPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdio>
#include <string>
#include <vector>

#include "editors/SpinField.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kRowHeight = 20;
constexpr int kZoneWidth = 80;
constexpr int kSubWidths[] = {0, 85, 70, 60, 80};
constexpr int kOtherWidths[] = {0, 85, 70};
const char* const kSubTitles[] = {"No", "Exchange", "Line", "Station", "Name"};
const char* const kSpeakTitles[] = {"No", "Exchange", "Line"};
const char* const kOutInTitles[] = {"No", "Exchange", "Ctrl IN"};

std::string Formatted(const char* format, int a, int b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}
}  // namespace

CPagingPage::CPagingPage(QWidget* parent, int page, PagingCopy& copy, const SettingData& model)
    : QWidget(parent), copy_(copy), model_(model), page_(page), grid_(new GridWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    grid_->BeginEdit = [this](int row, int column) { return OnBeginEdit(row, column); };
}

void CPagingPage::ShowSelection(int selection) {
    selection_ = selection;
    BuildGrid();
}

void CPagingPage::BuildGrid() {
    const int leading = PagingLeadingColumns(page_);
    // Every zone has its column from the start; the zone digits only hide
    // some, as making columns anew costs most of a rebuild.
    if (grid_->columnCount() == 0) {
        const char* const* titles = page_ == kPagingPageSubs ? kSubTitles
                                    : page_ == kPagingPageSpeak ? kSpeakTitles
                                                                : kOutInTitles;
        std::vector<std::string> columns(titles, titles + leading);
        for (int z = 1; z <= kPagingZones; ++z) columns.push_back(Formatted("Zone %d", z));
        grid_->SetColumns(columns);
        const int* widths = page_ == kPagingPageSubs ? kSubWidths : kOtherWidths;
        for (int c = 1; c < leading; ++c) {
            grid_->SetColumnWidthPx(c, widths[c]);
            grid_->SetColumnReadOnly(c, true);
        }
        for (int z = 0; z < kPagingZones; ++z) grid_->SetColumnWidthPx(leading + z, kZoneWidth);
        grid_->setColumnHidden(0, true);
        grid_->SetRowHeightPx(kRowHeight, kRowHeight);
    }
    const int zones = PagingZoneColumns(copy_, page_, selection_);
    for (int z = 1; z <= kPagingZones; ++z) grid_->setColumnHidden(leading + z - 1, z > zones);
    const ExchangeSpan span = PagingSpan(model_, selection_);
    const int rows = PagingRowsPerExchange(page_) * (span.Last - span.First + 1);
    grid_->setUpdatesEnabled(false);
    // Cells already there only change their text.
    if (grid_->rowCount() != rows) grid_->SetRows(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < leading + zones; ++c)
            grid_->SetCellText(r, c, PagingCellText(copy_, model_, page_, selection_, r, c));
    grid_->setUpdatesEnabled(true);
}

bool CPagingPage::OnBeginEdit(int row, int column) {
    if (TogglePagingZone(copy_, model_, page_, selection_, row, column))
        grid_->SetCellText(row, column, PagingCellText(copy_, model_, page_, selection_, row, column));
    return false;  // zone cells are never typed into
}

CPagePaging::CPagePaging(QWidget* parent, PagingCopy& copy, const SettingData& model)
    : CPagingPage(parent, kPagingPageSubs, copy, model) {
    zoneDigits_ = new QComboBox(this);
    for (int d = 1; d <= 2; ++d) zoneDigits_->addItem(QString::number(d), d);
    auto* digitsLabel = new QLabel(Formatted(kZoneDigitsLabel, 2).c_str(), this);
    digitsLabel->setBuddy(zoneDigits_);
    timeOut_ = new QCheckBox(kPagingTimeOutBox, this);
    timeLabel_ = new QLabel(Formatted(kPagingTimeLabel, kPagingTimeMin, kPagingTimeMax).c_str(), this);
    time_ = new SpinField(this, 3);
    timeLabel_->setBuddy(time_);

    auto* fields = new QHBoxLayout;
    fields->addWidget(digitsLabel);
    fields->addWidget(zoneDigits_);
    fields->addSpacing(24);
    fields->addWidget(timeOut_);
    fields->addWidget(timeLabel_);
    fields->addWidget(time_);
    fields->addStretch();
    static_cast<QVBoxLayout*>(layout())->insertLayout(0, fields);
    // The grid was made first; Tab reaches it after the fields above it.
    setTabOrder(time_, Grid());

    connect(zoneDigits_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (filling_ || index < 0) return;
        SetZoneDigits(copy_, model_, selection_, zoneDigits_->itemData(index).toInt());
        BuildGrid();
    });
    connect(timeOut_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        SetPagingTimeOut(copy_, model_, selection_, on);
        ShowFields();
    });
    // Refused input, and a step, show the stored time. Leaving the field
    // unchanged stores nothing: under "ALL" it shows exchange 1's time only.
    time_->Finished = [this](const QString& typed) {
        if (typed == shownTime_) return;
        EditPagingTime(copy_, model_, selection_, typed.toStdString());
        ShowFields();
    };
    time_->Step = [this](int step) {
        const uint32_t time = copy_.PagingTimeLimit[PagingShownExchange(selection_) - 1];
        EditPagingTime(copy_, model_, selection_, std::to_string(SpinTalkTime(static_cast<int>(time), step)));
        ShowFields();
    };
}

void CPagePaging::ShowSelection(int selection) {
    selection_ = selection;
    ShowFields();
    BuildGrid();
}

void CPagePaging::ShowFields() {
    const int shown = PagingShownExchange(selection_) - 1;
    filling_ = true;
    zoneDigits_->setCurrentIndex(zoneDigits_->findData(int(copy_.ZoneSize[shown])));
    const uint32_t time = copy_.PagingTimeLimit[shown];
    timeOut_->setChecked(time != 0);
    shownTime_ = QString::number(time);
    time_->SetText(shownTime_);
    time_->setEnabled(time != 0);
    timeLabel_->setEnabled(time != 0);
    filling_ = false;
}
