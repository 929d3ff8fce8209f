#pragma once
// The program's command line:
//   nx420 [--port COMn=DEVICE]... [--modem DEVICE] [FILE]
// plus --help and --version, and hidden options for tests, benchmarks and the
// screenshot script.
#include <array>
#include <string>
#include <vector>

inline constexpr int kComPorts = 4;

// Where COM1..COM4 and the modem are on this machine.
struct ConnectionOptions {
    std::array<std::string, kComPorts> Ports{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    std::string Modem;
};

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

// One connection option ("--port" or "--modem") with its value; shared with
// the command-line companion. Returns false with a reason for a bad value;
// returns false with an empty reason when name is not a connection option.
bool ParseConnectionOption(const std::string& name, const std::string& value, ConnectionOptions& out,
                           std::string& error);

// The usage text printed by --help.
std::string UsageText(const std::string& program);
