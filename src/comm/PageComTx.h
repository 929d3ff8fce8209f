#pragma once
// The pages of the Upload/Download window: both choose the exchange(s), all
// or a single one by its number.
#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;

// What both pages carry: "Select the Exchange(s)" with "All " and "Single".
class CPageComSelect : public QWidget {
public:
    CPageComSelect(QWidget* parent, int switchCnt);

    QRadioButton* AllButton() const { return all_; }
    QRadioButton* SingleButton() const { return single_; }
    QLineEdit* ExchangeEdit() const { return exchange_; }
    // The upper bound shown, after a download changed the exchange count.
    void SetSwitchCnt(int switchCnt);
    // 0 for all; the number typed for single, or -1 (message shown, field
    // focused and selected) when it is not 1..switchCnt.
    int SelectedExchange(int switchCnt);

private:
    QLabel* label_;
    QRadioButton* all_;
    QRadioButton* single_;
    QLineEdit* exchange_;
};

// Upload: the whole setting data to the exchanges.
class CPageComTx : public CPageComSelect {
public:
    using CPageComSelect::CPageComSelect;
};
