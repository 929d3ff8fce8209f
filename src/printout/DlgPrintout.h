#pragma once
// "Printout": every category, for all exchanges or one. The window stays open
// after Print; Cancel closes it and Escape does nothing.
#include <QDialog>
#include <functional>
#include <memory>

#include "model/SettingData.h"
#include "printout/PrintJob.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

inline constexpr const char* kIncorrectExchangeText = "Incorrect exchange No.";

// A job of the category for the model as it is: the sender's own copy.
std::unique_ptr<PrintJob> MakePrintJob(int code, int exchange, const SettingData& data);

class CDlgPrintout : public QDialog {
    Q_OBJECT
public:
    CDlgPrintout(QWidget* owner, const SettingData& model, PrintSender print);

    QRadioButton* AllButton() const { return all_; }
    QRadioButton* SingleButton() const { return single_; }
    QLineEdit* ExchangeEdit() const { return exchange_; }
    QPushButton* PrintButton() const { return print_; }
    QPushButton* CancelButton() const { return cancel_; }

    void OnPrint();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void StepExchange(int by);

    const SettingData& model_;
    PrintSender send_;
    int switchCnt_;
    QRadioButton* all_;
    QRadioButton* single_;
    QLineEdit* exchange_;
    QToolButton* up_;
    QToolButton* down_;
    QPushButton* print_;
    QPushButton* cancel_;
};
