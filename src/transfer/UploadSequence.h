#pragma once
// The upload of the whole setting data: every category in its fixed order, one
// text at a time, each after the previous one was acknowledged, closed by a
// release request. Driven by calls; see TransferSequence.h for what it returns.
#include "texts/SettingTextSequence.h"
#include "transfer/TransferSequence.h"
#include "model/SettingData.h"

#include <vector>

class UploadSequence final : public TransferSequence {
public:
    // The whole setting data: reads the texts from data while it runs; data
    // must outlive it.
    explicit UploadSequence(const SettingData& data) : data_(&data) {}
    // An editor's Upload: these texts, in this order, then the release.
    explicit UploadSequence(std::vector<EncodedText> texts) : texts_(std::move(texts)) {}

    // selected: 0 for every exchange, otherwise 1..SwitchCnt (the list of an
    // editor ignores it). Sends the first text (opening the progress window)
    // and starts the watch; nothing (and Phase stays Idle) for an exchange
    // outside the installation or an empty list. The station check and the
    // confirmation come before this, in the window.
    SequenceStep Start(int selected = 0);
    // UM_TRANSFER_RESULT; code 3 (a text received) is no answer to a send.
    SequenceStep OnResult(int code);
    SequenceStep OnResult(int code, std::string_view) override { return OnResult(code); }
    // The one-second timer.
    SequenceStep OnTick() override;
    // The progress window's Cancel: the next text becomes a release request.
    void Cancel() override { interrupted_ = true; }
    // The text after the one in flight, the closing release excepted.
    bool Following(SequenceRequest& next) const override;

    SequencePhase Phase() const override { return phase_; }
    int Outcome() const override { return OutcomeOf(phase_, message_); }
    bool TimerRunning() const { return watch_.Running(); }
    int Seconds() const { return watch_.Seconds(); }
    // Acknowledged texts (the release included) of the expected total.
    SequenceProgress Progress() const override { return {acknowledged_, total_}; }
    // Texts handed to the send routine so far, the release included.
    int Counter() const { return counter_; }

private:
    SequenceStep SendNext();
    SequenceStep Finish(SequencePhase phase, const char* message, bool release);

    // The request handed on as the counter-th (1-based; total_ is the release).
    bool TextAt(int counter, SequenceRequest& r) const;

    const SettingData* data_ = nullptr;
    std::vector<EncodedText> texts_;
    SequencePhase phase_ = SequencePhase::Idle;
    const char* message_ = nullptr;  // the one its end showed
    SecondsWatch watch_;
    int switchCnt_ = 0;
    int selected_ = 0;
    int total_ = 0;
    int counter_ = 0;
    int acknowledged_ = 0;
    bool lastText_ = false;
    bool interrupted_ = false;
};
