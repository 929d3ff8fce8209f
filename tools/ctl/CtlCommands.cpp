#include "CtlCommands.h"

#include "CtlCapture.h"
#include "CtlCheck.h"
#include "CtlDiff.h"
#include "CtlPrint.h"
#include "CtlSend.h"
#include "CtlTransfer.h"

#include <cstdio>

#include "model/SettingsFile.h"

namespace {

constexpr const char* kUsage =
    "usage: nx420ctl [options] COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  new FILE     write the default configuration to FILE\n"
    "  check FILE [--json]\n"
    "               read the settings file FILE, run every editor's validation and the\n"
    "               station numbering check; print OK or one line per failure\n"
    "               (--json: one object, null for each check that passed)\n"
    "  send TEXT    hand one text to the exchanges and print the result\n"
    "  dial EXCHANGE MASTER NUMBER [FILE]\n"
    "               make master MASTER of exchange EXCHANGE dial NUMBER (checked\n"
    "               against the settings file FILE, or the default configuration)\n"
    "  upload FILE [--exchange N]\n"
    "               send the settings file FILE to every exchange (or exchange N)\n"
    "  download FILE [--exchange N]\n"
    "               collect the setting data into FILE, replaced only when complete\n"
    "  print FILE --pdf OUT [--category NAME] [--exchange N] [--master M]\n"
    "               the printed report of FILE as a PDF on A4: every category, or the\n"
    "               one titled NAME (\"Group Call\", ...); one exchange, one master\n"
    "  capture [--exchange N,N,...|all] [--monitor] [--for SECONDS]\n"
    "               switch log (or monitor) reading on, print each record as a\n"
    "               tab-separated line and write the history files as the program\n"
    "               does, until SIGINT or SIGTERM or the time; then switch it off\n"
    "  diff A B [--json]\n"
    "               compare the settings files A and B: one line per field that\n"
    "               differs, by editor, place and label; exit 1 when any differs\n"
    "  verify FILE [--exchange N] [--json]\n"
    "               download into memory and compare with FILE as diff does; exit 2\n"
    "               when the transfer fails; nothing is written\n"
    "  export FILE --csv DIR\n"
    "               one UTF-8 CSV file per editor of FILE in DIR, for spreadsheets\n"
    "\n"
    "options:\n"
    "  --port COMn=DEVICE   map COM1..COM4 to a serial device (repeatable)\n"
    "  --modem DEVICE       the modem's serial device\n"
    "  --help               show this text\n"
    "  --version            show the version\n";

int Usage(Prompt& prompt, const std::string& problem) {
    prompt.Tell("nx420ctl: " + problem + "\n" + kUsage);
    return 2;
}

int New(const std::string& file, Prompt& prompt, std::FILE* out) {
    auto data = MakeSettingData();
    if (!WriteSettingsFile(*data, file, prompt)) return 1;
    std::fprintf(out, "wrote the default configuration to %s\n", file.c_str());
    return 0;
}

}  // namespace

int CtlMain(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out) {
    std::vector<std::string> rest;
    ConnectionOptions connection;
    std::vector<std::string> exchange;  // "--exchange" and its value, after the command's own arguments
    bool json = false;                  // check, diff and verify
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, out);
            return 0;
        }
        if (a == "--version") {
            std::fprintf(out, "nx420ctl %s\n", NX420_VERSION);
            return 0;
        }
        if (a == "--port" || a == "--modem") {
            if (i + 1 >= args.size()) return Usage(prompt, a + " needs a value");
            const std::string& value = args[++i];
            std::string error;
            if (!ParseConnectionOption(a, value, connection, error)) return Usage(prompt, error);
            continue;
        }
        if (a == "--exchange") {  // upload and download take it
            if (i + 1 >= args.size()) return Usage(prompt, a + " needs a value");
            exchange = {a, args[++i]};
            continue;
        }
        if (a == "--json") {
            json = true;
            continue;
        }
        // print takes options of its own after it.
        if (a == "export" && rest.empty()) return CtlExport({args.begin() + static_cast<long>(i) + 1, args.end()}, prompt, out);
        if (a == "print" && rest.empty()) return CtlPrint({args.begin() + static_cast<long>(i) + 1, args.end()}, prompt, out);
        if (a == "capture" && rest.empty())
            return CtlCapture({args.begin() + static_cast<long>(i) + 1, args.end()}, connection, CtlWorkFile(), prompt, out);
        if (a.size() > 1 && a[0] == '-') return Usage(prompt, "unknown option " + a);
        rest.push_back(a);
    }
    if (rest.empty()) return Usage(prompt, "no command given");
    rest.insert(rest.end(), exchange.begin(), exchange.end());
    const std::string& command = rest[0];
    if (json && command != "check" && command != "diff" && command != "verify")
        return Usage(prompt, "--json goes with check, diff and verify");
    if (command == "diff") {
        if (rest.size() != 3) return Usage(prompt, "diff takes A B");
        return CtlDiff(rest[1], rest[2], json, prompt, out);
    }
    if (command == "new" || command == "check") {
        if (rest.size() != 2) return Usage(prompt, command + " takes one FILE");
        return command == "new" ? New(rest[1], prompt, out) : CtlCheck(rest[1], json, prompt, out);
    }
    const std::vector<std::string> arguments(rest.begin() + 1, rest.end());
    if (command == "send") {
        if (rest.size() != 2) return Usage(prompt, "send takes one TEXT");
        return CtlSend(rest[1], connection, prompt, out);
    }
    if (command == "dial") {
        if (rest.size() != 4 && rest.size() != 5) return Usage(prompt, "dial takes EXCHANGE MASTER NUMBER [FILE]");
        return CtlDial(arguments, connection, prompt, out);
    }
    if (command == "verify") return CtlVerify(arguments, json, connection, prompt, out);
    if (command == "upload" || command == "download") {
        if (rest.size() != 2 && rest.size() != 4) return Usage(prompt, command + " takes FILE [--exchange N]");
        return CtlTransfer(command == "upload", arguments, connection, prompt, out);
    }
    return Usage(prompt, "unknown command " + command);
}
