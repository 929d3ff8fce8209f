#pragma once
// Every editor's validation over a whole model, as its Overwrite would run it
// on a working copy freshly taken from the model, so a settings file can be
// checked without opening a window. An editor joins with one line in the
// table (EditorChecks.cpp).
#include <optional>
#include <string>
#include <vector>

#include "model/SettingData.h"

// The first failing check's message, or none when every check passes.
using EditorValidate = std::optional<std::string> (*)(const SettingData& model);

struct EditorCheck {
    const char* Caption;  // the editor's button in the category panel
    EditorValidate Validate;
};

// The editors that have rules, in the panel's order.
std::vector<EditorCheck> EditorChecks();

// The editors' whole-model validations.
std::optional<std::string> ValidateGlobalSettingModel(const SettingData& model);
std::optional<std::string> ValidateStationsModel(const SettingData& model);
std::optional<std::string> ValidateCoTrunksModel(const SettingData& model);
std::optional<std::string> ValidateCallForwardingModel(const SettingData& model);
std::optional<std::string> ValidateGroupCallModel(const SettingData& model);
std::optional<std::string> ValidateScanMonitorModel(const SettingData& model);
std::optional<std::string> ValidateEmergencyConferenceModel(const SettingData& model);
std::optional<std::string> ValidatePagingModel(const SettingData& model);
std::optional<std::string> ValidateDialingModel(const SettingData& model);

// The station numbering check over the model, under its own name.
inline constexpr const char* kStationNumberingCheckName = "Station numbering check";
std::optional<std::string> StationNumberingMessage(const SettingData& model);
