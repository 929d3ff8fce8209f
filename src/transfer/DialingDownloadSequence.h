#pragma once
// The dialing assignment of one exchange's master read back: the T request,
// then the K texts of its 1024 rows, each decoded into the model as it
// arrives; a release request closes it. Driven by calls; see
// TransferSequence.h for what it returns.
#include <string_view>

#include "model/SettingData.h"
#include "transfer/TransferSequence.h"

class DialingDownloadSequence final : public TransferSequence {
public:
    // Decodes into data while it runs; data must outlive it.
    DialingDownloadSequence(SettingData& data, int exchange, int master)
        : data_(data), exchange_(exchange), master_(master) {}

    // Sends the T text (opening the progress window) and starts the watch;
    // nothing (Phase stays Idle) for an exchange or master out of range.
    SequenceStep Start();
    SequenceStep OnResult(int code, std::string_view text) override;
    SequenceStep OnTick() override;
    void Cancel() override { interrupted_ = true; }

    SequencePhase Phase() const override { return phase_; }
    int Outcome() const override { return OutcomeOf(phase_, message_); }
    bool Receiving() const override { return receiving_; }
    SequenceProgress Progress() const override { return {received_, receiving_ ? Expected() : 1}; }
    // The texts of 1024 rows, ten to a text.
    static int Expected();
    int Received() const { return received_; }

private:
    SequenceStep Finish(SequencePhase phase, const char* message, bool release);
    bool Ours(std::string_view text) const;

    SettingData& data_;
    int exchange_;
    int master_;
    SequencePhase phase_ = SequencePhase::Idle;
    const char* message_ = nullptr;
    SecondsWatch watch_;
    int received_ = 0;
    bool receiving_ = false;
    bool releasing_ = false;
    bool interrupted_ = false;
};
