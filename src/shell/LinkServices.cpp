#include "shell/LinkServices.h"

#include <string>

#include "comm/MessageEvent.h"
#include "comm/SendRoutine.h"
#include "shell/TR420View.h"

namespace {
SerialDeviceMap DevicesOf(const ConnectionOptions& options) {
    SerialDeviceMap map;
    for (int i = 0; i < kComPorts; ++i) map.Set(i, options.Ports[static_cast<std::size_t>(i)]);
    return map;
}
}  // namespace

bool LinkServices::Ready(ShellState& state) {
    CTR420View* view = MainView();
    if (!view || &view->State() != &state) return false;
    if (!link_ || state_ != &state) {
        link_ = std::make_unique<ViewLink>(view, state.ActivityMask, DevicesOf(state.Connection));
        progress_ = std::make_unique<ProgressDesk>(view);
        link_->OnExchangeStatus = [this] { progress_->End(); };
        link_->OnLogData = [this](std::unique_ptr<ReceivedBlock> b) {
            if (OnLogData) OnLogData(std::move(b));
        };
        link_->OnMonitorData = [this](std::unique_ptr<ReceivedBlock> b) {
            if (OnMonitorData) OnMonitorData(std::move(b));
        };
        editorUploads_.SetView(view);
        state_ = &state;
    }
    return true;
}

void LinkServices::StartLink(ShellState& state) {
    if (!Ready(state)) return;
    link_->Start(PortSetting::From(state.Model->Maintenance));
}

void LinkServices::StopLink(ShellState& state) {
    if (Ready(state)) link_->Stop();
}

bool LinkServices::CloseLinkForExit(ShellState& state) { return Ready(state) && link_->CloseForExit(); }

void LinkServices::EndLink(ShellState& state) {
    if (link_ && state_ == &state) link_->End(3000);
}

bool LinkServices::SendStopReading(ShellState& state, char letter) {
    if (!Ready(state)) return false;
    CTR420View* view = MainView();
    // Every exchange's flag '0': reading stops everywhere.
    const std::string text = std::string(1, letter) + "00" + std::string(16, '0');
    TransferHeader header;
    header.Requester = view->window();
    header.SetBits = 1;
    header.ClearBits = 1;
    SendText(view, header, kSendOpenProgress, 1, true, text);
    return true;
}

bool LinkServices::ProgressWindowOpen() const { return progress_ && progress_->Window(); }
bool LinkServices::ProgressCancelled() const { return InterruptionFlag().load(); }

void LinkServices::CancelStopReading(ShellState& state) {
    if (!Ready(state)) return;
    CTR420View* view = MainView();
    InterruptionFlag() = false;  // taken up: one cancel per press
    PostCancel(view, view->window());
    progress_->End();
}

void LinkServices::EndProgressWindow() {
    if (progress_) progress_->End();
}

bool LinkServices::Handle(CTR420View& view, MessageEvent& message) {
    if (!Ready(view.State())) return false;
    return progress_->Handle(message) || link_->Handle(message);
}

namespace {
LinkServices* g_installed = nullptr;
}

LinkServices& AppLinkServices() {
    static LinkServices services;
    return services;
}

void InstallLinkServices(LinkServices& services) {
    g_installed = &services;
    SetAppServices(&services);
    SetLinkMessageHandler([&services](CTR420View& view, MessageEvent& m) { return services.Handle(view, m); });
    SetEditorTransfer(&services.EditorUploads());
}

void RegisterSettingReceiver(QObject* window) {
    if (g_installed && g_installed->Link()) g_installed->Link()->SetSettingReceiver(window);
}
void RegisterDialingReceiver(QObject* window) {
    if (g_installed && g_installed->Link()) g_installed->Link()->SetDialingReceiver(window);
}
