#include "CtlCommands.h"

#include "CtlSend.h"
#include "CtlTransfer.h"

#include <cstdio>
#include <map>
#include <optional>

#include "editors/EditorChecks.h"
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
    "  check FILE [--json]\n"
    "               read the settings file FILE, run every editor's validation and the\n"
    "               station numbering check; print OK or one line per failure\n"
    "               (--json: one object, null for each check that passed)\n"
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

// Keeps what the reader says for the --json object instead of showing it.
class KeptPrompt final : public Prompt {
public:
    std::string Text;
    PromptAnswer Message(std::string_view text, std::string_view title, PromptIcon icon,
                         PromptButtons buttons) override {
        if (!Text.empty()) Text += '\n';
        Text += text;
        return SilentPrompt().Message(text, title, icon, buttons);
    }
    bool ChooseFile(FileDialogKind, std::string_view, std::string&) override { return false; }
    bool ChooseFolder(std::string_view, std::string&) override { return false; }
};

// A JSON string, or null for none. Control characters and 8-bit bytes become
// \u00XX (the byte as a Latin-1 code point), so the output is ASCII and valid
// JSON whatever bytes the file held.
std::string JsonValue(const std::optional<std::string>& text) {
    if (!text) return "null";
    std::string json = "\"";
    for (const char ch : *text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += ch;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c < 0x20 || c > 0x7e) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += ch;
        }
    }
    return json + '"';
}

// One line per message: its line breaks become " / ".
std::string OneLine(std::string text) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 3) text.replace(at, 1, " / ");
    return text;
}

struct CheckLine {
    const char* Label;
    std::optional<std::string> Failure;
};

int Check(const std::string& file, bool json, Prompt& prompt, std::FILE* out) {
    KeptPrompt kept;
    Prompt& reader = json ? static_cast<Prompt&>(kept) : prompt;
    auto data = MakeSettingData();
    const SettingsReadResult read = ReadSettingsFile(*data, file, reader);
    if (read == SettingsReadResult::CannotOpen) reader.Tell("Cannot open " + file);
    if (read != SettingsReadResult::Ok) {
        // A file that was not read leaves nothing to validate.
        if (json)
            std::fprintf(out, "{\"file\": %s, \"editors\": {}, \"station_check\": null}\n",
                         JsonValue(kept.Text).c_str());
        return 1;
    }
    std::vector<CheckLine> editors;
    for (const EditorCheck& c : EditorChecks()) editors.push_back({c.Caption, c.Validate(*data)});
    const CheckLine numbering{kStationNumberingCheckName, StationNumberingMessage(*data)};
    bool failed = numbering.Failure.has_value();
    for (const CheckLine& e : editors) failed = failed || e.Failure.has_value();

    if (json) {
        std::string object = "{\"file\": null, \"editors\": {";
        for (std::size_t i = 0; i < editors.size(); ++i)
            object += (i ? ", " : "") + JsonValue(editors[i].Label) + ": " + JsonValue(editors[i].Failure);
        object += "}, \"station_check\": " + JsonValue(numbering.Failure) + "}\n";
        std::fputs(object.c_str(), out);
    } else if (!failed) {
        std::fputs("OK\n", out);
    } else {
        editors.push_back(numbering);
        for (const CheckLine& line : editors)
            if (line.Failure) std::fprintf(out, "%s: %s\n", line.Label, OneLine(*line.Failure).c_str());
    }
    return failed ? 1 : 0;
}

}  // namespace


int CtlMain(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out) {
    std::vector<std::string> rest;
    std::map<std::string, std::string> ports;
    ConnectionOptions connection;
    std::vector<std::string> exchange;  // "--exchange" and its value, after the command's own arguments
    bool json = false;                  // check only
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
        if (a == "--json") {
            json = true;
            continue;
        }
        if (a.size() > 1 && a[0] == '-') return Usage(prompt, "unknown option " + a);
        rest.push_back(a);
    }
    if (rest.empty()) return Usage(prompt, "no command given");
    rest.insert(rest.end(), exchange.begin(), exchange.end());
    const std::string& command = rest[0];
    if (json && command != "check") return Usage(prompt, "--json goes with check");
    if (command == "new" || command == "check") {
        if (rest.size() != 2) return Usage(prompt, command + " takes one FILE");
        return command == "new" ? New(rest[1], prompt, out) : Check(rest[1], json, prompt, out);
    }
    const std::vector<std::string> arguments(rest.begin() + 1, rest.end());
    if (command == "send") {
        if (rest.size() != 2) return Usage(prompt, "send takes one TEXT");
        return CtlSend(rest[1], connection, prompt, out);
    }
    if (command == "upload" || command == "download") {
        if (rest.size() != 2 && rest.size() != 4) return Usage(prompt, command + " takes FILE [--exchange N]");
        return CtlTransfer(command == "upload", arguments, connection, prompt, out);
    }
    return Usage(prompt, "unknown command " + command);
}
