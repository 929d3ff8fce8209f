#pragma once
// One text that asks the exchanges for something (reading on or off, a stop
// at exit, a text from nx420ctl): sent with the reading bit, under a progress
// window of one step, answered once. The requester shows what its result
// means; a cancel withdraws the text from the link.
#include <string_view>

#include "transfer/TransferSequence.h"

class SingleRequest final : public TransferSequence {
public:
    // progress: open a progress window titled by the text's letter.
    // clearBits: the activity bits the delivered text gives up; 0 keeps the
    // link held (a modem line stays up) while the reading it switched on runs.
    // exchangeIndex (0-based): the exchange the header names.
    SingleRequest(std::string_view text, bool progress = true, uint8_t clearBits = kActivityReading,
                  int exchangeIndex = 0);

    SequenceStep Start();
    SequenceStep OnResult(int code, std::string_view text) override;
    SequenceStep OnTick() override;
    void Cancel() override { interrupted_ = true; }
    SequencePhase Phase() const override { return phase_; }
    SequenceProgress Progress() const override { return {phase_ == SequencePhase::Completed ? 1 : 0, 1}; }
    int Outcome() const override { return code_; }

private:
    SequenceStep End(SequencePhase phase, int code, bool release);

    EncodedText text_;
    bool progress_;
    uint8_t clearBits_;
    uint8_t exchangeIndex_;
    SequencePhase phase_ = SequencePhase::Idle;
    SecondsWatch watch_;
    int code_ = kTransferDone;
    bool interrupted_ = false;
    bool cancelSent_ = false;
};
