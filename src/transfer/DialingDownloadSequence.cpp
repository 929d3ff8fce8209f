#include "transfer/DialingDownloadSequence.h"

#include "texts/SettingTextDecode.h"
#include "texts/SettingTextEncode.h"

int DialingDownloadSequence::Expected() { return DialTextCount(kDialRows); }

SequenceStep DialingDownloadSequence::Start() {
    if (phase_ == SequencePhase::Running) return {};
    EncodedText text;
    if (!EncodeSettingText('T', EncodeRequest{data_, exchange_, master_}, text)) return {};
    Begin();
    return RequestStep(text, kActivityReading, kActivityReading, static_cast<uint8_t>(exchange_ - 1));
}

// A K text of the exchange and master asked for; others are no answer.
bool DialingDownloadSequence::Ours(std::string_view text) const {
    return text.size() > 3 && text[0] == 'K' && text[1] - '0' == exchange_ / 10 && text[2] - '0' == exchange_ % 10 &&
           text[3] - '0' == master_;
}

bool DialingDownloadSequence::Take(std::string_view text) {
    if (DecodeDialingAssignmentText(data_, text)) data_.Modified = 1;
    return received_ < Expected();
}
