#include "app/TR420Doc.h"

#include "model/SettingsFile.h"
#include "protocol/LinkActivity.h"

bool CTR420Doc::OnFileNew(Prompt& prompt) {
    if (BusyGuard(state_, prompt) != 0) return false;
    SettingData& data = *state_.Model;
    if (data.Modified == 1 && !prompt.AskYesNo(kNewNotSaved)) return false;
    ResetToDefaults(data);
    RestartLink();
    data.CurrentFilePath.Clear();
    data.Modified = 0;
    return true;
}

bool CTR420Doc::OnFileOpen(Prompt& prompt) {
    if (BusyGuard(state_, prompt) != 0) return false;
    if (state_.Model->Modified == 1 && !prompt.AskYesNo(kOpenNotSaved)) return false;
    std::string path;
    if (!prompt.ChooseFile(FileDialogKind::Open, kSettingsFileFilter, path)) return false;
    return OpenPath(path, prompt);
}

bool CTR420Doc::OpenPath(const std::string& path, Prompt& prompt) {
    SettingData& data = *state_.Model;
    // A path the model cannot hold whole would make a later Save write to a
    // different file; such a path is refused like an unreadable file.
    if (path.empty() || path.size() > data.CurrentFilePath.Capacity) {
        prompt.Tell(kSetFileOpenError, PromptIcon::Exclamation);
        return false;
    }
    const FixedText<4095> previousPath = data.CurrentFilePath;
    data.CurrentFilePath = path;
    if (ReadSettingsFile(data, path, prompt) == SettingsReadResult::CannotOpen) {
        data.CurrentFilePath = previousPath;
        prompt.Tell(kSetFileOpenError, PromptIcon::Exclamation);
        return false;
    }
    RestartLink();
    data.Modified = 0;
    return true;
}

bool CTR420Doc::OnFileSave(Prompt& prompt) {
    if (state_.Model->CurrentFilePath.Empty()) return OnFileSaveAs(prompt);
    return SaveTo(state_.Model->CurrentFilePath.Str(), prompt);
}

bool CTR420Doc::OnFileSaveAs(Prompt& prompt) {
    std::string path;
    if (!prompt.ChooseFile(FileDialogKind::Save, kSettingsFileFilter, path)) return false;
    if (path.empty() || path.size() > state_.Model->CurrentFilePath.Capacity) {
        prompt.Tell(kSetFileWriteError, PromptIcon::Exclamation);
        return false;
    }
    return SaveTo(path, prompt);
}

bool CTR420Doc::SaveTo(const std::string& path, Prompt& prompt) {
    SettingData& data = *state_.Model;
    // The path becomes current only with a successful write, so a failed Save
    // As does not redirect the next Save.
    if (!WriteSettingsFile(data, path, prompt)) return false;
    data.CurrentFilePath = path;
    return true;
}

void CTR420Doc::RestartLink() {
    // The connection settings may have changed with the new model.
    if (state_.ActivityMask != LinkActivity::Closing) services_.StopLink(state_);
    services_.StartLink(state_);
}

std::string CTR420Doc::TitleName() const {
    const std::string path = state_.Model->CurrentFilePath.Str();
    if (path.empty()) return "Untitled";
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
