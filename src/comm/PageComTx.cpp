#include "comm/PageComTx.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "transfer/TransferSequence.h"
#include "core/Prompt.h"

CPageComSelect::CPageComSelect(QWidget* parent, int switchCnt) : QWidget(parent) {
    auto* group = new QGroupBox(QStringLiteral("Select the Exchange(s)"), this);
    all_ = new QRadioButton(QStringLiteral("All "), group);
    single_ = new QRadioButton(QStringLiteral("Single"), group);
    exchange_ = new QLineEdit(group);
    exchange_->setMaxLength(2);
    label_ = new QLabel(group);
    label_->setBuddy(exchange_);
    SetSwitchCnt(switchCnt);
    auto* number = new QHBoxLayout;
    number->addWidget(label_);
    number->addWidget(exchange_);
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(all_);
    inner->addWidget(single_);
    inner->addLayout(number);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addStretch();
    all_->setChecked(true);
    exchange_->setEnabled(false);
    connect(single_, &QRadioButton::toggled, exchange_, &QLineEdit::setEnabled);
}

void CPageComSelect::SetSwitchCnt(int switchCnt) {
    label_->setText(QString::asprintf("Exchange No. (1-%d):", switchCnt));
}

int CPageComSelect::SelectedExchange(int switchCnt) {
    if (all_->isChecked()) return 0;
    const int n = ParseExchangeNo(exchange_->text().toStdString(), switchCnt);
    if (n > 0) return n;
    AppPrompt().Tell(kIncorrectExchangeNoText, PromptIcon::Warning);
    exchange_->setFocus();
    exchange_->selectAll();
    return -1;
}
