#include "editors/PageSub.h"

#include "ui/GridWidget.h"

namespace {
constexpr int kWidths[kSubColumnCount] = {36, 66, 40, 60, 70, 76, 60, 70, 70, 96};
}

CPageSub::CPageSub(QWidget* parent, StationCopy& copy, const SettingData& model)
    : CStationPage(parent, kPageSubs, copy, model) {
    SetUpColumns(kSubColumnTitles, kSubColumnCount, kWidths);
    Grid()->SetColumnChoices(kSubPriority, {kLevelNormalText, kLevelEmergencyText});
}

std::string CPageSub::CellText(int exchange, int position, int column) const {
    return SubCellText(copy_, exchange, position, column);
}

CellEdit CPageSub::EditCell(int exchange, int position, int column, std::string_view text) {
    return EditSubCell(copy_, model_.System, exchange, position, column, text);
}
