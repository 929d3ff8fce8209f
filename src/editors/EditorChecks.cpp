#include "editors/EditorChecks.h"

#include "editors/FunctionRules.h"
#include "editors/LineRules.h"
#include "editors/MemberRules.h"
#include "editors/PagingRules.h"
#include "editors/StationCheck.h"
#include "editors/StationRules.h"
#include "editors/SystemRules.h"
#include "editors/Categories.h"
#include "editors/DialRules.h"

namespace {
std::optional<std::string> FirstFailure(const ValidationResult& r) {
    if (r.Passed()) return std::nullopt;
    return r.Message;
}

struct Entry {
    Category Id;
    EditorValidate Validate;
};

// One line per editor; the panel decides the order and the caption.
constexpr Entry kEntries[] = {
    {Category::GlobalSetting, ValidateGlobalSettingModel},
    {Category::Stations, ValidateStationsModel},
    {Category::CoTrunks, ValidateCoTrunksModel},
    {Category::CallForwarding, ValidateCallForwardingModel},
    {Category::GroupCall, ValidateGroupCallModel},
    {Category::ScanMonitor, ValidateScanMonitorModel},
    {Category::Paging, ValidatePagingModel},
    {Category::EmergencyConference, ValidateEmergencyConferenceModel},
    {Category::DialingAssignment, ValidateDialingModel},
};
}  // namespace

std::vector<EditorCheck> EditorChecks() {
    std::vector<EditorCheck> checks;
    for (const CategoryButton& button : kCategoryButtons)
        for (const Entry& e : kEntries)
            if (e.Id == button.Id) checks.push_back({button.Caption, e.Validate});
    return checks;
}

std::optional<std::string> ValidateGlobalSettingModel(const SettingData& model) {
    return FirstFailure(ValidateSystem(LoadSystemCopy(model)));
}

// All 16 exchanges' master and substation pages, against the model's global setting.
std::optional<std::string> ValidateStationsModel(const SettingData& model) {
    return FirstFailure(ValidateStations(model.System, *LoadStationCopy(model)));
}

std::optional<std::string> ValidateCoTrunksModel(const SettingData& model) {
    return FirstFailure(ValidateLines(model, LoadLineCopy(model)));
}

std::optional<std::string> ValidateCallForwardingModel(const SettingData& model) {
    return FirstFailure(ValidateFunctions(model, LoadFunctionCopy(model)));
}

std::optional<std::string> ValidateGroupCallModel(const SettingData& model) {
    return FirstFailure(ValidateMembers(LoadMemberCopy(model, MemberFamily::Group), model));
}
std::optional<std::string> ValidateScanMonitorModel(const SettingData& model) {
    return FirstFailure(ValidateMembers(LoadMemberCopy(model, MemberFamily::Scan), model));
}
std::optional<std::string> ValidateEmergencyConferenceModel(const SettingData& model) {
    return FirstFailure(ValidateMembers(LoadMemberCopy(model, MemberFamily::Meeting), model));
}
std::optional<std::string> ValidatePagingModel(const SettingData& model) {
    return FirstFailure(ValidatePaging(LoadPagingCopy(model), model));
}

std::optional<std::string> StationNumberingMessage(const SettingData& model) {
    const StationFault fault = CheckStations(model);
    if (!fault) return std::nullopt;
    return StationFaultMessage(fault);
}

std::optional<std::string> ValidateDialingModel(const SettingData& model) {
    return FirstFailure(ValidateDialing(*LoadDialCopy(model), model.System.SwitchCnt));
}
