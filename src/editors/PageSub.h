#pragma once
// "Substations": the sixty-four substations of each exchange and the master
// each one calls.
#include "editors/StationPage.h"

inline constexpr const char* kSubPageTitle = "Substations";

class CPageSub : public CStationPage {
    Q_OBJECT
public:
    CPageSub(QWidget* parent, StationCopy& copy, const SettingData& model);

protected:
    std::string CellText(int exchange, int position, int column) const override;
    CellEdit EditCell(int exchange, int position, int column, std::string_view text) override;
    // The called name follows the called master; typing into it changes nothing.
    bool ColumnReadOnly(int column) const override { return column == kSubCalledName; }
};
