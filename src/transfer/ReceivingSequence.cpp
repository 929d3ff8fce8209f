#include "transfer/ReceivingSequence.h"

void ReceivingSequence::Begin() {
    received_ = 0;
    receiving_ = releasing_ = interrupted_ = false;
    message_ = nullptr;
    phase_ = SequencePhase::Running;
    watch_.Start();
}

SequenceStep ReceivingSequence::Finish(SequencePhase phase, const char* message, bool release) {
    message_ = message;
    receiving_ = false;
    return FinishSequence(watch_, phase_, phase, message, release);
}

SequenceStep ReceivingSequence::OnResult(int code, std::string_view text) {
    if (code == kTransferCancelled) {
        receiving_ = false;
        return WithdrawSequence(watch_, phase_);
    }
    SequenceStep step;
    // After a failure, a time-out or a cancel the release request still comes
    // back with code 0; it must not start receiving again, and texts still on
    // their way are not taken in any more.
    if (phase_ != SequencePhase::Running) return step;
    switch (code) {
    case kTransferDone:
        if (releasing_ || AllReceived()) return Finish(SequencePhase::Completed, nullptr, false);
        if (receiving_) return step;  // no other request of ours is in flight
        receiving_ = true;
        watch_.Start();
        step.ProgressReceiving = true;
        return step;
    case kTransferReceived:
        if (!receiving_ || releasing_ || !Ours(text)) return step;
        ++received_;
        if (interrupted_) return step;  // the next tick releases the link
        watch_.Stop();
        step.ProgressStep = true;
        if (Take(text)) {
            watch_.Start();
        } else {
            releasing_ = true;
            step.Send = true;
            step.Request = ReleaseRequest(kActivityAll);
        }
        return step;
    case kTransferFailed: return Finish(SequencePhase::Failed, FailedText(), false);
    case kTransferOpenFailed: return Finish(SequencePhase::Failed, kFailedToOpenDeviceText, false);
    default: return step;
    }
}

SequenceStep ReceivingSequence::OnTick() {
    if (phase_ != SequencePhase::Running || !watch_.Running()) return {};
    const bool limit = watch_.Tick();
    if (interrupted_) return Finish(SequencePhase::Cancelled, nullptr, true);
    if (!limit) return {};
    // Released in both cases: a download that timed out while receiving would
    // otherwise keep its activity bits, and a modem call would stay up.
    return Finish(SequencePhase::Failed, LimitText(), true);
}
