#pragma once
// "Master Stations (Telephones)": the four masters of each exchange.
#include "editors/StationPage.h"

inline constexpr const char* kMasterPageTitle = "Master Stations (Telephones)";

class CPageMaster : public CStationPage {
    Q_OBJECT
public:
    CPageMaster(QWidget* parent, StationCopy& copy, const SettingData& model);

protected:
    std::string CellText(int exchange, int position, int column) const override;
    CellEdit EditCell(int exchange, int position, int column, std::string_view text) override;
};
