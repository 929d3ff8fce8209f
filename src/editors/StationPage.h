#pragma once
// What the two pages of the Stations sheet share: a grid over the working
// copy, one row per station of the exchange selected (or of every exchange in
// use with "ALL"), a running-number column, and every edit decided by the
// station rules.
#include <QWidget>
#include <string>
#include <string_view>

#include "editors/StationRules.h"

class GridWidget;

class CStationPage : public QWidget {
    Q_OBJECT
public:
    CStationPage(QWidget* parent, int page, StationCopy& copy, const SettingData& model);

    GridWidget* Grid() const { return grid_; }
    int Page() const { return page_; }
    // Shows the stations of exchange selection (1..16), or of every exchange
    // in use for kSelectAll.
    void ShowSelection(int selection);
    int Selection() const { return selection_; }

protected:
    // Builds the grid's columns; called once by each page's constructor.
    void SetUpColumns(const char* const* titles, int count, const int* widths);
    virtual std::string CellText(int exchange, int position, int column) const = 0;
    virtual CellEdit EditCell(int exchange, int position, int column, std::string_view text) = 0;
    // Cells that never take input besides the leading three.
    virtual bool ColumnReadOnly(int) const { return false; }

    StationCopy& copy_;
    const SettingData& model_;

private:
    void ShowRow(int row);
    std::string OnEndEdit(int row, int column, const std::string& text);

    int page_;
    int selection_ = 1;
    GridWidget* grid_;
};
