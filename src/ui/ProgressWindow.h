#pragma once
// The progress window of transfers and printing: a caption by kind, the title
// with "Plese wait.", a window title "%s [%d%%]" rewritten only when the
// percentage changes, and a Cancel button that sets the interruption flag.
#include <QDialog>
#include <QPointer>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;
class MessageEvent;

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

private:
    void ShowPercent(bool force);

    QLabel* text_;
    QPushButton* cancel_;
    int kind_ = 2;
    int position_ = 0;
    int total_ = 0;
    int percent_ = -1;
};

// The view's progress window: opened, retitled, stepped and ended by the
// progress messages. One at a time; ending it when none is open does nothing.
class ProgressDesk {
public:
    explicit ProgressDesk(QWidget* owner) : owner_(owner) {}
    ~ProgressDesk();
    // UM_PROGRESS_OPEN .. UM_PROGRESS_END; true when taken.
    bool Handle(MessageEvent& message);
    void End();
    ProgressWindow* Window() const { return window_.data(); }

private:
    QWidget* owner_;
    QPointer<ProgressWindow> window_;  // a child of the owner or of a modal window, either may delete it first
};
