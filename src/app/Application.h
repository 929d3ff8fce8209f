#pragma once
// Start-up of the program, in order: one instance per user, the password
// check, the profile, the base directory, the command line, the main window
// and the view's first display.
#include <functional>
#include <memory>
#include <string>

#include "core/FixedText.h"
#include "app/CommandLine.h"
#include "app/LinkServices.h"
#include "app/MainFrame.h"
#include "printout/THPrintOut.h"

class QSettings;

// The running program's parts, made in this order and ended in reverse: the
// state the main view works on, the link, and the main window.
struct Program {
    explicit Program(const ConnectionOptions& connection);
    ShellState State;
    LinkServices Link;
    std::unique_ptr<CMainFrame> Frame;
    // The printing worker ends first, before the window it reports to.
    std::unique_ptr<PrintFront> PrintDesk;
    std::unique_ptr<CTHPrintOut> Printer;
    ~Program();
};

// The parts made and wired together, the main window not shown yet.
std::unique_ptr<Program> MakeProgram(const ConnectionOptions& connection, QSettings* profile);

// The steps after the instance lock and the application object: returns the
// program with its main window shown, or null when the program is to end.
// askPassword runs the Password Input dialog on the password read (true on OK).
std::unique_ptr<Program> StartProgram(const CommandLine& line, const std::string& programPath, QSettings* profile,
                                      const std::function<bool(FixedText<20>&)>& askPassword);

// main(): returns the process's exit status.
int RunApplication(int argc, char** argv);
