#include "app/CommandLine.h"

namespace {
bool TakesValue(const std::string& name) {
    return name == "--port" || name == "--modem" || name == "--screenshot";
}
}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error) {
    out = CommandLine{};
    error.clear();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!out.File.empty()) {
                error = "only one settings file may be given (\"" + out.File + "\" and \"" + arg + "\")";
                return false;
            }
            out.File = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (const std::size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            hasValue = true;
        }
        if (TakesValue(arg) && !hasValue) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            value = args[++i];
            hasValue = true;
        }
        if (!TakesValue(arg) && hasValue) {
            error = arg + " takes no value";
            return false;
        }
        if (arg == "--help" || arg == "-h") {
            out.Help = true;
        } else if (arg == "--version") {
            out.Version = true;
        } else if (arg == "--exit-when-idle") {
            out.ExitWhenIdle = true;
        } else if (arg == "--report-idle") {
            out.ReportIdle = true;
        } else if (arg == "--screenshot") {
            if (value.empty()) {
                error = "--screenshot needs a file";
                return false;
            }
            out.Screenshot = value;
        } else if (!ParseConnectionOption(arg, value, out.Connection, error)) {
            if (error.empty()) error = "unknown option " + arg + " (see --help)";
            return false;
        }
    }
    return true;
}

std::string UsageText(const std::string& program) {
    return "Usage: " + program +
           " [options] [FILE]\n"
           "The NX-420 configuration tool. FILE is a settings file opened after start-up.\n"
           "\n"
           "Options:\n"
           "  --port COMn=DEVICE  use DEVICE as COMn, n from 1 to 4 (repeatable;\n"
           "                      default COM1..COM4 = /dev/ttyS0../dev/ttyS3)\n"
           "  --modem DEVICE      the modem's serial device\n"
           "  --help              show this text and end\n"
           "  --version           show the version and end\n"
           "\n"
           "The start-up settings file \"NX420.txt\" is read from the current folder.\n";
}
