#pragma once
// The prompt seam shown with Qt's message boxes and file dialogs.
#include "core/Prompt.h"

class QtPrompt final : public Prompt {
public:
    PromptAnswer Message(std::string_view text, std::string_view title, PromptIcon icon,
                         PromptButtons buttons) override;
    void TellDetail(std::string_view text, std::string_view detail, PromptIcon icon) override;
    bool ChooseFile(FileDialogKind kind, std::string_view filter, std::string& path) override;
    bool ChooseFolder(std::string_view title, std::string& path) override;

private:
    PromptAnswer Show(std::string_view text, std::string_view detail, std::string_view title, PromptIcon icon,
                      PromptButtons buttons);
};

// The title a message box gets when its caller gives none.
inline constexpr const char* kApplicationTitle = "NX420";
// A window with this property set is never a message box's parent (the
// progress window: its transfer may close it while the box is up).
inline constexpr const char* kNoPromptParent = "nx420NoPromptParent";
