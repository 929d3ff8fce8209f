#include "comm/SheetComm.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "comm/PageComRx.h"
#include "comm/PageComTx.h"
#include "core/Prompt.h"
#include "editors/StationCheck.h"
#include "transfer/DownloadSequence.h"
#include "transfer/UploadSequence.h"
#include "ui/EnterToDefault.h"

namespace {
constexpr const char* kUploadCaption = "Start Upload";
constexpr const char* kDownloadCaption = "Start Dwnload";
}  // namespace

CSheetComm::CSheetComm(QWidget* parent, LinkSession& link, SettingData& model)
    : QDialog(parent), model_(model), transfer_(link) {
    setWindowTitle(QStringLiteral("Upload/Download"));
    const int switchCnt = model.System.SwitchCnt;
    tabs_ = new QTabWidget(this);
    tx_ = new CPageComTx(tabs_, switchCnt);
    rx_ = new CPageComRx(tabs_, switchCnt);
    tabs_->addTab(tx_, QStringLiteral("Upload"));
    tabs_->addTab(rx_, QStringLiteral("Download"));
    start_ = new QPushButton(QString::fromLatin1(kUploadCaption), this);
    exit_ = new QPushButton(QStringLiteral("Exit"), this);
    start_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(exit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    // Enter in the number moves to the start button; only a second Enter starts.
    auto* enter = new EnterToDefault(start_, this);
    enter->Watch(tx_->ExchangeEdit());
    enter->Watch(rx_->ExchangeEdit());

    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { ShowPage(index); });
    connect(start_, &QPushButton::clicked, this, [this] { OnStart(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    transfer_.ReceiveSettingTexts(true);
    transfer_.OnMessage = [](const char* text, std::string_view detail) {
        AppPrompt().TellDetail(text, detail, PromptIcon::Warning);
    };
    // A downloaded text A may change the number of exchanges.
    transfer_.OnChange = [this] {
        tx_->SetSwitchCnt(model_.System.SwitchCnt);
        rx_->SetSwitchCnt(model_.System.SwitchCnt);
    };
}

CSheetComm::~CSheetComm() = default;

void CSheetComm::ShowPage(int index) {
    start_->setText(QString::fromLatin1(index == 1 ? kDownloadCaption : kUploadCaption));
}

void CSheetComm::OnStart() {
    if (transfer_.Running()) return;
    const bool upload = tabs_->currentIndex() == 0;
    if (upload && CheckStations(model_)) {
        // Nothing is sent; the shell checks again and opens the Stations editor.
        reject();
        return;
    }
    CPageComSelect* page = upload ? static_cast<CPageComSelect*>(tx_) : rx_;
    const int selected = page->SelectedExchange(model_.System.SwitchCnt);
    if (selected < 0) return;
    const PromptAnswer answer =
        upload ? AppPrompt().Message(kTransmitQuestionText, kTransmitQuestionTitle, PromptIcon::Question, PromptButtons::OkCancel)
               : AppPrompt().Message(kReceiveQuestionText, kReceiveQuestionTitle, PromptIcon::Question, PromptButtons::OkCancel);
    if (answer != PromptAnswer::Ok) return;
    if (upload) transfer_.Start(std::make_unique<UploadSequence>(model_), selected);
    else transfer_.Start(std::make_unique<DownloadSequence>(model_), selected);
}

void CSheetComm::done(int result) {
    // Closing during a transfer: the link is released as by the progress window's Cancel.
    transfer_.Interrupt();
    QDialog::done(result);
}
