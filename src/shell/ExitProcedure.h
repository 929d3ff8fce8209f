#pragma once
// The exit procedure of the main window: the unsaved-changes question, the
// stopping of a log or monitor reading at the exchanges, and the closing of
// the link, before the window is allowed to close.
#include "core/Prompt.h"
#include "shell/ShellState.h"

inline constexpr const char* kExitNotSaved = "Set file not saved. Exit?";
inline constexpr const char* kStopLogReading = "Reading log data. Will stop reading.";
inline constexpr const char* kStopMonitorReading = "Reading communication data. Will stop reading.";
inline constexpr const char* kFailedToTransmit = "Failed to transmit";
inline constexpr const char* kFailedToOpenDevice = "Failed to open the device";

enum class ExitStep {
    Stay,      // the user said No: the program keeps running
    Stopping,  // a stop request is on its way; wait for its result, then Resume
    Close,     // close the main window now
};

class ExitProcedure {
public:
    ExitProcedure(ShellState& state, ShellServices& services) : state_(state), services_(services) {}

    // A close request: from the unsaved-changes question on.
    ExitStep Begin(Prompt& prompt);
    // After a stop request's result, once no progress window is open: from the
    // reading questions on.
    ExitStep Resume(Prompt& prompt);
    // The result of the stop request (0 done, 1 failed to transmit, 2 failed to
    // open the device, 4 cancelled).
    void OnStopResult(int code, Prompt& prompt);

    // One second of waiting for that result. A result that has not come after
    // the requester's own 120-second limit (and some) counts as a failure to
    // transmit, so a lost result can never keep the program from closing.
    void TickWhilePending(Prompt& prompt);

    bool Pending() const { return pending_; }

private:
    ExitStep FromReadingQuestions(Prompt& prompt);
    ExitStep StopReading(char letter, Prompt& prompt);

    ShellState& state_;
    ShellServices& services_;
    bool pending_ = false;  // a stop request was sent and its result is due
    char letter_ = 0;
    int lastCode_ = 0;
    int ticks_ = 0;
};

inline constexpr int kStopResultTicks = 130;
