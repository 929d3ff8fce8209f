#include "app/ExitProcedure.h"

#include "protocol/LinkActivity.h"
#include "protocol/TransferResult.h"

ExitStep ExitProcedure::Begin(Prompt& prompt) {
    if (pending_) return ExitStep::Stopping;  // a stop is under way: its result resumes the exit
    if (state_.Model->Modified == 1 && !prompt.AskYesNo(kExitNotSaved)) return ExitStep::Stay;
    return FromReadingQuestions(prompt);
}

ExitStep ExitProcedure::Resume(Prompt& prompt) {
    // Without a successful stop the exchanges' state is unknown; the flags are
    // cleared so that the next round does not ask again and the program can end.
    if (lastCode_ != 0) {
        state_.LogReadingActive = false;
        state_.MonitorReadingActive = false;
    }
    lastCode_ = 0;
    return FromReadingQuestions(prompt);
}

ExitStep ExitProcedure::FromReadingQuestions(Prompt& prompt) {
    if (state_.LogReadingActive) {
        if (!prompt.AskYesNo(kStopLogReading)) return ExitStep::Stay;
        return StopReading('O', prompt);
    }
    if (state_.MonitorReadingActive) {
        if (!prompt.AskYesNo(kStopMonitorReading)) return ExitStep::Stay;
        return StopReading('P', prompt);
    }
    // A close request while the link is already closing is let through: the
    // window must never become impossible to close.
    if (state_.ActivityMask != LinkActivity::Closing && services_.CloseLinkForExit(state_))
        state_.ActivityMask = LinkActivity::Closing;
    return ExitStep::Close;
}

ExitStep ExitProcedure::StopReading(char letter, Prompt& prompt) {
    letter_ = letter;
    (letter == 'O' ? state_.LogRequestFlags : state_.MonitorRequestFlags) = RequestFlags{};
    if (services_.SendStopReading(state_, letter)) {
        pending_ = true;
        return ExitStep::Stopping;
    }
    // Nothing could be sent (no link): treat it as a failed stop and go on, so
    // the exit cannot hang on a result that never comes.
    lastCode_ = kTransferOpenFailed;
    return Resume(prompt);
}

void ExitProcedure::OnStopResult(int code, Prompt& prompt) {
    pending_ = false;
    lastCode_ = code;
    if (code == kTransferDone) {
        if (letter_ == 'O') state_.LogReadingActive = false;
        if (letter_ == 'P') state_.MonitorReadingActive = false;
    } else if (code == kTransferFailed) {
        prompt.Tell(kFailedToTransmitText, PromptIcon::Exclamation);
    } else if (code == kTransferOpenFailed) {
        prompt.Tell(kFailedToOpenDeviceText, PromptIcon::Exclamation);
    }
}
