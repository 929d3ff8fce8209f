#pragma once
// The one way rules and windows tell the user something or ask a question.
// The program implements it with real dialogs; tests script the answers.
#include <string>
#include <string_view>

enum class PromptIcon { None, Information, Question, Exclamation, Warning, Error };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };
enum class FileDialogKind { Open, Save };

class Prompt {
public:
    virtual ~Prompt() = default;

    // A message box. Questions (YesNo) have No preselected.
    virtual PromptAnswer Message(std::string_view text, std::string_view title, PromptIcon icon,
                                 PromptButtons buttons) = 0;

    // A file dialog; filter is in the "Label|pattern|Label|pattern||" form.
    // Returns false on Cancel; path holds the chosen file otherwise.
    virtual bool ChooseFile(FileDialogKind kind, std::string_view filter, std::string& path) = 0;

    // The folder picker; returns false on Cancel.
    virtual bool ChooseFolder(std::string_view title, std::string& path) = 0;

    // Shorthands for the two shapes most messages take.
    void Tell(std::string_view text, PromptIcon icon = PromptIcon::Exclamation) {
        Message(text, {}, icon, PromptButtons::Ok);
    }
    // A message with the system's reason under it (a port that would not open,
    // say). Without a box to hold it the reason goes on a line of its own.
    virtual void TellDetail(std::string_view text, std::string_view detail, PromptIcon icon) {
        if (detail.empty()) return Tell(text, icon);
        std::string both(text);
        both.append("\n").append(detail);
        Tell(both, icon);
    }
    bool AskYesNo(std::string_view text, std::string_view title = {}) {
        return Message(text, title, PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
    }
};

// The prompt of the running program (or of a test). Windows use this; rules
// take a Prompt& from their caller.
Prompt& AppPrompt();
void SetAppPrompt(Prompt* prompt);  // nullptr restores the silent default

// A prompt that shows nothing and gives the safe answer (OK, No, Cancel): for
// callers with nobody to ask, such as benchmarks and fuzz targets.
Prompt& SilentPrompt();
