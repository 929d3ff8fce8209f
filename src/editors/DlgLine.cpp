#include "editors/DlgLine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "core/Prompt.h"
#include "editors/SpinField.h"
#include "transfer/EditorUpload.h"
#include "ui/GridWidget.h"
#include "ui/Text8.h"

namespace {
constexpr int kRxColumnWidths[kRxColumnCount] = {0, 85, 90, 90, 100, 100};
constexpr int kRowHeight = 20;
constexpr int kLineNameLength = 8;

std::string Typed(const QString& text) {
    std::string out;
    ToText8(text, out);
    return out;
}
}  // namespace

CDlgLine::CDlgLine(QWidget* owner, const EditorContext& context)
    : EditorDialog(owner, context, kCoTrunksTitle), copy_(LoadLineCopy(context.Model)) {
    QLabel* selectorLabel = nullptr;
    selector_ = MakeExchangeSelector(context.Model.System.SwitchCnt, false, selectorLabel);
    char text[48];
    std::snprintf(text, sizeof text, "C/O Time-Out(1-%d min):", kCoTimeOutMax);
    auto* timeOutLabel = new QLabel(text, this);
    timeOut_ = new SpinField(this, 2);
    timeOutLabel->setBuddy(timeOut_);
    timeOut_->Finished = [this](const QString& typed) {
        const CellEdit edit = EditCoTimeOut(copy_, Exchange(), Typed(typed));
        if (typed.isEmpty()) timeOut_->SetText(QString::fromStdString(edit.Text));
    };
    timeOut_->Step = [this](int step) {
        copy_.LineCntLimit[Exchange() - 1] = static_cast<uint8_t>(SpinCoTimeOut(copy_, Exchange(), step));
        timeOut_->SetText(QString::number(copy_.LineCntLimit[Exchange() - 1]));
    };

    auto* head = new QHBoxLayout;
    head->addWidget(selectorLabel);
    head->addWidget(selector_);
    head->addSpacing(24);
    head->addWidget(timeOutLabel);
    head->addWidget(timeOut_);
    head->addStretch();
    auto* groups = new QHBoxLayout;
    for (int l = 1; l <= kLinesPerExchange; ++l) groups->addWidget(MakeLineGroup(l));
    auto* top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addLayout(groups);
    top->addWidget(ButtonBar());

    connect(selector_, &QComboBox::currentIndexChanged, this, [this] { ShowCopy(); });
    ShowCopy();
}

QWidget* CDlgLine::MakeLineGroup(int l) {
    LineWidgets& w = lines_[l - 1];
    auto* group = new QGroupBox(QString("C/O Line %1").arg(l), this);
    w.Name = new QLineEdit(group);
    w.Name->setMaxLength(kLineNameLength);
    w.Outgoing = new QCheckBox("Outgoing", group);
    w.Access = new SpinField(group, 2);  // room for a wrong second digit, which validation reports
    auto* accessLabel = new QLabel("Access No. :", group);
    accessLabel->setBuddy(w.Access);
    w.RxDial = new QCheckBox("Incoming (Direct-In Dial)", group);
    w.RxLine = new QCheckBox("Incoming (Direct-In Line)", group);
    w.Grid = new GridWidget(group);
    w.Grid->SetColumns(std::vector<std::string>(kRxColumnTitles, kRxColumnTitles + kRxColumnCount));
    int width = 4;
    for (int c = 0; c < kRxColumnCount; ++c) {
        w.Grid->SetColumnWidthPx(c, kRxColumnWidths[c]);
        width += kRxColumnWidths[c];
    }
    w.Grid->setColumnHidden(kRxNo, true);
    for (int c : {kRxNo, kRxTitle, kRxName}) w.Grid->SetColumnReadOnly(c, true);
    w.Grid->SetRowHeightPx(kRowHeight, kRowHeight);
    w.Grid->SetRows(kRxMasters);
    w.Grid->setFixedSize(width, kRowHeight * (kRxMasters + 1) + 4);
    w.Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.DeleteAll = new QPushButton(kDeleteAllButtonText, group);
    w.DeleteAll->setAutoDefault(false);

    auto* form = new QGridLayout(group);
    form->addWidget(new QLabel("Name", group), 0, 0);
    form->addWidget(w.Name, 0, 1);
    form->addWidget(w.Outgoing, 1, 0);
    auto* access = new QHBoxLayout;
    access->addWidget(accessLabel);
    access->addWidget(w.Access);
    access->addStretch();
    form->addLayout(access, 1, 1);
    form->addWidget(w.RxDial, 2, 0, 1, 2);
    form->addWidget(w.RxLine, 3, 0, 1, 2);
    form->addWidget(w.Grid, 4, 0, 1, 2);
    form->addWidget(w.DeleteAll, 5, 1, Qt::AlignRight);
    form->setRowStretch(6, 1);

    connect(w.Name, &QLineEdit::textEdited, this, [this, l](const QString& typed) {
        copy_.At(Exchange(), l).Name = Typed(typed);
    });
    connect(w.Outgoing, &QCheckBox::toggled, this, [this, l](bool on) {
        if (filling_) return;
        copy_.At(Exchange(), l).TxNumberOnOff = on ? 1 : 0;
        ShowEnabling(l);
    });
    w.Access->Finished = [this, l](const QString& typed) {
        const CellEdit edit = EditAccessNumber(copy_, Exchange(), l, Typed(typed));
        if (typed.isEmpty()) lines_[l - 1].Access->SetText(QString::fromStdString(edit.Text));
    };
    w.Access->Step = [this, l](int step) {
        LineData& line = copy_.At(Exchange(), l);
        line.TxNumber = static_cast<uint8_t>(SpinAccessNumber(copy_, Exchange(), l, step));
        lines_[l - 1].Access->SetText(QString::number(line.TxNumber));
    };
    connect(w.RxDial, &QCheckBox::toggled, this, [this, l](bool on) {
        if (!filling_) copy_.At(Exchange(), l).RxDial = on ? 1 : 0;
    });
    connect(w.RxLine, &QCheckBox::toggled, this, [this, l](bool on) {
        if (filling_) return;
        copy_.At(Exchange(), l).RxLine = on ? 1 : 0;
        ShowEnabling(l);
    });
    w.Grid->EndEdit = [this, l](int row, int column, const std::string& typed) {
        const CellEdit edit = EditRxCell(copy_, Model(), Exchange(), l, row + 1, column, typed);
        // The row's station and name follow the new reference.
        for (int c : {kRxExchange, kRxLine, kRxStation, kRxName})
            if (c != column)
                lines_[l - 1].Grid->SetCellText(row, c, RxCellText(copy_, Model(), Exchange(), l, row + 1, c));
        return edit.Text;
    };
    connect(w.DeleteAll, &QPushButton::clicked, this, [this, l] {
        if (!AppPrompt().AskYesNo(kDeleteAllConfirmText)) return;
        ClearRxStations(copy_, Model(), Exchange(), l);
        ShowGrid(l);
    });
    return group;
}

