#include "editors/DlgFunction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "editors/SpinField.h"
#include "transfer/EditorUpload.h"
#include "ui/Text8.h"

namespace {
constexpr int kTimeLength = 5;

std::string Typed(const QString& text) {
    std::string out;
    ToText8(text, out);
    return out;
}
}  // namespace

CDlgFunction::CDlgFunction(QWidget* owner, const EditorContext& context)
    : EditorDialog(owner, context, kCallForwardingTitle), copy_(LoadFunctionCopy(context.Model)) {
    QLabel* selectorLabel = nullptr;
    selector_ = MakeExchangeSelector(context.Model.System.SwitchCnt, false, selectorLabel);

    forwarding_ = new QCheckBox("Call Forwarding", this);
    timeBased_ = new QCheckBox("Time-Based Call Forwarding", this);
    start_ = new QLineEdit(this);
    end_ = new QLineEdit(this);
    startLabel_ = new QLabel("Start Time:", this);
    endLabel_ = new QLabel("End Time:", this);
    for (QLineEdit* time : {start_, end_}) {
        time->setMaxLength(kTimeLength);
        time->setMaximumWidth(fontMetrics().horizontalAdvance("000000") + 16);
    }
    startLabel_->setBuddy(start_);
    endLabel_->setBuddy(end_);
    busy_ = new QCheckBox("Busy Call Forwarding", this);

    auto* forwardingGroup = new QGroupBox(this);
    auto* fwd = new QGridLayout(forwardingGroup);
    fwd->addWidget(forwarding_, 0, 0, 1, 3);
    fwd->addWidget(timeBased_, 1, 0, 1, 3);
    fwd->addWidget(startLabel_, 2, 1);
    fwd->addWidget(start_, 2, 2);
    fwd->addWidget(endLabel_, 3, 1);
    fwd->addWidget(end_, 3, 2);
    fwd->addWidget(busy_, 4, 0, 1, 3);
    fwd->setColumnMinimumWidth(0, 16);
    fwd->setColumnStretch(3, 1);

    char label[48];
    std::snprintf(label, sizeof label, "Interval(1-%d s):", kIntervalMax);
    MakeValue(kFunctionFieldInterval, "No-Answer Call Fwd", label, 2);
    std::snprintf(label, sizeof label, "Time Limit(1-%d min):", kCallTimeMax);
    MakeValue(kFunctionFieldCallTime, "Call Time-Out", label, 2);
    std::snprintf(label, sizeof label, "Time Limit(10-%d s):", kTalkTimeMax);
    MakeValue(kFunctionFieldTalkTime, "Conversation Time-Out", label, 3);

    auto* limits = new QGroupBox(this);
    auto* grid = new QGridLayout(limits);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(values_[i].Box, 2 * i, 0, 1, 3);
        grid->addWidget(values_[i].Label, 2 * i + 1, 1);
        grid->addWidget(values_[i].Field, 2 * i + 1, 2);
    }
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(3, 1);

    auto* head = new QHBoxLayout;
    head->addWidget(selectorLabel);
    head->addWidget(selector_);
    head->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(forwardingGroup);
    body->addWidget(limits);
    auto* top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addLayout(body);
    top->addWidget(ButtonBar());

    connect(forwarding_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        StoreTimeText(Entry().StartTime, Typed(start_->text()));
        StoreTimeText(Entry().EndTime, Typed(end_->text()));
        Entry().OutSend = on ? 1 : 0;
        ShowEnabling();
    });
    connect(timeBased_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        Entry().AutoOutSend = on ? 1 : 0;
        ShowEnabling();
    });
    connect(start_, &QLineEdit::textEdited, this,
            [this](const QString& typed) { StoreTimeText(Entry().StartTime, Typed(typed)); });
    connect(end_, &QLineEdit::textEdited, this,
            [this](const QString& typed) { StoreTimeText(Entry().EndTime, Typed(typed)); });
    connect(busy_, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling_) Entry().TalkSend = on ? 1 : 0;
    });
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { ShowCopy(); });
    ShowCopy();
}

