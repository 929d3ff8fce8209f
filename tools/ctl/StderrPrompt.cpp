#include "StderrPrompt.h"

PromptAnswer StderrPrompt::Message(std::string_view text, std::string_view, PromptIcon, PromptButtons buttons) {
    std::fprintf(out_, "%.*s\n", static_cast<int>(text.size()), text.data());
    switch (buttons) {
        case PromptButtons::Ok: return PromptAnswer::Ok;
        case PromptButtons::OkCancel: return PromptAnswer::Cancel;
        default: return PromptAnswer::No;
    }
}
