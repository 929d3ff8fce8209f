#include "printout/DlgPrintout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Prompt.h"
#include "printout/PrintPlan.h"
#include "ui/EnterToDefault.h"

std::unique_ptr<PrintJob> MakePrintJob(int code, int exchange, const SettingData& data) {
    auto job = std::make_unique<PrintJob>();
    job->Code = static_cast<uint8_t>(code);
    job->Exchange = static_cast<uint8_t>(exchange);
    job->Data = std::make_unique<SettingData>(data);
    return job;
}

CDlgPrintout::CDlgPrintout(QWidget* owner, const SettingData& model, PrintSender print)
    : QDialog(owner), model_(model), send_(std::move(print)), switchCnt_(ExchangesInUse(model)) {
    setWindowTitle(kPrintAllTitle);
    auto* group = new QGroupBox("Select the exchange(s)", this);
    all_ = new QRadioButton("All ", group);
    single_ = new QRadioButton("Single", group);
    char label[48];
    std::snprintf(label, sizeof label, "Exchange No. (1-%d):", switchCnt_);
    auto* exchangeLabel = new QLabel(label, group);
    exchange_ = new QLineEdit("1", group);
    exchange_->setMaxLength(2);
    exchange_->setValidator(new QIntValidator(0, 99, exchange_));
    exchange_->setFixedWidth(40);
    up_ = new QToolButton(group);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(group);
    down_->setArrowType(Qt::DownArrow);
    auto* grid = new QGridLayout(group);
    grid->addWidget(all_, 0, 0);
    grid->addWidget(single_, 1, 0);
    grid->addWidget(exchangeLabel, 1, 1);
    grid->addWidget(exchange_, 1, 2);
    grid->addWidget(up_, 1, 3);
    grid->addWidget(down_, 1, 4);

    print_ = new QPushButton("Print", this);
    cancel_ = new QPushButton("Cancel", this);
    print_->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(print_);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    (new EnterToDefault(print_, this))->Watch(exchange_);
    auto enable = [this] {
        const bool single = single_->isChecked();
        for (QWidget* w : {static_cast<QWidget*>(exchange_), static_cast<QWidget*>(up_), static_cast<QWidget*>(down_)})
            w->setEnabled(single);
    };
    connect(all_, &QRadioButton::toggled, this, enable);
    connect(up_, &QToolButton::clicked, this, [this] { StepExchange(1); });
    connect(down_, &QToolButton::clicked, this, [this] { StepExchange(-1); });
    connect(print_, &QPushButton::clicked, this, &CDlgPrintout::OnPrint);
    connect(cancel_, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    all_->setChecked(true);
    enable();
}

void CDlgPrintout::StepExchange(int by) {
    const int n = std::clamp(exchange_->text().toInt() + by, 1, switchCnt_);
    exchange_->setText(QString::number(n));
}

void CDlgPrintout::OnPrint() {
    int exchange = 0;
    if (single_->isChecked()) {
        bool ok = false;
        exchange = exchange_->text().toInt(&ok);
        if (!ok || exchange < 1 || exchange > switchCnt_) {
            AppPrompt().Tell(kIncorrectExchangeText, PromptIcon::Question);
            exchange_->setFocus();
            exchange_->selectAll();
            return;
        }
    }
    if (send_) send_(MakePrintJob(PrintAll, exchange, model_));
}

void CDlgPrintout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) return;  // only Cancel closes the window
    QDialog::keyPressEvent(event);
}
