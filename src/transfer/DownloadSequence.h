#pragma once
// The download of the whole setting data: one Start Dwnload text, then the
// texts the exchanges send, each decoded into the model as it arrives, until
// the expected number came in; a release request closes it. Driven by calls;
// see TransferSequence.h for what it returns.
#include <string_view>

#include "transfer/ReceivingSequence.h"
#include "model/SettingData.h"

class DownloadSequence final : public ReceivingSequence {
public:
    // Decodes into data while it runs; data must outlive it.
    explicit DownloadSequence(SettingData& data) : data_(data) {}

    // selected: 0 for every exchange, otherwise 1..SwitchCnt. Sends the Q text
    // (opening the progress window) and starts the watch; nothing (and Phase
    // stays Idle) for an exchange outside the installation.
    SequenceStep Start(int selected);

    // Received texts of the expected number (which a text A may change).
    SequenceProgress Progress() const override { return {received_, expected_}; }
    int Expected() const { return expected_; }
    // Texts decoded into the model (a malformed or foreign text is not).
    int Decoded() const { return decoded_; }

private:
    int ExpectedFor(int switchCnt) const;
    bool Take(std::string_view text) override;
    bool AllReceived() const override { return received_ >= expected_; }
    const char* FailedText() const override { return kFailedToReceiveText; }
    const char* LimitText() const override { return receiving_ ? kCommTimeOutText : kFailedToTransmitText; }

    SettingData& data_;
    int selected_ = 0;
    int expected_ = 0;
    int decoded_ = 0;
};
