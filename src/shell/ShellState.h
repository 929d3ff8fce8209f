#pragma once
// The run-time state the main view owns (besides its windows), and the seams
// through which start-up, the document commands and the exit procedure reach
// the parts of the program that live in other areas.
#include <cstdint>
#include <memory>
#include <string>

#include "core/Prompt.h"
#include "model/SettingData.h"
#include "shell/CommandLine.h"

inline constexpr const char* kReadingLogBusy = "Reading log data. Please stop reading and try it again.";
inline constexpr const char* kReadingMonitorBusy = "Reading communication data. Please stop reading and try it again.";

// Values of the view's link activity byte that the shell itself sets.
inline constexpr uint8_t kActivityOpening = 128;
inline constexpr uint8_t kActivityClosing = 64;

struct ShellState {
    std::unique_ptr<SettingData> Model = MakeSettingData();
    bool LogReadingActive = false;
    bool MonitorReadingActive = false;
    uint8_t ActivityMask = 0;
    std::string WorkFilePath;
    ConnectionOptions Connection;
};

// The busy guard of New, Open and a change of the PC port settings: 0 when no
// reading runs; 1 (log) or 2 (monitor) after showing why the command ends.
int BusyGuard(const ShellState& state, Prompt& prompt);

// What the shell needs from the link (the transfer manager), the history-file
// writer and the print worker. Every default does nothing, so the program runs
// before those parts are built; the areas that build them supply an override.
class ShellServices {
public:
    virtual ~ShellServices() = default;

    // Transfer manager: create it from the model's maintenance data and start
    // it; unless the method is modem, set the activity mask to opening and open
    // the port.
    virtual void StartLink(ShellState&) {}
    // Stop the transfer manager (closing what the connection method needs
    // closed first) and wait for its thread, without a time limit.
    virtual void StopLink(ShellState&) {}
    // Exit: pass "closing" to the transfer manager when the connection method
    // has something to close. Returns true when it did.
    virtual bool CloseLinkForExit(ShellState&) { return false; }
    // Exit: ask the transfer manager to end and wait at most 3 seconds.
    virtual void EndLink(ShellState&) {}
    // Exit: send the request that stops log ('O') or monitor ('P') reading at
    // every exchange through the send routine, with the main frame as the
    // requester. False when nothing could be sent (then no result will come).
    virtual bool SendStopReading(ShellState&, char /*letter*/) { return false; }
    // Exit: true while the send routine's progress window is open.
    virtual bool ProgressWindowOpen() const { return false; }
    // Exit: the user pressed Cancel on the progress window.
    virtual bool ProgressCancelled() const { return false; }
    // Exit: cancel the pending stop request and end the progress window.
    virtual void CancelStopReading(ShellState&) {}
    // Exit: end the progress window once the stop request's result is in.
    virtual void EndProgressWindow() {}

    // History files: read the work file and prepare the log and monitor stores;
    // write the work file when the view goes.
    virtual void LoadWorkFile(ShellState&) {}
    virtual void SaveWorkFile(ShellState&) {}
    // Log and monitor record rings: empty them.
    virtual void ClearReceivedData(ShellState&) {}

    // Workers: start them if not running; stop them (each waits at most 200 s).
    virtual void StartWorkers(ShellState&) {}
    virtual void StopPrintOut() {}
    virtual void StopLogSave() {}
    // File > Print: every category of every exchange.
    virtual void PrintAll(ShellState&) {}
};

// The services the program runs with; the areas that build a part install
// theirs (before the main window is created).
ShellServices& AppServices();
void SetAppServices(ShellServices* services);  // nullptr restores the do-nothing set
