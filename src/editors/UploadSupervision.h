#pragma once
// The watch an editor keeps over its upload: a tick every second, a limit of
// 120 ticks, and the transfer manager's result code. It decides only; the
// dialog shows the message, releases the link and ends the progress window.

#include "comm/TransferResult.h"

enum class UploadOutcome {
    Waiting,           // still running, or nothing to do (no upload runs)
    Done,              // transmitted: complete and close the progress window, no message
    FailedToTransmit,  // code 1: message, then the progress window closes
    FailedToOpen,      // code 2: message, then the progress window closes
    TimedOut,          // the limit came first: release the link, message, close the progress window
    Cancelled,         // the user cancelled in the progress window: release the link silently
    Withdrawn,         // code 4: the transfer manager dropped the request itself; stop silently
};

class UploadSupervision {
public:
    static constexpr int kLimit = 120;

    void Start() {
        running_ = true;
        ticks_ = 0;
    }
    bool Running() const { return running_; }
    int Ticks() const { return ticks_; }

    // One second has passed; cancelled: the user pressed Cancel in the
    // progress window since the last tick.
    UploadOutcome Tick(bool cancelled);
    // The transfer manager's answer. One that comes after the watch ended (a
    // late answer after a time-out or a cancel) is ignored, so nothing is
    // reported twice.
    UploadOutcome Result(int code);

private:
    bool running_ = false;
    int ticks_ = 0;
};

// The message an outcome shows; null for none.
const char* UploadOutcomeMessage(UploadOutcome outcome);
// Whether the editor asks the transfer manager to release the link.
bool UploadOutcomeReleasesLink(UploadOutcome outcome);
