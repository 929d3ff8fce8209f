#pragma once
// Rules of the Stations editor (CSheetStation with CPageMaster and CPageSub).
// Its working copy is the model's exchange records, all 16 of them; the editor
// owns the master and substation tables of each, and everything else in them
// (C/O lines, member lists, paging zones) is carried along unchanged. The
// global setting (SwitchCnt, NumberSize, first station numbers) is read from
// the model, which no other window changes while the editor is open.
#include <memory>
#include <string>
#include <string_view>

#include "editors/EditorRules.h"
#include "editors/StationCheck.h"
#include "model/SettingData.h"

struct StationCopy {
    SwitchData Switch[kMaxExchanges];
    SwitchData& Exchange(int position) { return Switch[position - 1]; }
    const SwitchData& Exchange(int position) const { return Switch[position - 1]; }
};

// About 50 KB: kept on the heap like the model.
std::unique_ptr<StationCopy> LoadStationCopy(const SettingData& model);

enum StationPage : int { kPageMasters = 0, kPageSubs = 1 };

// Grid columns; column 0 shows the running row number.
enum MasterColumn : int {
    kMasterRowNo = 0,
    kMasterExchange,
    kMasterLine,
    kMasterStation,
    kMasterName,
    kMasterLineAccess,
    kMasterEmergencyPaging,
    kMasterCoForwarding,
    kMasterForwarding,
    kMasterTimeBasedFwd,
    kMasterBusyFwd,
    kMasterNoAnswerFwd,
    kMasterColumnCount
};
enum SubColumn : int {
    kSubRowNo = 0,
    kSubExchange,
    kSubLine,
    kSubStation,
    kSubName,
    kSubCalledExchange,
    kSubCalledLine,
    kSubCalledStation,
    kSubCalledName,
    kSubPriority,
    kSubColumnCount
};

inline constexpr const char* kMasterColumnTitles[kMasterColumnCount] = {
    "No.",  "Exchange", "Line", "Station", "Name", "C/O Line Access", "Emergency Paging", "C/O Call Forwarding",
    "Call Forwarding", "Time-Based Call Fwd", "Busy Call Forwarding", "No-Answer Call Fwd"};
inline constexpr const char* kSubColumnTitles[kSubColumnCount] = {
    "No.", "Exchange", "Line", "Station", "Name", "Called\n Exchange", "Called\n Line", "Called\n Station",
    "Called\n Name", "Call Priority"};

inline constexpr const char* kFlagOnText = "v";
inline constexpr const char* kFlagOffText = "-";
inline constexpr const char* kLevelNormalText = "Normal";
inline constexpr const char* kLevelEmergencyText = "Emergency";

inline constexpr const char* kCoForwardingText = "Incorrect Auto C/O Xfer sta";
inline constexpr const char* kAbsenceText = "Incorrect absence transfer";
inline constexpr const char* kAutoAbsenceText = "Incorrect Auto absence transfer at preset times";
inline constexpr const char* kBusyTransferText = "Incorrect Call Transfer during Conversation";
inline constexpr const char* kNoAnswerTransferText = "Incorrect Nonresponse Transfer";
inline constexpr const char* kCalledMasterText = "Substations\nDialing incorrect exchange-equipment No.(%d-%d)";

// Validation codes besides the station numbering rules (StationRule, 11..24).
enum StationEditorCheck : int {
    kStationCoForwarding = 31,
    kStationAbsence = 32,
    kStationAutoAbsence = 33,
    kStationBusyTransfer = 34,
    kStationNoAnswerTransfer = 35,
    kStationCalledMaster = 51,
};

// What a cell shows. A station without a number shows empty cells from
// "Station" on; the running-number column is the grid's own.
std::string MasterCellText(const StationCopy& copy, int exchange, int position, int column);
std::string SubCellText(const StationCopy& copy, int exchange, int position, int column);

// End of editing a cell; refused input leaves the entry unchanged.
CellEdit EditMasterCell(StationCopy& copy, const SystemData& system, int exchange, int position, int column,
                        std::string_view text);
CellEdit EditSubCell(StationCopy& copy, const SystemData& system, int exchange, int position, int column,
                     std::string_view text);

// Validation of both pages, in order; the first failure ends it. Page,
// Exchange, Row (station position) and Field (grid column) tell where to focus.
ValidationResult ValidateStations(const SystemData& system, const StationCopy& copy);

// A station numbering fault as the editor shows it and focuses it (the shell
// opens the editor at a fault of the model).
ValidationResult StationFaultResult(const StationFault& fault);

// Either table of any exchange differs from the model.
bool StationCopyDiffers(const StationCopy& copy, const SettingData& model);
// Writes both tables when they differ, sets Modified and reloads the copy;
// returns whether anything was written.
bool CommitStations(StationCopy& copy, SettingData& model);
// Overwrite (and the second validation of Upload): validate, then commit.
ValidationResult OverwriteStations(StationCopy& copy, SettingData& model);

// Selector value for "ALL" (shown only when SwitchCnt > 1).
inline constexpr int kSelectAll = 0;

// Where the focus goes after a failed validation, given the selector's value
// (1..16, or kSelectAll): the selector switches to the exchange concerned
// unless "ALL" is shown; Row is the 0-based data row of the grid.
struct StationFocus {
    int Page = kPageMasters;
    int Selection = 1;
    int Row = 0;
    int Column = 0;
};
StationFocus PlaceStationFocus(const ValidationResult& result, int selection);

// The station of a 0-based data row of the page's grid under the selector.
struct StationAt {
    int Exchange = 0;
    int Position = 0;
};
StationAt StationAtRow(int page, int selection, int row);
