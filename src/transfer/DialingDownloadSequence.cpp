#include "transfer/DialingDownloadSequence.h"

#include "texts/SettingTextDecode.h"
#include "texts/SettingTextEncode.h"

int DialingDownloadSequence::Expected() { return DialTextCount(kDialRows); }

SequenceStep DialingDownloadSequence::Start() {
    if (phase_ == SequencePhase::Running) return {};
    EncodedText text;
    if (!EncodeSettingText('T', EncodeRequest{data_, exchange_, master_}, text)) return {};
    received_ = 0;
    receiving_ = releasing_ = interrupted_ = false;
    message_ = nullptr;
    phase_ = SequencePhase::Running;
    watch_.Start();
    return RequestStep(text, kActivityReading, kActivityReading, static_cast<uint8_t>(exchange_ - 1));
}

SequenceStep DialingDownloadSequence::Finish(SequencePhase phase, const char* message, bool release) {
    message_ = message;
    receiving_ = false;
    return FinishSequence(watch_, phase_, phase, message, release);
}

// A K text of the exchange and master asked for; others are no answer.
bool DialingDownloadSequence::Ours(std::string_view text) const {
    return text.size() > 3 && text[0] == 'K' && text[1] - '0' == exchange_ / 10 && text[2] - '0' == exchange_ % 10 &&
           text[3] - '0' == master_;
}

SequenceStep DialingDownloadSequence::OnResult(int code, std::string_view text) {
    if (code == kTransferCancelled) {
        receiving_ = false;
        return WithdrawSequence(watch_, phase_);
    }
    SequenceStep step;
    if (phase_ != SequencePhase::Running) return step;
    switch (code) {
    case kTransferDone:
        if (releasing_) return Finish(SequencePhase::Completed, nullptr, false);
        if (receiving_) return step;
        receiving_ = true;
        watch_.Start();
        step.ProgressReceiving = true;
        return step;
    case kTransferReceived:
        if (!receiving_ || releasing_ || !Ours(text)) return step;
        ++received_;
        if (interrupted_) return step;  // the next tick releases the link
        watch_.Stop();
        if (DecodeDialingAssignmentText(data_, text)) data_.Modified = 1;
        step.ProgressStep = true;
        if (received_ < Expected()) {
            watch_.Start();
        } else {
            releasing_ = true;
            step.Send = true;
            step.Request = ReleaseRequest(kActivityAll);
        }
        return step;
    case kTransferFailed:
        return Finish(SequencePhase::Failed, receiving_ ? kFailedToReceiveText : kFailedToTransmitText, false);
    case kTransferOpenFailed: return Finish(SequencePhase::Failed, kFailedToOpenDeviceText, false);
    default: return step;
    }
}

SequenceStep DialingDownloadSequence::OnTick() {
    if (phase_ != SequencePhase::Running || !watch_.Running()) return {};
    const bool limit = watch_.Tick();
    if (interrupted_) return Finish(SequencePhase::Cancelled, nullptr, true);
    if (!limit) return {};
    return Finish(SequencePhase::Failed, kCommTimeOutText, true);
}
