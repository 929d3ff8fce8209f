#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "ui/QtPrompt.h"
#include "ui/Text8.h"

namespace {
constexpr const char* kPleaseWait[] = {"Printing\n\nPlese wait.", "Transmitting data\n\nPlese wait.",
                                       "Receiving data\n\nPlese wait."};
int KindIndex(int kind) { return kind >= 1 && kind <= 3 ? kind - 1 : 1; }
}  // namespace

const char* ProgressWindow::Caption(int kind) {
    constexpr const char* captions[] = {"Printing", "Transmitting data", "Receiving data"};
    return captions[KindIndex(kind)];
}

int ProgressWindow::PercentOf(int position, int total) {
    if (total <= 0) return 0;
    return static_cast<int>(static_cast<long long>(position) * 100 / total);
}

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(this);
    text_->setMinimumWidth(320);
    layout->addWidget(text_);
    cancel_ = new QPushButton("Cancel", this);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    // Cancel only tells the transfer: it decides what to do at its next step.
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::reject);
    setModal(false);
    // Never the parent of a message box: it may close while the box is up.
    setProperty(kNoPromptParent, true);
}

void ProgressWindow::Reset(int kind, std::string_view title, int total) {
    total_ = total;
    position_ = 0;
    Retitle(kind, title);
}

void ProgressWindow::Retitle(int kind, std::string_view title) {
    const bool newKind = kind != kind_;
    kind_ = kind;
    text_->setText(FromText8(std::string(title) + " " + kPleaseWait[KindIndex(kind)]));
    ShowPercent(newKind);
}

void ProgressWindow::Step() {
    ++position_;
    ShowPercent(false);
}

QString ProgressWindow::Text() const { return text_->text(); }

void ProgressWindow::ShowPercent(bool force) {
    const int percent = PercentOf(position_, total_);
    if (percent == percent_ && !force) return;
    percent_ = percent;
    char title[64];
    std::snprintf(title, sizeof title, "%s [%d%%]", Caption(kind_), percent);
    setWindowTitle(title);
}

void ProgressWindow::reject() {
    if (OnCancel) OnCancel();
}

ProgressDesk::~ProgressDesk() { End(); }

void ProgressDesk::End() {
    if (!window_) return;
    ProgressWindow* w = window_.data();
    window_ = nullptr;
    w->OnCancel = nullptr;
    w->hide();
    // Deleted once the event loop it was ended from has returned: a message
    // box or dialog may be running in a nested loop right now.
    w->deleteLater();
}

void ProgressDesk::Open(int kind, std::string_view title, int total, std::function<void()> cancel) {
    End();
    // A child of the modal window in front (an editor, the upload window),
    // if any: a window outside it would be blocked and Cancel unclickable.
    QWidget* modal = QApplication::activeModalWidget();
    window_ = new ProgressWindow(modal ? modal : owner_);
    window_->OnCancel = std::move(cancel);
    window_->Reset(kind, title, total);
    window_->show();
}

void ProgressDesk::Reset(int kind, std::string_view title, int total) {
    if (window_) window_->Reset(kind, title, total);
}

void ProgressDesk::Retitle(int kind, std::string_view title) {
    if (window_) window_->Retitle(kind, title);
}

void ProgressDesk::Step() {
    if (window_) window_->Step();
}
