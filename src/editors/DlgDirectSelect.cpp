#include "editors/DlgDirectSelect.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "transfer/EditorUpload.h"

CDlgDirectSelect::CDlgDirectSelect(QWidget* owner, const EditorContext& context)
    : EditorDialog(owner, context, kDirectSelectTitle), copy_(LoadDirectSelectCopy(context.Model)) {
    QLabel* selectorLabel = nullptr;
    selector_ = MakeExchangeSelector(context.Model.System.SwitchCnt, false, selectorLabel);
    auto* outputs = new QGroupBox("Control Outputs:", this);
    response_ = new QRadioButton("Response-Activated", outputs);
    call_ = new QRadioButton("Call-Activated", outputs);
    modes_ = new QButtonGroup(this);
    modes_->addButton(response_, kResponseActivated);
    modes_->addButton(call_, kCallActivated);
    auto* column = new QVBoxLayout(outputs);
    column->addWidget(response_);
    column->addWidget(call_);

    auto* head = new QHBoxLayout;
    head->addWidget(selectorLabel);
    head->addWidget(selector_);
    head->addStretch();
    auto* top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addWidget(outputs);
    top->addWidget(ButtonBar());

    connect(modes_, &QButtonGroup::idToggled, this, [this](int mode, bool on) {
        if (on && !filling_) copy_.OutMode[SelectedExchange(selector_) - 1] = static_cast<uint8_t>(mode);
    });
    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { ShowCopy(); });
    ShowCopy();
}

void CDlgDirectSelect::ShowCopy() {
    const uint8_t mode = copy_.OutMode[SelectedExchange(selector_) - 1];
    filling_ = true;
    // A mode a file brought in outside the two shows neither.
    QRadioButton* chosen = mode == kResponseActivated ? response_ : mode == kCallActivated ? call_ : nullptr;
    if (chosen) {
        chosen->setChecked(true);
    } else {
        modes_->setExclusive(false);
        response_->setChecked(false);
        call_->setChecked(false);
        modes_->setExclusive(true);
    }
    filling_ = false;
}

ValidationResult CDlgDirectSelect::ValidateAndCommit() {
    CommitDirectSelect(copy_, Model());
    return {};
}

bool CDlgDirectSelect::CopyDiffers() const { return DirectSelectCopyDiffers(copy_, Model()); }

std::vector<EncodedText> CDlgDirectSelect::UploadTexts() const {
    return EncodeUploadSteps(Model(), ExchangeUploadSteps(Model(), 'M'));
}

// The exchange shown, as edited.
void CDlgDirectSelect::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = PrintDirectSelect;
    job->Exchange = static_cast<uint8_t>(SelectedExchange(selector_));
    job->Data = std::make_unique<SettingData>(Model());
    DirectSelectCopy copy = copy_;
    CommitDirectSelect(copy, *job->Data);
    SendPrint(std::move(job));
}
