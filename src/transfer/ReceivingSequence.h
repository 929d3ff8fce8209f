#pragma once
// What the two downloads share (the whole setting data, one master's dialing
// assignment): one asking text, then the exchanges' texts, each taken in as it
// arrives under the seconds watch, until the last; a release request closes it.
#include <string_view>

#include "transfer/TransferSequence.h"

class ReceivingSequence : public TransferSequence {
public:
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
    int Received() const { return received_; }

protected:
    // Running under a started watch, nothing received yet.
    void Begin();
    SequenceStep Finish(SequencePhase phase, const char* message, bool release);

    // Whether a received text answers this request; others are no answer.
    virtual bool Ours(std::string_view /*text*/) const { return true; }
    // Takes one answer in; true while more are expected.
    virtual bool Take(std::string_view text) = 0;
    // Every answer came in before the asking text's acknowledgement.
    virtual bool AllReceived() const { return false; }
    // The message of a text the link gave up on, and of the watch's limit.
    virtual const char* FailedText() const = 0;
    virtual const char* LimitText() const = 0;

    SequencePhase phase_ = SequencePhase::Idle;
    const char* message_ = nullptr;  // the one its end showed
    SecondsWatch watch_;
    int received_ = 0;
    bool receiving_ = false;
    bool releasing_ = false;
    bool interrupted_ = false;
};
