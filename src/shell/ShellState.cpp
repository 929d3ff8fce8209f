#include "shell/ShellState.h"

int BusyGuard(const ShellState& state, Prompt& prompt) {
    if (state.LogReadingActive) {
        prompt.Tell(kReadingLogBusy, PromptIcon::Exclamation);
        return 1;
    }
    if (state.MonitorReadingActive) {
        prompt.Tell(kReadingMonitorBusy, PromptIcon::Exclamation);
        return 2;
    }
    return 0;
}

namespace {
ShellServices g_none;
ShellServices* g_services = &g_none;
}  // namespace

ShellServices& AppServices() { return *g_services; }
void SetAppServices(ShellServices* services) { g_services = services ? services : &g_none; }
