#include "editors/EditorDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/Prompt.h"
#include "link/TransferEngine.h"
#include "transfer/UploadSequence.h"

namespace {
// Eats digit keys and the space bar, so a number list is only chosen from.
class DigitKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QPushButton* MakeButton(const char* text, QWidget* parent, QHBoxLayout* row) {
    auto* b = new QPushButton(text, parent);
    // Enter acts only on the button that has the focus (keyPressEvent).
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}
}  // namespace

EditorDialog::EditorDialog(QWidget* owner, const EditorContext& context, const char* title, EditorOptions options)
    : QDialog(owner), model_(context.Model), save_(context.Save), printSender_(context.Print) {
    if (context.Link && options.Upload) {
        transfer_ = std::make_unique<TransferEngine>(*context.Link);
        transfer_->OnMessage = [](const char* text, std::string_view detail) {
            AppPrompt().TellDetail(text, detail, PromptIcon::Warning);
        };
    }
    setWindowTitle(title);
    setModal(true);
    buttonBar_ = new QWidget(this);
    auto* row = new QHBoxLayout(buttonBar_);
    row->setContentsMargins(0, 0, 0, 0);
    if (options.DeleteAll) deleteAll_ = MakeButton(kDeleteAllButtonText, buttonBar_, row);
    row->addStretch();
    print_ = MakeButton(kPrintButtonText, buttonBar_, row);
    if (options.Upload) upload_ = MakeButton(kUploadButtonText, buttonBar_, row);
    overwrite_ = MakeButton(kOverwriteButtonText, buttonBar_, row);
    close_ = MakeButton(kCloseButtonText, buttonBar_, row);
    connect(print_, &QPushButton::clicked, this, &EditorDialog::OnPrint);
    if (upload_) connect(upload_, &QPushButton::clicked, this, &EditorDialog::OnUpload);
    connect(overwrite_, &QPushButton::clicked, this, &EditorDialog::OnOverwrite);
    connect(close_, &QPushButton::clicked, this, &EditorDialog::OnClose);
    if (deleteAll_) connect(deleteAll_, &QPushButton::clicked, this, &EditorDialog::OnDeleteAll);

    auto* saveKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    saveKey->setContext(Qt::WindowShortcut);
    connect(saveKey, &QShortcut::activated, this, [this] {
        if (save_) save_();
    });
}

// An editor that goes while its upload runs gives the link up (the engine
// does it as it goes), so no result is addressed to a window that is gone.
EditorDialog::~EditorDialog() = default;

bool EditorDialog::UploadRunning() const { return transfer_ && transfer_->Running(); }

bool EditorDialog::ShowFailure(const ValidationResult& result) {
    if (result.Passed()) return false;
    AppPrompt().Message(result.Message, {}, PromptIcon::Exclamation, PromptButtons::Ok);
    FocusFailure(result);
    return true;
}

void EditorDialog::OnOverwrite() {
    if (ShowFailure(ValidateAndCommit())) return;
    ShowCopy();
}

