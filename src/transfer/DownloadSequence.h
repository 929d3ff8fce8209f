#pragma once
// The download of the whole setting data: one Start Dwnload text, then the
// texts the exchanges send, each decoded into the model as it arrives, until
// the expected number came in; a release request closes it. Driven by calls;
// see TransferSequence.h for what it returns.
#include <string_view>

#include "transfer/TransferSequence.h"
#include "model/SettingData.h"

class DownloadSequence final : public TransferSequence {
public:
    // Decodes into data while it runs; data must outlive it.
    explicit DownloadSequence(SettingData& data) : data_(data) {}

    // selected: 0 for every exchange, otherwise 1..SwitchCnt. Sends the Q text
    // (opening the progress window) and starts the watch; nothing (and Phase
    // stays Idle) for an exchange outside the installation.
    SequenceStep Start(int selected);
    // UM_TRANSFER_RESULT; text is the received text with code 3.
    SequenceStep OnResult(int code, std::string_view text = {}) override;
    // The one-second timer.
    SequenceStep OnTick() override;
    // The progress window's Cancel: the next tick releases the link.
    void Cancel() override { interrupted_ = true; }

    SequencePhase Phase() const override { return phase_; }
    int Outcome() const override { return OutcomeOf(phase_, message_); }
    bool Receiving() const override { return receiving_; }
    bool TimerRunning() const { return watch_.Running(); }
    int Seconds() const { return watch_.Seconds(); }
    // Received texts of the expected number (which a text A may change).
    SequenceProgress Progress() const override { return {received_, expected_}; }
    int Expected() const { return expected_; }
    int Received() const { return received_; }
    // Texts decoded into the model (a malformed or foreign text is not).
    int Decoded() const { return decoded_; }

private:
    int ExpectedFor(int switchCnt) const;
    SequenceStep Finish(SequencePhase phase, const char* message, bool release);

    SettingData& data_;
    SequencePhase phase_ = SequencePhase::Idle;
    const char* message_ = nullptr;  // the one its end showed
    SecondsWatch watch_;
    int selected_ = 0;
    int expected_ = 0;
    int received_ = 0;
    int decoded_ = 0;
    bool receiving_ = false;
    bool releasing_ = false;
    bool interrupted_ = false;
};
