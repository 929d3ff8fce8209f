#include "app/ShellState.h"

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
