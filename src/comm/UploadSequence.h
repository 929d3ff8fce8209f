#pragma once
// The upload of the whole setting data: every category in its fixed order, one
// text at a time, each after the previous one was acknowledged, closed by a
// release request. Driven by calls; see TransferSequence.h for what it returns.
#include "comm/SettingTextSequence.h"
#include "comm/TransferSequence.h"
#include "model/SettingData.h"

class UploadSequence {
public:
    // Reads the texts from data while it runs; data must outlive it.
    explicit UploadSequence(const SettingData& data) : data_(data) {}

    // selected: 0 for every exchange, otherwise 1..SwitchCnt. Sends the first
    // text (opening the progress window) and starts the watch; nothing (and
    // Phase stays Idle) for an exchange outside the installation. The station
    // check and the confirmation come before this, in the driver.
    SequenceStep Start(int selected);
    // UM_TRANSFER_RESULT; code 3 (a text received) is no answer to a send.
    SequenceStep OnResult(int code);
    // The one-second timer.
    SequenceStep OnTick();
    // The progress window's Cancel: the next text becomes a release request.
    void Cancel() { interrupted_ = true; }

    SequencePhase Phase() const { return phase_; }
    bool TimerRunning() const { return watch_.Running(); }
    int Seconds() const { return watch_.Seconds(); }
    // Acknowledged texts (the release included) of the expected total.
    SequenceProgress Progress() const { return {acknowledged_, total_}; }
    // Texts handed to the send routine so far, the release included.
    int Counter() const { return counter_; }

private:
    SequenceStep SendNext();
    SequenceStep Finish(SequencePhase phase, const char* message, bool release);

    const SettingData& data_;
    SequencePhase phase_ = SequencePhase::Idle;
    SecondsWatch watch_;
    int switchCnt_ = 0;
    int selected_ = 0;
    int total_ = 0;
    int counter_ = 0;
    int acknowledged_ = 0;
    bool lastText_ = false;
    bool interrupted_ = false;
};
