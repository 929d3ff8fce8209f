#include "editors/PageMaster.h"

#include "ui/GridWidget.h"

namespace {
constexpr int kWidths[kMasterColumnCount] = {36, 66, 40, 60, 70, 110, 122, 140, 112, 140, 146, 136};
}

CPageMaster::CPageMaster(QWidget* parent, StationCopy& copy, const SettingData& model)
    : CStationPage(parent, kPageMasters, copy, model) {
    SetUpColumns(kMasterColumnTitles, kMasterColumnCount, kWidths);
    Grid()->SetColumnChoices(kMasterLineAccess, {kFlagOnText, kFlagOffText});
    Grid()->SetColumnChoices(kMasterEmergencyPaging, {kFlagOnText, kFlagOffText});
}

std::string CPageMaster::CellText(int exchange, int position, int column) const {
    return MasterCellText(copy_, exchange, position, column);
}

CellEdit CPageMaster::EditCell(int exchange, int position, int column, std::string_view text) {
    return EditMasterCell(copy_, model_.System, exchange, position, column, text);
}
