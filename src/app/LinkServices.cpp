#include "app/LinkServices.h"

#include <string>

#include "transfer/SingleRequest.h"

LinkServices::LinkServices(ShellState& state)
    : session_(state.ActivityMask, DevicesOf(state.Connection)), progress_(nullptr), stop_(session_) {
    session_.SetProgress(&progress_);
    stop_.OnFinished = [this] {
        if (OnStopResult) OnStopResult(stop_.Outcome());
    };
}

LinkServices::~LinkServices() { session_.SetProgress(nullptr); }

void LinkServices::StartLink(ShellState& state) { session_.Start(PortSetting::From(state.Model->Maintenance)); }
void LinkServices::StopLink(ShellState&) { session_.Stop(); }
bool LinkServices::CloseLinkForExit(ShellState&) { return session_.CloseForExit(); }
void LinkServices::EndLink(ShellState&) { session_.End(); }

bool LinkServices::SendStopReading(ShellState&, char letter) {
    if (!session_.TransMng() || stop_.Running()) return false;
    // Every exchange's flag '0': reading stops everywhere.
    const std::string text = std::string(1, letter) + "00" + std::string(16, '0');
    return stop_.Start(std::make_unique<SingleRequest>(text));
}
