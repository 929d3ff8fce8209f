#include "transfer/UploadSequence.h"

#include "core/Decimal.h"

SequenceStep UploadSequence::Start(int selected) {
    if (phase_ == SequencePhase::Running) return {};
    if (data_) {
        const int n = data_->System.SwitchCnt;
        if (n < 1 || n > kMaxExchanges || selected < 0 || selected > n) return {};
        switchCnt_ = n;
        selected_ = selected;
        total_ = UploadTextCount(n, selected);
    } else {
        if (texts_.empty()) return {};
        total_ = static_cast<int>(texts_.size()) + 1;  // and the release
    }
    counter_ = 0;
    acknowledged_ = 0;
    lastText_ = false;
    interrupted_ = false;
    phase_ = SequencePhase::Running;
    watch_.Start();
    return SendNext();
}

SequenceStep UploadSequence::SendNext() {
    SequenceStep step;
    if (interrupted_) {
        // The send routine posts a cancel in place of the text; the transfer
        // manager resets the channel and answers with code 4.
        step.Send = true;
        step.Request = ReleaseRequest(kActivityAll);
        step.Request.AsCancel = true;
        step.ProgressEnd = true;
        watch_.Stop();
        phase_ = SequencePhase::Cancelled;
        return step;
    }
    ++counter_;
    SequenceRequest& r = step.Request;
    if (!TextAt(counter_, r)) return Finish(SequencePhase::Failed, kFailedToTransmitText, true);
    if (r.IsRelease()) lastText_ = true;
    r.FirstText = counter_ == 1;
    r.ProgressMode = r.FirstText ? kProgressOpen : kProgressRetitle;
    r.ProgressTotal = total_;
    step.Send = true;
    return step;
}

bool UploadSequence::Following(SequenceRequest& next) const {
    if (phase_ != SequencePhase::Running || interrupted_ || lastText_ || counter_ + 1 >= total_) return false;
    return TextAt(counter_ + 1, next);
}

bool UploadSequence::TextAt(int counter, SequenceRequest& r) const {
    if (counter == total_) {
        r = ReleaseRequest(kActivityUpload);
        return true;
    }
    r.SetBits = kActivityUpload;
    r.ClearBits = 0;
    if (!data_) {
        if (counter < 1 || counter > static_cast<int>(texts_.size())) return false;
        r.Text = texts_[static_cast<std::size_t>(counter - 1)];
        // Addressed as the whole upload addresses it: by the text's exchange field.
        const std::string_view t = r.Text.View();
        const int exchange = t.size() > 1 ? ParseDecimal(t.substr(1, 2)) : 0;
        r.ExchangeIndex = static_cast<uint8_t>(exchange >= 1 && exchange <= kMaxExchanges ? exchange - 1 : 0);
        return true;
    }
    UploadStep at;
    if (!UploadStepAt(switchCnt_, selected_, counter, at) || at.Letter == 0) return false;
    r.ExchangeIndex = static_cast<uint8_t>(at.Exchange > 0 ? at.Exchange - 1 : 0);
    return EncodeSettingText(at.Letter, EncodeRequest{*data_, at.Exchange, at.Index}, r.Text);
}

SequenceStep UploadSequence::Finish(SequencePhase phase, const char* message, bool release) {
    message_ = message;
    return FinishSequence(watch_, phase_, phase, message, release);
}

SequenceStep UploadSequence::OnResult(int code) {
    if (code == kTransferCancelled) return WithdrawSequence(watch_, phase_);
    SequenceStep step;
    // A late answer after a failure, a time-out or a cancel must not start
    // the next text: the release request itself comes back with code 0.
    if (phase_ != SequencePhase::Running) return step;
    switch (code) {
        case kTransferDone:
            ++acknowledged_;
            if (lastText_) {
                step = Finish(SequencePhase::Completed, nullptr, false);
            } else {
                watch_.Start();
                step = SendNext();
            }
            step.ProgressStep = true;
            return step;
        case kTransferFailed: return Finish(SequencePhase::Failed, kFailedToTransmitText, false);
        case kTransferOpenFailed: return Finish(SequencePhase::Failed, kFailedToOpenDeviceText, false);
        default: return step;
    }
}

SequenceStep UploadSequence::OnTick() {
    if (phase_ != SequencePhase::Running || !watch_.Running()) return {};
    const bool limit = watch_.Tick();
    if (interrupted_) return Finish(SequencePhase::Cancelled, nullptr, true);
    if (limit) return Finish(SequencePhase::Failed, kFailedToTransmitText, true);
    return {};
}
