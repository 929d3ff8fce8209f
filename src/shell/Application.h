#pragma once
// Start-up of the program, in order: one instance per user, the password
// check, the profile, the base directory, the command line, the main window
// and the view's first display.
#include <functional>
#include <memory>
#include <string>

#include "core/FixedText.h"
#include "shell/CommandLine.h"
#include "shell/MainFrame.h"

class QSettings;

// The steps after the instance lock and the application object: returns the
// shown main window, or null when the program is to end. askPassword runs the
// Password Input dialog on the password read (true on OK).
std::unique_ptr<CMainFrame> StartProgram(const CommandLine& line, const std::string& programPath, QSettings* profile,
                                         const std::function<bool(FixedText<20>&)>& askPassword);

// main(): returns the process's exit status.
int RunApplication(int argc, char** argv);
