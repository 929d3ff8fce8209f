#pragma once
// The run-time state the main view owns (besides its windows), and the seams
// through which start-up, the document commands and the exit procedure reach
// the parts of the program that live in other areas.
#include <cstdint>
#include <memory>
#include <string>

#include "core/Prompt.h"
#include "maintenance/ReadingRequest.h"
#include "model/SettingData.h"
#include "app/CommandLine.h"

inline constexpr const char* kReadingLogBusy = "Reading log data. Please stop reading and try it again.";
inline constexpr const char* kReadingMonitorBusy = "Reading communication data. Please stop reading and try it again.";

struct ShellState {
    std::unique_ptr<SettingData> Model = MakeSettingData();
    bool LogReadingActive = false;
    bool MonitorReadingActive = false;
    RequestFlags LogRequestFlags{};  // the exchanges last asked to report
    RequestFlags MonitorRequestFlags{};
    uint8_t ActivityMask = 0;
    std::string WorkFilePath;
    ConnectionOptions Connection;
};

// The busy guard of New, Open and a change of the PC port settings: 0 when no
// reading runs; 1 (log) or 2 (monitor) after showing why the command ends.
int BusyGuard(const ShellState& state, Prompt& prompt);

// What the shell's rules need of the link: the transfer manager's life and the
// exit's request to stop a reading at the exchanges.
class ShellServices {
public:
    virtual ~ShellServices() = default;

    // Create the transfer manager from the model's maintenance data and start
    // it; unless the method is modem, the port is opened at once.
    virtual void StartLink(ShellState&) = 0;
    // Stop the transfer manager (closing what the connection method needs
    // closed first) and wait for its thread, without a time limit.
    virtual void StopLink(ShellState&) = 0;
    // Exit: pass "closing" to the transfer manager when the connection method
    // has something to close. Returns true when it did.
    virtual bool CloseLinkForExit(ShellState&) = 0;
    // Exit: ask the transfer manager to end and wait at most 3 seconds.
    virtual void EndLink(ShellState&) = 0;
    // Exit: send the request that stops log ('O') or monitor ('P') reading at
    // every exchange. False when nothing could be sent (then no result will
    // come); otherwise its result code comes back once to the main window.
    virtual bool SendStopReading(ShellState&, char letter) = 0;
};
