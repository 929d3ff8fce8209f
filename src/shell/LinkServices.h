#pragma once
// The link's part of the shell services: the transfer manager's life (start-up
// open, replacement after New and Open, closing for exit, the frame's 3-second
// wait), the stop request of the exit procedure, and the view's link and
// progress messages.
#include <functional>
#include <memory>

#include "comm/ViewLink.h"
#include "shell/EditorLinkTransfer.h"
#include "shell/ShellState.h"
#include "ui/ProgressWindow.h"

class CTR420View;

class LinkServices : public ShellServices {
public:
    void StartLink(ShellState& state) override;
    void StopLink(ShellState& state) override;
    bool CloseLinkForExit(ShellState& state) override;
    void EndLink(ShellState& state) override;
    bool SendStopReading(ShellState& state, char letter) override;
    bool ProgressWindowOpen() const override;
    bool ProgressCancelled() const override;
    void CancelStopReading(ShellState& state) override;
    void EndProgressWindow() override;

    // The view's link, transfer, relay and progress messages.
    bool Handle(CTR420View& view, MessageEvent& message);

    // Texts 'o' and 'p' as they arrive: for the record rings and their
    // consumers (the log data and monitor area fills these in).
    std::function<void(std::unique_ptr<ReceivedBlock>)> OnLogData;
    std::function<void(std::unique_ptr<ReceivedBlock>)> OnMonitorData;

    ViewLink* Link() const { return link_.get(); }
    ProgressDesk* Progress() const { return progress_.get(); }
    EditorLinkTransfer& EditorUploads() { return editorUploads_; }

private:
    // The view's link and progress window, made on first use for the main view.
    bool Ready(ShellState& state);

    std::unique_ptr<ViewLink> link_;
    std::unique_ptr<ProgressDesk> progress_;
    ShellState* state_ = nullptr;
    EditorLinkTransfer editorUploads_;
};

// The link services of the running program (installed with SetAppServices),
// the view's message handler and the editors' uploads that go with them.
LinkServices& AppLinkServices();
void InstallLinkServices(LinkServices& services = AppLinkServices());

// The upload/download window and the dialing assignment window register while
// they are open (nullptr when they close).
void RegisterSettingReceiver(QObject* window);
void RegisterDialingReceiver(QObject* window);
