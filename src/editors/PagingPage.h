#pragma once
// The three pages of the Paging sheet: a grid of zone flags over the working
// copy, one row per substation, PA output or control input channel of the
// exchange chosen (or of every exchange in use with "ALL"); zone columns
// beyond the zones offered are hidden. A zone cell
// toggles when an edit starts; it never opens an editor. The substation page
// adds the zone digits and the paging time-out.
#include <QWidget>

#include "editors/PagingRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class GridWidget;
class SpinField;

class CPagingPage : public QWidget {
    Q_OBJECT
public:
    CPagingPage(QWidget* parent, int page, PagingCopy& copy, const SettingData& model);

    GridWidget* Grid() const { return grid_; }
    int Page() const { return page_; }
    // Shows the rows of the selection (1..16, or kPagingSelectAll).
    virtual void ShowSelection(int selection);

protected:
    void BuildGrid();

    PagingCopy& copy_;
    const SettingData& model_;
    int selection_ = 1;

private:
    bool OnBeginEdit(int row, int column);

    int page_;
    GridWidget* grid_;
};

class CPagePaging : public CPagingPage {
    Q_OBJECT
public:
    CPagePaging(QWidget* parent, PagingCopy& copy, const SettingData& model);
    void ShowSelection(int selection) override;

    QComboBox* ZoneDigitsList() const { return zoneDigits_; }
    QCheckBox* TimeOutBox() const { return timeOut_; }
    SpinField* TimeField() const { return time_; }

private:
    void ShowFields();

    QComboBox* zoneDigits_ = nullptr;
    QCheckBox* timeOut_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    SpinField* time_ = nullptr;
    QString shownTime_;
    bool filling_ = false;
};

class CPageSpeak : public CPagingPage {
    Q_OBJECT
public:
    CPageSpeak(QWidget* parent, PagingCopy& copy, const SettingData& model)
        : CPagingPage(parent, kPagingPageSpeak, copy, model) {}
};

class CPageOutIn : public CPagingPage {
    Q_OBJECT
public:
    CPageOutIn(QWidget* parent, PagingCopy& copy, const SettingData& model)
        : CPagingPage(parent, kPagingPageOutIn, copy, model) {}
};
