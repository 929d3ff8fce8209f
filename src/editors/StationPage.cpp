#include "editors/StationPage.h"

#include <QVBoxLayout>
#include <string>

#include "ui/GridWidget.h"

namespace {
constexpr int kRowHeight = 20;
constexpr int kHeaderHeight = 36;  // room for the two-line titles
// Columns every page shows before its own: running number, exchange, line.
constexpr int kLeadingColumns = 3;
}  // namespace

CStationPage::CStationPage(QWidget* parent, int page, StationCopy& copy, const SettingData& model)
    : QWidget(parent), copy_(copy), model_(model), page_(page), grid_(new GridWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    grid_->EndEdit = [this](int row, int column, const std::string& text) { return OnEndEdit(row, column, text); };
}

void CStationPage::SetUpColumns(const char* const* titles, int count, const int* widths) {
    grid_->SetColumns(std::vector<std::string>(titles, titles + count));
    for (int c = 0; c < count; ++c) {
        grid_->SetColumnWidthPx(c, widths[c]);
        if (c < kLeadingColumns || ColumnReadOnly(c)) grid_->SetColumnReadOnly(c, true);
    }
    grid_->SetRowHeightPx(kRowHeight, kHeaderHeight);
}

void CStationPage::ShowSelection(int selection) {
    selection_ = selection;
    const int perExchange = page_ == kPageSubs ? kSubsPerExchange : kMastersPerExchange;
    const int inUse = model_.System.SwitchCnt > kMaxExchanges ? kMaxExchanges : model_.System.SwitchCnt;
    const int rows = selection == kSelectAll ? perExchange * inUse : perExchange;
    grid_->SetRows(rows);
    for (int r = 0; r < rows; ++r) ShowRow(r);
    // Under "ALL" the running number reaches four digits.
    grid_->FitColumnToTexts(0);
}

void CStationPage::ShowRow(int row) {
    const StationAt at = StationAtRow(page_, selection_, row);
    grid_->SetCellText(row, 0, std::to_string(row + 1));
    for (int c = 1; c < grid_->columnCount(); ++c) grid_->SetCellText(row, c, CellText(at.Exchange, at.Position, c));
}

std::string CStationPage::OnEndEdit(int row, int column, const std::string& text) {
    const StationAt at = StationAtRow(page_, selection_, row);
    const CellEdit edit = EditCell(at.Exchange, at.Position, column, text);
    if (edit.RowChanged) ShowRow(row);
    return edit.Text;
}
