#include "transfer/TransferSequence.h"

int ParseExchangeNo(std::string_view typed, int switchCnt) {
    while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
    while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
    if (typed.empty() || typed.size() > 2) return 0;
    int value = 0;
    for (char c : typed) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    return value >= 1 && value <= switchCnt ? value : 0;
}

SequenceRequest ReleaseRequest(uint8_t clearBits) {
    SequenceRequest r;
    r.SetBits = 0;
    r.ClearBits = clearBits;
    return r;
}

SequenceStep RequestStep(const EncodedText& text, uint8_t setBits, uint8_t clearBits, uint8_t exchangeIndex,
                         bool progress) {
    SequenceStep step;
    step.Send = true;
    SequenceRequest& r = step.Request;
    r.SetBits = setBits;
    r.ClearBits = clearBits;
    r.ExchangeIndex = exchangeIndex;
    r.ProgressMode = progress ? kProgressOpen : kProgressNone;
    r.FirstText = progress;
    r.ProgressTotal = 1;
    r.Text = text;
    return step;
}

SequenceStep FinishSequence(SecondsWatch& watch, SequencePhase& phase, SequencePhase to, const char* message,
                            bool release) {
    watch.Stop();
    phase = to;
    SequenceStep step;
    if (release) {
        step.Send = true;
        step.Request = ReleaseRequest(kActivityAll);
    }
    step.ProgressEnd = true;
    step.Message = message;
    return step;
}

SequenceStep WithdrawSequence(SecondsWatch& watch, SequencePhase& phase) {
    SequenceStep step;
    step.ForgetRegistration = true;
    if (phase == SequencePhase::Running) {
        watch.Stop();
        phase = SequencePhase::Cancelled;
        step.ProgressEnd = true;
    }
    return step;
}

int OutcomeOf(SequencePhase phase, const char* message) {
    switch (phase) {
    case SequencePhase::Completed: return kTransferDone;
    case SequencePhase::Cancelled: return kTransferCancelled;
    case SequencePhase::Failed:
        // By its words: a constant's address may differ between units.
        return message && std::string_view(message) == kFailedToOpenDeviceText ? kTransferOpenFailed : kTransferFailed;
    default: return kTransferDone;
    }
}
