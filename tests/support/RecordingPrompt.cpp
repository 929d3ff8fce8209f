#include "support/RecordingPrompt.h"

PromptAnswer RecordingPrompt::Message(std::string_view text, std::string_view title, PromptIcon icon,
                                      PromptButtons buttons) {
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

bool RecordingPrompt::ChooseFile(FileDialogKind kind, std::string_view filter, std::string& path) {
    FileDialogs.push_back(kind);
    FileFilters.emplace_back(filter);
    if (FileAnswers.empty()) return false;
    path = FileAnswers.front();
    FileAnswers.pop_front();
    return true;
}

std::vector<std::string> RecordingPrompt::Texts() const {
    std::vector<std::string> out;
    for (const auto& m : Messages) out.push_back(m.Text);
    return out;
}
