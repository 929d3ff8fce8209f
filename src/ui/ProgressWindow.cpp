#include "ui/ProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "comm/MessageEvent.h"
#include "comm/SendRoutine.h"
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
    // Cancel only raises the flag: the requester decides what to do at its next step.
    connect(cancel_, &QPushButton::clicked, this, [] { InterruptionFlag() = true; });
    setModal(false);
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

ProgressDesk::~ProgressDesk() { End(); }

void ProgressDesk::End() {
    if (!window_) return;
    window_->close();
    delete window_.data();
}

bool ProgressDesk::Handle(MessageEvent& m) {
    const int n = m.Message();
    if (n < UM_PROGRESS_OPEN || n > UM_PROGRESS_END) return false;
    const int kind = static_cast<int>(m.WParam());
    const auto title = m.Take<std::string>();
    const std::string_view text = title ? std::string_view(*title) : std::string_view{};
    switch (n) {
    case UM_PROGRESS_OPEN:
        End();
        InterruptionFlag() = false;
        // A child of the modal window in front (an editor, the upload window),
        // if any: a window outside it would be blocked and Cancel unclickable.
        window_ = new ProgressWindow(QApplication::activeModalWidget() ? QApplication::activeModalWidget() : owner_);
        window_->Reset(kind, text, static_cast<int>(m.LParam()));
        window_->show();
        break;
    case UM_PROGRESS_RESET:
        if (window_) window_->Reset(kind, text, static_cast<int>(m.LParam()));
        break;
    case UM_PROGRESS_RETITLE:
        if (window_) window_->Retitle(kind, text);
        break;
    case UM_PROGRESS_STEP:
        if (window_) window_->Step();
        break;
    case UM_PROGRESS_END: End(); break;
    }
    return true;
}
