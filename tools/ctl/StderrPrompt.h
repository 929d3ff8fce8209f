#pragma once
// The command-line companion's prompt: messages go to standard error, and
// nobody is there to answer a question, so questions get the safe answer.
#include <cstdio>

#include "core/Prompt.h"

class StderrPrompt final : public Prompt {
public:
    explicit StderrPrompt(std::FILE* out = stderr) : out_(out) {}
    PromptAnswer Message(std::string_view text, std::string_view title, PromptIcon icon,
                         PromptButtons buttons) override;
    bool ChooseFile(FileDialogKind, std::string_view, std::string&) override { return false; }
    bool ChooseFolder(std::string_view, std::string&) override { return false; }

private:
    std::FILE* out_;
};
