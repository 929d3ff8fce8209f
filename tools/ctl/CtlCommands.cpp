#include "CtlCommands.h"

#include <cstdio>
#include <map>

#include "model/SettingsFile.h"

#ifndef NX420_VERSION
#define NX420_VERSION "0"
#endif

namespace {

constexpr const char* kUsage =
    "usage: nx420ctl [options] COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  new FILE     write the default configuration to FILE\n"
    "  check FILE   read the settings file FILE and print OK or what is wrong\n"
    "  send TEXT    hand one text to the exchanges and print the result\n"
    "  upload FILE [--exchange N]\n"
    "               send the settings file FILE to every exchange (or exchange N)\n"
    "  download FILE [--exchange N]\n"
    "               collect the setting data into FILE, replaced only when complete\n"
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

bool ValidPortMapping(const std::string& value) {
    const auto eq = value.find('=');
    if (eq != 4 || eq + 1 >= value.size()) return false;
    return value.compare(0, 3, "COM") == 0 && value[3] >= '1' && value[3] <= '4';
}

int New(const std::string& file, Prompt& prompt, std::FILE* out) {
    auto data = MakeSettingData();
    if (!WriteSettingsFile(*data, file, prompt)) return 1;
    std::fprintf(out, "wrote the default configuration to %s\n", file.c_str());
    return 0;
}

int Check(const std::string& file, Prompt& prompt, std::FILE* out) {
    auto data = MakeSettingData();
    switch (ReadSettingsFile(*data, file, prompt)) {
        case SettingsReadResult::Ok: std::fprintf(out, "OK\n"); return 0;
        case SettingsReadResult::CannotOpen: prompt.Tell("Cannot open " + file); return 1;
        case SettingsReadResult::Failed:
        default: return 1;
    }
}

std::map<std::string, CtlCommand>& Commands() {
    static std::map<std::string, CtlCommand> commands;
    return commands;
}

}  // namespace

void SetCtlCommand(const std::string& name, CtlCommand command) { Commands()[name] = std::move(command); }

int CtlMain(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out) {
    std::vector<std::string> rest;
    std::map<std::string, std::string> ports;
    ConnectionOptions connection;
    std::vector<std::string> exchange;  // "--exchange" and its value, after the command's own arguments
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
            if (a == "--port" && !ValidPortMapping(value))
                return Usage(prompt, "--port takes COM1..COM4=DEVICE, not " + value);
            ports[a == "--modem" ? "modem" : value.substr(0, 4)] = value;
            std::string error;
            if (!ParseConnectionOption(a, value, connection, error)) return Usage(prompt, error);
            continue;
        }
        if (a == "--exchange") {  // upload and download take it
            if (i + 1 >= args.size()) return Usage(prompt, a + " needs a value");
            exchange = {a, args[++i]};
            continue;
        }
        if (a.size() > 1 && a[0] == '-') return Usage(prompt, "unknown option " + a);
        rest.push_back(a);
    }
    if (rest.empty()) return Usage(prompt, "no command given");
    rest.insert(rest.end(), exchange.begin(), exchange.end());
    const std::string& command = rest[0];
    if (command == "new" || command == "check") {
        if (rest.size() != 2) return Usage(prompt, command + " takes one FILE");
        return command == "new" ? New(rest[1], prompt, out) : Check(rest[1], prompt, out);
    }
    if (const auto c = Commands().find(command); c != Commands().end()) {
        if (command == "send" && rest.size() != 2) return Usage(prompt, "send takes one TEXT");
        if ((command == "upload" || command == "download") && rest.size() != 2 && rest.size() != 4)
            return Usage(prompt, command + " takes FILE [--exchange N]");
        return c->second(std::vector<std::string>(rest.begin() + 1, rest.end()), connection, prompt, out);
    }
    return Usage(prompt, "unknown command " + command);
}
