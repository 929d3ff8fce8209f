#include "transfer/DownloadSequence.h"

#include "texts/SettingTextDecode.h"
#include "texts/SettingTextEncode.h"
#include "texts/SettingTextSequence.h"

int DownloadSequence::ExpectedFor(int switchCnt) const {
    // The exchanges send every text of the upload order; the release is ours.
    return UploadTextCount(switchCnt, selected_) - 1;
}

SequenceStep DownloadSequence::Start(int selected) {
    const int n = data_.System.SwitchCnt;
    if (phase_ == SequencePhase::Running || n < 1 || n > kMaxExchanges || selected < 0 || selected > n) return {};
    selected_ = selected;
    expected_ = ExpectedFor(n);
    received_ = 0;
    decoded_ = 0;
    receiving_ = false;
    releasing_ = false;
    interrupted_ = false;
    phase_ = SequencePhase::Running;
    watch_.Start();

    EncodedText text;
    if (!EncodeSettingText('Q', EncodeRequest{data_, selected}, text)) return Finish(SequencePhase::Failed, kFailedToTransmitText, false);
    return RequestStep(text, selected == 0 ? kActivityAll : kActivityUpload, 0,
                       static_cast<uint8_t>(selected > 0 ? selected - 1 : 0));
}

SequenceStep DownloadSequence::Finish(SequencePhase phase, const char* message, bool release) {
    message_ = message;
    receiving_ = false;
    return FinishSequence(watch_, phase_, phase, message, release);
}

SequenceStep DownloadSequence::OnResult(int code, std::string_view text) {
    if (code == kTransferCancelled) {
        receiving_ = false;
        return WithdrawSequence(watch_, phase_);
    }
    SequenceStep step;
    // After a failure, a time-out or a cancel the release request still comes
    // back with code 0; it must not start receiving again, and texts still on
    // their way are not decoded any more.
    if (phase_ != SequencePhase::Running) return step;
    switch (code) {
        case kTransferDone:
            if (releasing_ || received_ >= expected_) return Finish(SequencePhase::Completed, nullptr, false);
            if (receiving_) return step;  // no other request of ours is in flight
            receiving_ = true;
            watch_.Start();
            step.ProgressReceiving = true;
            return step;
        case kTransferReceived: {
            if (!receiving_ || releasing_) return step;
            ++received_;
            if (interrupted_) return step;  // the next tick releases the link
            watch_.Stop();
            const DecodeResult decoded = DecodeSettingText(data_, text);
            data_.Modified = 1;
            if (decoded.Applied) {
                ++decoded_;
                if (text[0] == 'A') expected_ = ExpectedFor(decoded.SwitchCnt);
            }
            step.ProgressStep = true;
            if (received_ < expected_) {
                watch_.Start();
            } else {
                releasing_ = true;
                step.Send = true;
                step.Request = ReleaseRequest(kActivityAll);
            }
            return step;
        }
        case kTransferFailed: return Finish(SequencePhase::Failed, kFailedToReceiveText, false);
        case kTransferOpenFailed: return Finish(SequencePhase::Failed, kFailedToOpenDeviceText, false);
        default: return step;
    }
}

SequenceStep DownloadSequence::OnTick() {
    if (phase_ != SequencePhase::Running || !watch_.Running()) return {};
    const bool limit = watch_.Tick();
    if (interrupted_) return Finish(SequencePhase::Cancelled, nullptr, true);
    if (!limit) return {};
    // Released in both cases: a download that timed out while receiving would
    // otherwise keep its activity bits, and a modem call would stay up.
    return Finish(SequencePhase::Failed, receiving_ ? kCommTimeOutText : kFailedToTransmitText, true);
}
