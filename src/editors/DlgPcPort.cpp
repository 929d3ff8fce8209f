#include "editors/DlgPcPort.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/SettingsFile.h"
#include "ui/DlgNewPassword.h"

CDlgPcPort::CDlgPcPort(QWidget* owner, const EditorContext& context, PcPortHooks hooks)
    : EditorDialog(owner, context, kPcPortTitle, EditorOptions{.Upload = false}), hooks_(std::move(hooks)),
      copy_(LoadPortCopy(context.Model.Maintenance)) {
    auto* group = new QGroupBox("PC/Exchange Connection Setting", this);
    auto* grid = new QGridLayout(group);

    auto* methodBox = new QGroupBox("Method", group);
    auto* methodRow = new QVBoxLayout(methodBox);
    auto* methodGroup = new QButtonGroup(this);
    const char* methodNames[2] = {"RS-232C", "Modem"};
    for (int m = 0; m < 2; ++m) {
        methods_[m] = new QRadioButton(methodNames[m], methodBox);
        methodGroup->addButton(methods_[m], m);
        methodRow->addWidget(methods_[m]);
    }
    connect(methodGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (filling_ || !on) return;
        copy_.Method = static_cast<std::uint8_t>(id);
        EnableForMethod();
    });

    auto* portBox = new QGroupBox("COM port", group);
    auto* portRow = new QHBoxLayout(portBox);
    auto* portGroup = new QButtonGroup(this);
    for (int p = 0; p < 4; ++p) {
        ports_[p] = new QRadioButton(QString("COM%1").arg(p + 1), portBox);
        portGroup->addButton(ports_[p], p);
        portRow->addWidget(ports_[p]);
    }
    connect(portGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!filling_ && on) copy_.Port = static_cast<std::uint8_t>(id);
    });
    lineSettings_ = new QLabel(kLineSettingsText, group);

    telNo_ = new QLineEdit(group);
    telNo_->setMaxLength(kTelNoMax * 2);  // longer input is refused by the check, not cut silently
    auto* telLabel = new QLabel("Telephone No.", group);
    telLabel->setBuddy(telNo_);
    connect(telNo_, &QLineEdit::textEdited, this, [this](const QString& t) { copy_.TelNo = t.toStdString(); });

    grid->addWidget(methodBox, 0, 0, 2, 1);
    grid->addWidget(portBox, 0, 1, 1, 2);
    grid->addWidget(lineSettings_, 1, 1, 1, 2);
    grid->addWidget(telLabel, 2, 0);
    grid->addWidget(telNo_, 2, 1, 1, 2);

    newPassword_ = new QPushButton(kNewPasswordButtonText, this);
    newPassword_->setAutoDefault(false);  // Enter never opens it
    connect(newPassword_, &QPushButton::clicked, this, [this] {
        CDlgNewPassword dialog(Model().SettingPassword, kStartupSettingsFile, this);
        dialog.exec();
    });
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addStretch();
    passwordRow->addWidget(newPassword_);

    auto* top = new QVBoxLayout(this);
    top->addWidget(group);
    top->addLayout(passwordRow);
    top->addWidget(ButtonBar());
    ShowCopy();
    methods_[copy_.Method]->setFocus();
}

void CDlgPcPort::EnableForMethod() {
    const bool serial = copy_.Method == 0;
    for (QRadioButton* p : ports_) p->setEnabled(serial);
    lineSettings_->setEnabled(serial);
    telNo_->setEnabled(!serial);
}

void CDlgPcPort::ShowCopy() {
    filling_ = true;
    methods_[copy_.Method]->setChecked(true);
    ports_[copy_.Port]->setChecked(true);
    telNo_->setText(QString::fromStdString(copy_.TelNo));
    filling_ = false;
    EnableForMethod();
}

ValidationResult CDlgPcPort::ValidateAndCommit() {
    if (hooks_.Busy && hooks_.Busy()) {
        copy_ = LoadPortCopy(Model().Maintenance);  // the shown settings go back to the model's
        return {};
    }
    ValidationResult r = ValidatePort(copy_);
    if (!r.Passed() || !PortCopyDiffers(copy_, Model().Maintenance)) return r;
    CommitPort(copy_, Model().Maintenance);
    Model().Modified = 1;
    if (hooks_.RestartLink) hooks_.RestartLink();
    return r;
}

void CDlgPcPort::FocusFailure(const ValidationResult&) {
    telNo_->setFocus();
    telNo_->selectAll();
}

// The settings as edited, as Overwrite would keep them.
void CDlgPcPort::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = PrintPcPort;
    job->Data = std::make_unique<SettingData>(Model());
    CommitPort(copy_, job->Data->Maintenance);
    SendPrint(std::move(job));
}
