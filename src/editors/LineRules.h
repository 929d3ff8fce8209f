#pragma once
// Rules of the C/O Trunks editor (CDlgLine). Its working copy is, for all 16
// exchanges, the C/O connection time-out and the two C/O lines. Receiving
// stations are shown and looked up from the master stations of the model,
// which no other window changes while the editor is open.
#include <string>
#include <string_view>

#include "editors/EditorRules.h"
#include "model/SettingData.h"

inline constexpr const char* kCoTimeOutText = "Incorrect C/O line Connection time-out";
inline constexpr const char* kLineNameText = "Incorrect name";
inline constexpr const char* kAccessNumberText = "Specific No. for making a call is not correct.";
inline constexpr const char* kInvalidMasterText = "Invalid master equipment No.is set.";
inline constexpr const char* kCenterStationText = "Exchange%d\nC/O line%d\nCenter station is not set for the direct-in group.";
inline constexpr const char* kRedundantStationText = "Exchange%d\nC/O line%d\nRedundant receiving stations (%d-%d)";

inline constexpr int kCoTimeOutMax = 99;
inline constexpr int kAccessNumberMax = 9;
// What a refused access digit stores, so that validation fails on it.
inline constexpr uint8_t kInvalidAccessNumber = 99;

struct LineCopy {
    uint8_t LineCntLimit[kMaxExchanges] = {};
    LineData Line[kMaxExchanges][kLinesPerExchange];
    LineData& At(int exchange, int line) { return Line[exchange - 1][line - 1]; }
    const LineData& At(int exchange, int line) const { return Line[exchange - 1][line - 1]; }
};

LineCopy LoadLineCopy(const SettingData& model);

// Validation codes, in the order the checks run.
enum LineCheck : int {
    kLineOk = 0,
    kLineTimeOut = 1,
    kLineName = 2,
    kLineAccess = 3,
    kLineRxInvalid = 4,
    kLineRxCenter = 5,
    kLineRxRedundant = 6,
};

// The field a failed check focuses (ValidationResult::Field); the C/O line is
// ValidationResult::Page (1 or 2) and the receiving station slot is Row (1..4).
enum LineField : int {
    kLineFieldNone = 0,
    kLineFieldTimeOut,
    kLineFieldName,
    kLineFieldAccess,
    kLineFieldGrid,  // "Exchange" column of the slot's row
};

// Receiving-station grid columns; the first (hidden) holds the row number.
enum RxColumn : int { kRxNo = 0, kRxTitle, kRxExchange, kRxLine, kRxStation, kRxName, kRxColumnCount };
inline constexpr const char* kRxColumnTitles[kRxColumnCount] = {"No", "Rcv Station", "Exchange", "Line", "Station",
                                                                 "Name"};
inline constexpr const char* kRxSlotTitles[kRxMasters] = {"Rep", "Member1", "Member2", "Member3"};

// Field edits. Each returns what the field shows afterwards: the typed text,
// or the stored value when the field was emptied.
CellEdit EditCoTimeOut(LineCopy& copy, int exchange, std::string_view text);
CellEdit EditAccessNumber(LineCopy& copy, int exchange, int line, std::string_view text);
// A spin click from the stored value, held within the field's range.
int SpinCoTimeOut(const LineCopy& copy, int exchange, int step);
int SpinAccessNumber(const LineCopy& copy, int exchange, int line, int step);

// A receiving-station cell (slot 1..4); refused input leaves the entry as it
// was. Either way the row's display is refreshed from the model's masters.
CellEdit EditRxCell(LineCopy& copy, const SettingData& model, int exchange, int line, int slot, int column,
                    std::string_view text);
std::string RxCellText(const LineCopy& copy, const SettingData& model, int exchange, int line, int slot, int column);
// "Delete ALL" of one line: its four receiving stations emptied.
void ClearRxStations(LineCopy& copy, const SettingData& model, int exchange, int line);

ValidationResult ValidateLines(const SettingData& model, const LineCopy& copy);

bool LineCopyDiffers(const LineCopy& copy, const SettingData& model);
// Writes all 16 exchanges when any differs, sets Modified and reloads the copy.
bool CommitLines(LineCopy& copy, SettingData& model);
ValidationResult OverwriteLines(LineCopy& copy, SettingData& model);
