#include "core/Prompt.h"

namespace {
// Until a window layer installs one, messages go nowhere and questions get the
// safe answer (No / Cancel), so a headless caller never blocks.
class Silent final : public Prompt {
public:
    PromptAnswer Message(std::string_view, std::string_view, PromptIcon, PromptButtons buttons) override {
        switch (buttons) {
            case PromptButtons::Ok: return PromptAnswer::Ok;
            case PromptButtons::OkCancel: return PromptAnswer::Cancel;
            default: return PromptAnswer::No;
        }
    }
    bool ChooseFile(FileDialogKind, std::string_view, std::string&) override { return false; }
    bool ChooseFolder(std::string_view, std::string&) override { return false; }
};
Silent g_silent;
Prompt* g_prompt = &g_silent;
}  // namespace

Prompt& AppPrompt() { return *g_prompt; }
void SetAppPrompt(Prompt* prompt) { g_prompt = prompt ? prompt : &g_silent; }
Prompt& SilentPrompt() { return g_silent; }
