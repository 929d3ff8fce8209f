#pragma once
// The progress window of transfers and printing: a caption by kind, the title
// with "Plese wait.", a window title "%s [%d%%]" rewritten only when the
// percentage changes, and a Cancel button (Esc and the close box do the same)
// that cancels the transfer it shows.
#include <QDialog>
#include <QPointer>
#include <functional>
#include <string>
#include <string_view>

#include "link/ProgressSink.h"

class QLabel;
class QPushButton;

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // A new kind, title and total; the position starts again at 0.
    void Reset(int kind, std::string_view title, int total);
    void Retitle(int kind, std::string_view title);
    void Step();

    int Position() const { return position_; }
    int Total() const { return total_; }
    int Percent() const { return percent_; }
    QString Text() const;
    QPushButton* CancelButton() const { return cancel_; }

    static const char* Caption(int kind);
    // Whole percent of position in total; 0 while the total is not above 0.
    static int PercentOf(int position, int total);

    // What Cancel, Esc and the close box do (a dialog's close box rejects);
    // the window stays until its transfer ends it.
    std::function<void()> OnCancel;
    void reject() override;

private:
    void ShowPercent(bool force);

    QLabel* text_;
    QPushButton* cancel_;
    int kind_ = 2;
    int position_ = 0;
    int total_ = 0;
    int percent_ = -1;
};

// The program's progress window: one at a time, opened, retitled, stepped and
// ended by the transfer under way. Ending it when none is open does nothing.
class ProgressDesk final : public ProgressSink {
public:
    explicit ProgressDesk(QWidget* owner) : owner_(owner) {}
    ~ProgressDesk() override;
    void Open(int kind, std::string_view title, int total, std::function<void()> cancel) override;
    void Reset(int kind, std::string_view title, int total) override;
    void Retitle(int kind, std::string_view title) override;
    void Step() override;
    void End() override;
    ProgressWindow* Window() const { return window_.data(); }
    void SetOwner(QWidget* owner) { owner_ = owner; }

private:
    QWidget* owner_;
    QPointer<ProgressWindow> window_;  // a child of the owner or of a modal window, either may delete it first
};
