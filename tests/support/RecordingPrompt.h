#pragma once
// A prompt for tests: records every message and answers from a script.
#include <deque>
#include <string>
#include <vector>

#include "core/Prompt.h"

struct RecordedPrompt {
    std::string Text;
    std::string Title;
    PromptIcon Icon = PromptIcon::None;
    PromptButtons Buttons = PromptButtons::Ok;
};

class RecordingPrompt : public Prompt {
public:
    std::vector<RecordedPrompt> Messages;
    std::deque<PromptAnswer> Answers;      // used in turn; when empty: Ok, or No for questions
    std::deque<std::string> FileAnswers;   // chosen paths in turn; when empty: Cancel
    std::vector<FileDialogKind> FileDialogs;
    std::vector<std::string> FileFilters;

    PromptAnswer Message(std::string_view text, std::string_view title, PromptIcon icon,
                         PromptButtons buttons) override {
        Messages.push_back({std::string(text), std::string(title), icon, buttons});
        if (!Answers.empty()) {
            const PromptAnswer a = Answers.front();
            Answers.pop_front();
            return a;
        }
        switch (buttons) {
            case PromptButtons::Ok: return PromptAnswer::Ok;
            case PromptButtons::OkCancel: return PromptAnswer::Cancel;
            default: return PromptAnswer::No;
        }
    }
    bool ChooseFile(FileDialogKind kind, std::string_view filter, std::string& path) override {
        FileDialogs.push_back(kind);
        FileFilters.emplace_back(filter);
        if (FileAnswers.empty()) return false;
        path = FileAnswers.front();
        FileAnswers.pop_front();
        return true;
    }
    std::deque<std::string> FolderAnswers;  // chosen folders in turn; when empty: Cancel
    bool ChooseFolder(std::string_view, std::string& path) override {
        if (FolderAnswers.empty()) return false;
        path = FolderAnswers.front();
        FolderAnswers.pop_front();
        return true;
    }

    // The texts of every message so far, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& m : Messages) out.push_back(m.Text);
        return out;
    }
};

// Installs a RecordingPrompt as the application prompt for one scope.
class ScopedAppPrompt {
public:
    explicit ScopedAppPrompt(Prompt& p) { SetAppPrompt(&p); }
    ~ScopedAppPrompt() { SetAppPrompt(nullptr); }
    ScopedAppPrompt(const ScopedAppPrompt&) = delete;
    ScopedAppPrompt& operator=(const ScopedAppPrompt&) = delete;
};
