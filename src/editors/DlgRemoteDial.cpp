#include "editors/DlgRemoteDial.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Prompt.h"
#include "editors/RemoteDialRules.h"
#include "link/TransferEngine.h"
#include "transfer/SingleRequest.h"
#include "ui/Text8.h"

namespace {
QSpinBox* MakeSpin(QWidget* parent, int last) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(1, last);
    spin->setValue(1);
    // An emptied field gets its last value back when left.
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    return spin;
}

QString Label(const char* format, int last) {
    char text[48];
    std::snprintf(text, sizeof text, format, last);
    return text;
}
}  // namespace

CDlgRemoteDial::CDlgRemoteDial(QWidget* owner, const EditorContext& context) : QDialog(owner), model_(context.Model) {
    setWindowTitle(kRemoteDialingTitle);
    setModal(true);
    const int switchCnt = model_.System.SwitchCnt < 1 ? 1 : model_.System.SwitchCnt;
    exchange_ = MakeSpin(this, switchCnt);
    master_ = MakeSpin(this, kMastersPerExchange);
    dial_ = new QComboBox(this);
    dial_->setEditable(true);
    dial_->setInsertPolicy(QComboBox::NoInsert);  // the history is the model's
    dial_->lineEdit()->setMaxLength(kDialingDataField);
    dial_->setMinimumWidth(260);

    auto* form = new QFormLayout;
    form->addRow(Label("Exchange No. (1-%d):", switchCnt), exchange_);
    form->addRow(Label("Master Station No. (1-%d):", kMastersPerExchange), master_);
    form->addRow("Dialing Data:", dial_);

    dialButton_ = new QPushButton("Dial", this);
    dialButton_->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(dialButton_);
    buttons->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);

    connect(dialButton_, &QPushButton::clicked, this, &CDlgRemoteDial::OnDial);
    connect(cancel, &QPushButton::clicked, this, [this] { done(Rejected); });
    if (context.Link) {
        transfer_ = std::make_unique<TransferEngine>(*context.Link);
        transfer_->OnFinished = [this] { Finished(); };
    }
    ShowHistory();
    dial_->setCurrentIndex(-1);
    dial_->setEditText({});
}

// The window going gives the link up (the engine does it as it goes).
CDlgRemoteDial::~CDlgRemoteDial() = default;

void CDlgRemoteDial::ShowHistory() {
    const QString typed = dial_->currentText();
    dial_->clear();
    const int count = model_.RemoteDial.TelCnt > kRemoteDialNumbers ? kRemoteDialNumbers : model_.RemoteDial.TelCnt;
    for (int i = 0; i < count; ++i) dial_->addItem(FromText8(model_.RemoteDial.TelNo[i].View()));
    dial_->setEditText(typed);
}

void CDlgRemoteDial::OnDial() {
    if (transfer_ && transfer_->Running()) return;  // one dialing at a time
    std::string dial;
    // No 8-bit form: a byte no dial may hold, so the check refuses it. (Assigned
    // as a count and a char: g++ 12 at -O2 warns falsely on the literal.)
    if (!ToText8(dial_->currentText().left(kDialingDataField), dial)) dial.assign(1, '\x01');
    const int exchange = exchange_->value(), master = master_->value();
    const RemoteDialFault fault = CheckRemoteDial(model_, exchange, master, dial);
    if (fault != RemoteDialFault::None) {
        AppPrompt().Message(RemoteDialMessage(fault), {}, PromptIcon::Question, PromptButtons::Ok);
        QWidget* field = fault == RemoteDialFault::Master ? master_
                         : fault == RemoteDialFault::TelNo ? static_cast<QWidget*>(dial_)
                                                            : exchange_;
        field->setFocus();
        if (fault == RemoteDialFault::TelNo) dial_->lineEdit()->selectAll();
        else static_cast<QSpinBox*>(field)->selectAll();
        return;
    }
    if (AppPrompt().Message(kTransmitQuestionText, kTransmitQuestionTitle, PromptIcon::Question,
                            PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    // The history changes first: a failed dialing keeps it.
    UpdateDialHistory(model_.RemoteDial, model_.Modified, dial);
    ShowHistory();
    if (!transfer_) {
        AppPrompt().Tell(kFailedToOpenDeviceText, PromptIcon::Warning);
        return;
    }
    const EncodedText text = RemoteDialText(model_, exchange, master, dial);
    transfer_->Start(std::make_unique<SingleRequest>(text.View(), true, kActivityReading, exchange - 1));
}

void CDlgRemoteDial::Finished() {
    switch (transfer_->Outcome()) {
    case kTransferFailed: AppPrompt().Tell(kFailedToTransmitText, PromptIcon::Warning); break;
    case kTransferOpenFailed: AppPrompt().Tell(kFailedToOpenDeviceText, PromptIcon::Warning); break;
    default: break;
    }
}

void CDlgRemoteDial::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        // In a field Enter only moves to Dial; on a button it presses it.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        else dialButton_->setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}
