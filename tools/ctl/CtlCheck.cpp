#include "CtlCheck.h"

#include "CtlJson.h"

#include <optional>
#include <vector>

#include "editors/EditorChecks.h"
#include "model/SettingsFile.h"

namespace {

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

// A JSON string of a message (8-bit text), or null for none.
std::string JsonValue(const std::optional<std::string>& text) {
    return text ? JsonString(*text, JsonBytes::Latin1) : "null";
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

}  // namespace

int CtlCheck(const std::string& file, bool json, Prompt& prompt, std::FILE* out) {
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