void EditorDialog::OnUpload() {
    if (UploadRunning()) return;  // one upload at a time
    if (ShowFailure(Validate())) return;
    if (AppPrompt().Message(kTransmitQuestionText, kTransmitQuestionTitle, PromptIcon::Question,
                            PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
    if (ShowFailure(ValidateAndCommit())) return;
    ShowCopy();
    if (!transfer_) {
        AppPrompt().Tell(kFailedToOpenDeviceText, PromptIcon::Warning);
        return;
    }
    // Each text has the requester's 120 seconds for its answer; the watch
    // starts again with every text delivered.
    transfer_->Start(std::make_unique<UploadSequence>(UploadTexts()));
}

void EditorDialog::OnClose() {
    if (CopyDiffers() && !AppPrompt().AskYesNo(kTextChangedExitText)) return;
    QDialog::reject();
}

void EditorDialog::reject() { OnClose(); }

void EditorDialog::OnPrint() { PrintCopy(); }

void EditorDialog::SendPrint(std::unique_ptr<PrintJob> job) const {
    if (printSender_ && job) printSender_(std::move(job));
}

void EditorDialog::OnDeleteAll() {
    if (AppPrompt().AskYesNo(kDeleteAllConfirmText)) DeleteAllRows();
}

void EditorDialog::LayOutPages(QLabel* label, QComboBox* selector, QWidget* pages, int width, int height) {
    auto* head = new QHBoxLayout;
    head->addWidget(label);
    head->addWidget(selector);
    head->addWidget(ButtonBar(), 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addWidget(pages);
    resize(width, height);
}

QComboBox* EditorDialog::MakeExchangeSelector(int switchCnt, bool withAll, QLabel*& label) {
    if (switchCnt < 1) switchCnt = 1;
    if (switchCnt > kMaxExchanges) switchCnt = kMaxExchanges;
    char text[48];
    std::snprintf(text, sizeof text, kExchangeSelectorText, switchCnt);
    label = new QLabel(text, this);
    auto* selector = new QComboBox(this);
    for (int e = 1; e <= switchCnt; ++e) selector->addItem(QString::number(e), e);
    if (withAll && switchCnt > 1) selector->addItem(kSelectorAllText, 0);
    selector->setCurrentIndex(0);
    label->setBuddy(selector);
    IgnoreDigitKeys(selector);
    return selector;
}

void EditorDialog::IgnoreDigitKeys(QComboBox* list) {
    // With the list open its popup view has the keys and would jump to a typed number.
    auto* filter = new DigitKeyFilter(list);
    list->installEventFilter(filter);
    list->view()->installEventFilter(filter);
    list->view()->viewport()->installEventFilter(filter);
}

int EditorDialog::SelectedExchange(const QComboBox* selector) { return selector->currentData().toInt(); }

void EditorDialog::SelectExchange(QComboBox* selector, int exchange) {
    const int at = selector->findData(exchange);
    if (at >= 0) selector->setCurrentIndex(at);
}

void EditorDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Inside a field Enter and Esc close nothing; on a button they act as usual.
    event->accept();
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (!button || button->window() != this) return;
    if (key == Qt::Key_Escape) OnClose();
    else button->click();
}

void EditorDialog::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        // Enter right after opening must not act on a button: the first field
        // has the focus, unless the editor opened at a field of its own.
        QWidget* focused = focusWidget();
        const std::vector<QWidget*> stops = TabStops();
        if (!stops.empty() && !buttonBar_->isAncestorOf(stops.front()) &&
            (!focused || buttonBar_->isAncestorOf(focused)))
            stops.front()->setFocus(Qt::TabFocusReason);
    }
    QDialog::showEvent(event);
}

std::vector<QWidget*> EditorDialog::TabStops() const {
    // The buttons are made before the editor's fields, so Qt's focus chain
    // would visit them first. The fields keep the order they were made in,
    // which is their reading order; the buttons follow as they sit.
    const auto takesTab = [this](const QWidget* w) {
        return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(this) && w->isEnabled();
    };
    std::vector<QWidget*> stops;
    for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain())
        if (w->window() == this && !w->focusProxy() && !buttonBar_->isAncestorOf(w) && takesTab(w))
            stops.push_back(w);
    for (QPushButton* b : {deleteAll_, print_, upload_, overwrite_, close_})
        if (b && takesTab(b)) stops.push_back(b);
    return stops;
}

bool EditorDialog::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = TabStops();
    if (stops.empty()) return QDialog::focusNextPrevChild(next);
    // The focus may be inside a stop (a grid's cell editor).
    QWidget* focused = focusWidget();
    auto at = std::find(stops.begin(), stops.end(), focused);
    if (at == stops.end())
        at = std::find_if(stops.begin(), stops.end(), [focused](QWidget* w) { return w->isAncestorOf(focused); });
    const auto n = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t i = at == stops.end() ? (next ? -1 : 0) : at - stops.begin();
    i = (i + (next ? 1 : n - 1)) % n;
    stops[static_cast<std::size_t>(i)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
