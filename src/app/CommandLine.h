#pragma once
// The program's command line:
//   nx420 [--port COMn=DEVICE]... [--modem DEVICE] [FILE]
// plus --help and --version, and hidden options for tests, benchmarks and the
// screenshot script.
#include <array>
#include <string>
#include <vector>

#include "port/ConnectionOptions.h"

struct CommandLine {
    ConnectionOptions Connection;
    std::string File;        // settings file to open after start-up; empty: none
    bool Help = false;
    bool Version = false;
    bool ExitWhenIdle = false;  // hidden: end once the main window is shown and idle
    bool ReportIdle = false;    // hidden: print "idle" on standard output at that point
    std::string Screenshot;     // hidden: save an image of the main window there, then end
};

// Parses the arguments after the program name. On an error returns false with
// a one-line reason in error.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

// The usage text printed by --help.
std::string UsageText(const std::string& program);
