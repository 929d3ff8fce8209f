#pragma once
// The dialing assignment of one exchange's master read back: the T request,
// then the K texts of its 1024 rows, each decoded into the model as it
// arrives; a release request closes it. Driven by calls; see
// TransferSequence.h for what it returns.
#include <string_view>

#include "model/SettingData.h"
#include "transfer/ReceivingSequence.h"

class DialingDownloadSequence final : public ReceivingSequence {
public:
    // Decodes into data while it runs; data must outlive it.
    DialingDownloadSequence(SettingData& data, int exchange, int master)
        : data_(data), exchange_(exchange), master_(master) {}

    // Sends the T text (opening the progress window) and starts the watch;
    // nothing (Phase stays Idle) for an exchange or master out of range.
    SequenceStep Start();

    SequenceProgress Progress() const override { return {received_, receiving_ ? Expected() : 1}; }
    // The texts of 1024 rows, ten to a text.
    static int Expected();

private:
    bool Ours(std::string_view text) const override;
    bool Take(std::string_view text) override;
    const char* FailedText() const override { return receiving_ ? kFailedToReceiveText : kFailedToTransmitText; }
    const char* LimitText() const override { return kCommTimeOutText; }

    SettingData& data_;
    int exchange_;
    int master_;
};
