#include "editors/EditorOpeners.h"

#include <QAction>

#include "core/Prompt.h"
#include "editors/DlgSystem.h"
#include "editors/SheetStation.h"
#include "shell/MainFrame.h"
#include "shell/TR420View.h"

namespace {
// The fault the last station check found; the Stations opener that the check
// triggers takes it.
StationFault g_pendingFault;

std::function<void()> SaveCommand(CTR420View& view) {
    return [&view] {
        // Through the main window's action, so its title and recent files follow.
        if (auto* frame = qobject_cast<CMainFrame*>(view.window())) frame->SaveAction()->trigger();
        else view.Doc().OnFileSave(AppPrompt());
    };
}
}  // namespace

void OpenGlobalSettingEditor(QWidget* owner, SettingData& model, std::function<void()> save) {
    CDlgSystem dialog(owner, model, std::move(save));
    dialog.exec();
}

void OpenStationsEditor(QWidget* owner, SettingData& model, std::function<void()> save, const StationFault* fault) {
    CSheetStation sheet(owner, model, std::move(save), fault);
    sheet.exec();
}

void RegisterSettingEditors() {
    SetCategoryOpener(Category::GlobalSetting,
                      [](CTR420View& view) { OpenGlobalSettingEditor(&view, view.Model(), SaveCommand(view)); });
    SetCategoryOpener(Category::Stations, [](CTR420View& view) {
        const StationFault fault = g_pendingFault;
        g_pendingFault = {};
        OpenStationsEditor(&view, view.Model(), SaveCommand(view), fault ? &fault : nullptr);
    });
    SetStationCheck([](const SettingData& model) {
        g_pendingFault = CheckStations(model);
        return static_cast<bool>(g_pendingFault);
    });
}
