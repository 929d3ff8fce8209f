#pragma once
// The exit procedure of the main window: the unsaved-changes question, the
// stopping of a log or monitor reading at the exchanges, and the closing of
// the link, before the window is allowed to close.
#include "core/Prompt.h"
#include "app/ShellState.h"

inline constexpr const char* kExitNotSaved = "Set file not saved. Exit?";
inline constexpr const char* kStopLogReading = "Reading log data. Will stop reading.";
inline constexpr const char* kStopMonitorReading = "Reading communication data. Will stop reading.";

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
    // open the device, 4 cancelled). It always comes: the request's own
    // supervision gives up after 120 seconds.
    void OnStopResult(int code, Prompt& prompt);

    bool Pending() const { return pending_; }

private:
    ExitStep FromReadingQuestions(Prompt& prompt);
    ExitStep StopReading(char letter, Prompt& prompt);

    ShellState& state_;
    ShellServices& services_;
    bool pending_ = false;  // a stop request was sent and its result is due
    char letter_ = 0;
    int lastCode_ = 0;
};
