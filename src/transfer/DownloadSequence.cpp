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
    decoded_ = 0;
    Begin();

    EncodedText text;
    if (!EncodeSettingText('Q', EncodeRequest{data_, selected}, text)) return Finish(SequencePhase::Failed, kFailedToTransmitText, false);
    return RequestStep(text, selected == 0 ? kActivityAll : kActivityUpload, 0,
                       static_cast<uint8_t>(selected > 0 ? selected - 1 : 0));
}

bool DownloadSequence::Take(std::string_view text) {
    const DecodeResult decoded = DecodeSettingText(data_, text);
    data_.Modified = 1;
    if (decoded.Applied) {
        ++decoded_;
        if (text[0] == 'A') expected_ = ExpectedFor(decoded.SwitchCnt);
    }
    return received_ < expected_;
}
