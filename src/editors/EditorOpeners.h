#pragma once
// How the shell opens the setting editors: each runs modally with the view as
// its owner and is destroyed when it closes.
#include <functional>

#include "editors/StationCheck.h"

class QWidget;

// save: what Ctrl+S does inside the editor (the settings file's Save).
void OpenGlobalSettingEditor(QWidget* owner, SettingData& model, std::function<void()> save = {});
// fault: opens at that station numbering fault, focused on it.
void OpenStationsEditor(QWidget* owner, SettingData& model, std::function<void()> save = {},
                        const StationFault* fault = nullptr);

// Registers the openers of the "Global Setting" and "Stations" buttons and the
// station check the shell runs after Global Setting and Upload/Download; a
// fault it finds is where the Stations editor then opens.
void RegisterSettingEditors();