void CDlgFunction::MakeValue(int field, const char* box, const char* label, int maxLength) {
    ValueWidgets& w = values_[field - kFunctionFieldInterval];
    w.Box = new QCheckBox(box, this);
    w.Label = new QLabel(label, this);
    w.Field = new SpinField(this, maxLength);
    w.Label->setBuddy(w.Field);
    const auto show = [this, field] {
        Value(field).Field->SetText(QString::number(StoredValue(Entry(), field)));
    };
    connect(w.Box, &QCheckBox::toggled, this, [this, field, show](bool on) {
        if (filling_) return;
        CheckValueBox(Entry(), field, on);
        show();
        ShowEnabling();
    });
    w.Field->Finished = [this, field](const QString& typed) {
        const CellEdit edit = EditValue(Entry(), field, Typed(typed));
        if (!edit.Accepted) Value(field).Field->SetText(QString::fromStdString(edit.Text));
    };
    w.Field->Step = [this, field, show](int step) {
        SpinValue(Entry(), field, step);
        show();
    };
}

FunctionData& CDlgFunction::Entry() { return copy_.At(SelectedExchange(selector_)); }

void CDlgFunction::ShowCopy() {
    const FunctionData& f = Entry();
    filling_ = true;
    forwarding_->setChecked(f.OutSend != 0);
    timeBased_->setChecked(f.AutoOutSend != 0);
    start_->setText(FromText8(f.StartTime.Text.View()));
    end_->setText(FromText8(f.EndTime.Text.View()));
    busy_->setChecked(f.TalkSend != 0);
    for (int field : {kFunctionFieldInterval, kFunctionFieldCallTime, kFunctionFieldTalkTime}) {
        Value(field).Box->setChecked(StoredValue(f, field) != 0);
        Value(field).Field->SetText(QString::number(StoredValue(f, field)));
    }
    filling_ = false;
    ShowEnabling();
}

void CDlgFunction::ShowEnabling() {
    const FunctionData& f = Entry();
    timeBased_->setEnabled(f.OutSend != 0);
    const bool times = f.OutSend && f.AutoOutSend;
    for (QWidget* w : std::initializer_list<QWidget*>{start_, end_, startLabel_, endLabel_}) w->setEnabled(times);
    for (const ValueWidgets& v : values_) {
        v.Label->setEnabled(v.Box->isChecked());
        v.Field->setEnabled(v.Box->isChecked());
    }
}

ValidationResult CDlgFunction::Validate() const { return ValidateFunctions(Model(), copy_); }
ValidationResult CDlgFunction::ValidateAndCommit() { return OverwriteFunctions(copy_, Model()); }
bool CDlgFunction::CopyDiffers() const { return FunctionCopyDiffers(copy_, Model()); }

void CDlgFunction::FocusFailure(const ValidationResult& result) {
    if (result.Exchange >= 1 && result.Exchange != SelectedExchange(selector_))
        SelectExchange(selector_, result.Exchange);
    switch (result.Field) {
    case kFunctionFieldStart:
    case kFunctionFieldEnd: {
        QLineEdit* time = result.Field == kFunctionFieldStart ? start_ : end_;
        time->setFocus();
        time->selectAll();
        break;
    }
    case kFunctionFieldInterval:
    case kFunctionFieldCallTime:
    case kFunctionFieldTalkTime:
        Value(result.Field).Field->setFocus();
        Value(result.Field).Field->selectAll();
        break;
    default: break;
    }
}

std::vector<EncodedText> CDlgFunction::UploadTexts() const {
    return EncodeUploadSteps(Model(), ExchangeUploadSteps(Model(), 'F'));
}

// The exchange shown, as edited.
void CDlgFunction::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = PrintCallForwarding;
    job->Exchange = static_cast<uint8_t>(SelectedExchange(selector_));
    job->Data = std::make_unique<SettingData>(Model());
    FunctionCopy copy = copy_;  // the commit reloads the copy it is given
    CommitFunctions(copy, *job->Data);
    SendPrint(std::move(job));
}
