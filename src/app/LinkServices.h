#pragma once
// The program's link as the shell uses it: the link session with the main
// view's activity byte, the progress window every transfer shows, and the
// exit's request that stops a reading at the exchanges.
#include <QWidget>
#include <functional>
#include <memory>

#include "app/ShellState.h"
#include "link/LinkSession.h"
#include "link/TransferEngine.h"
#include "ui/ProgressWindow.h"

class LinkServices final : public ShellServices {
public:
    // state: the main view's state (its activity byte and connection options)
    // for the life of this object.
    explicit LinkServices(ShellState& state);
    ~LinkServices() override;

    LinkSession& Session() { return session_; }
    ProgressDesk& Progress() { return progress_; }
    // The window the progress window belongs to when no modal window is up.
    void SetProgressOwner(QWidget* owner) { progress_.SetOwner(owner); }

    void StartLink(ShellState& state) override;
    void StopLink(ShellState& state) override;
    bool CloseLinkForExit(ShellState& state) override;
    void EndLink(ShellState& state) override;
    bool SendStopReading(ShellState& state, char letter) override;

    // The stop request's result code, once.
    std::function<void(int)> OnStopResult;

private:
    LinkSession session_;
    ProgressDesk progress_;
    TransferEngine stop_;
};
