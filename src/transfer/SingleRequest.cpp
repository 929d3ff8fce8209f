#include "transfer/SingleRequest.h"

SingleRequest::SingleRequest(std::string_view text, bool progress, uint8_t clearBits, int exchangeIndex)
    : progress_(progress), clearBits_(clearBits), exchangeIndex_(static_cast<uint8_t>(exchangeIndex)) {
    if (text.size() > kMaxSettingText) text = text.substr(0, kMaxSettingText);  // what a frame can carry
    text_.Length = static_cast<uint32_t>(text.size());
    text.copy(text_.Text, text.size());
}

SequenceStep SingleRequest::Start() {
    if (phase_ == SequencePhase::Running || text_.Length == 0) return {};
    phase_ = SequencePhase::Running;
    interrupted_ = cancelSent_ = false;
    watch_.Start();
    return RequestStep(text_, kActivityReading, clearBits_, exchangeIndex_, progress_);
}

SequenceStep SingleRequest::End(SequencePhase phase, int code, bool release) {
    watch_.Stop();
    phase_ = phase;
    code_ = code;
    SequenceStep step;
    step.ProgressEnd = progress_;
    if (release) {
        step.Send = true;
        step.Request = ReleaseRequest(kActivityReading);
    }
    return step;
}

SequenceStep SingleRequest::OnResult(int code, std::string_view) {
    if (phase_ != SequencePhase::Running) return {};
    switch (code) {
    case kTransferDone: {
        SequenceStep step = End(SequencePhase::Completed, code, false);
        step.ProgressStep = progress_;
        return step;
    }
    case kTransferFailed:
    case kTransferOpenFailed: return End(SequencePhase::Failed, code, false);
    case kTransferCancelled: return End(SequencePhase::Cancelled, code, false);
    default: return {};  // a text from an exchange is no answer to this one
    }
}

SequenceStep SingleRequest::OnTick() {
    if (phase_ != SequencePhase::Running) return {};
    if (interrupted_) {
        if (cancelSent_) return {};
        // The text is withdrawn from the link; the channel's reset answers
        // with code 4, which ends this request.
        cancelSent_ = true;
        SequenceStep step;
        step.Send = true;
        step.Request = ReleaseRequest(kActivityReading);
        step.Request.AsCancel = true;
        step.ProgressEnd = progress_;
        return step;
    }
    if (watch_.Tick()) return End(SequencePhase::Failed, kTransferFailed, true);
    return {};
}
