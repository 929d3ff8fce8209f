#pragma once
// The document: the File menu's New, Open, Save and Save As. It holds no data
// of its own; it works on the model the main view owns.
#include <string>

#include "core/Prompt.h"
#include "app/ShellState.h"

inline constexpr const char* kNewNotSaved = "Set file not saved.\nDefault Data setting. OK?";
inline constexpr const char* kOpenNotSaved = "Set file not saved.\nData setting. OK?";
inline constexpr const char* kSetFileOpenError = "Set file Open Error";

class CTR420Doc {
public:
    CTR420Doc(ShellState& state, ShellServices& services) : state_(state), services_(services) {}

    // Each returns true when the model or its file changed (so the caller
    // refreshes the title), false when the command ended without effect.
    bool OnFileNew(Prompt& prompt);
    bool OnFileOpen(Prompt& prompt);
    bool OnFileSave(Prompt& prompt);
    bool OnFileSaveAs(Prompt& prompt);

    // Open of a given path, as Open does after its dialog (also the file named
    // on the command line). A file that cannot be opened is reported and
    // leaves the model, its path and Modified as they were.
    bool OpenPath(const std::string& path, Prompt& prompt);

    // The title's file part: the current file's name, or "Untitled".
    std::string TitleName() const;

    // The link of the model's connection setting, at the first display.
    void StartLink() { services_.StartLink(state_); }
    // The link replaced by one of the model's connection setting (after New,
    // Open or a change of the PC port settings).
    void RestartLink();

private:
    bool SaveTo(const std::string& path, Prompt& prompt);

    ShellState& state_;
    ShellServices& services_;
};