int CDlgLine::Exchange() const { return SelectedExchange(selector_); }

void CDlgLine::ShowCopy() {
    const int e = Exchange();
    filling_ = true;
    timeOut_->SetText(QString::number(copy_.LineCntLimit[e - 1]));
    for (int l = 1; l <= kLinesPerExchange; ++l) {
        const LineData& line = copy_.At(e, l);
        LineWidgets& w = lines_[l - 1];
        w.Name->setText(FromText8(line.Name.View()));
        w.Outgoing->setChecked(line.TxNumberOnOff != 0);
        w.Access->SetText(QString::number(line.TxNumber));
        w.RxDial->setChecked(line.RxDial != 0);
        w.RxLine->setChecked(line.RxLine != 0);
        ShowGrid(l);
        ShowEnabling(l);
    }
    filling_ = false;
}

void CDlgLine::ShowGrid(int l) {
    GridWidget* grid = lines_[l - 1].Grid;
    for (int slot = 1; slot <= kRxMasters; ++slot)
        for (int c = 0; c < kRxColumnCount; ++c)
            grid->SetCellText(slot - 1, c, RxCellText(copy_, Model(), Exchange(), l, slot, c));
}

void CDlgLine::ShowEnabling(int l) {
    const LineData& line = copy_.At(Exchange(), l);
    LineWidgets& w = lines_[l - 1];
    w.Access->setEnabled(line.TxNumberOnOff != 0);
    // The receiving stations stay visible but take no input off a direct-in line.
    w.Grid->setEnabled(line.RxLine != 0);
    w.DeleteAll->setEnabled(line.RxLine != 0);
}

ValidationResult CDlgLine::Validate() const { return ValidateLines(Model(), copy_); }
ValidationResult CDlgLine::ValidateAndCommit() { return OverwriteLines(copy_, Model()); }
bool CDlgLine::CopyDiffers() const { return LineCopyDiffers(copy_, Model()); }

void CDlgLine::FocusFailure(const ValidationResult& result) {
    if (result.Exchange >= 1 && result.Exchange != Exchange()) SelectExchange(selector_, result.Exchange);
    const int l = result.Page >= 1 && result.Page <= kLinesPerExchange ? result.Page : 1;
    LineWidgets& w = lines_[l - 1];
    switch (result.Field) {
    case kLineFieldTimeOut:
        timeOut_->setFocus();
        timeOut_->selectAll();
        break;
    case kLineFieldName:
        w.Name->setFocus();
        w.Name->selectAll();
        break;
    case kLineFieldAccess:
        // A digit typed while "Outgoing" was off is still reported; the field
        // can then only be shown, not focused.
        w.Access->setFocus();
        w.Access->selectAll();
        break;
    case kLineFieldGrid: w.Grid->SetFocusCell(result.Row - 1, kRxExchange); break;
    default: break;
    }
}

std::vector<EncodedText> CDlgLine::UploadTexts() const {
    return EncodeUploadSteps(Model(), ExchangeUploadSteps(Model(), 'D'));
}

// The exchange shown, as edited: the copy is committed into the job's own data.
void CDlgLine::PrintCopy() {
    auto job = std::make_unique<PrintJob>();
    job->Code = PrintCoTrunks;
    job->Exchange = static_cast<uint8_t>(Exchange());
    job->Data = std::make_unique<SettingData>(Model());
    LineCopy copy = copy_;  // the commit reloads the copy it is given
    CommitLines(copy, *job->Data);
    SendPrint(std::move(job));
}
