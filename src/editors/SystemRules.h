#pragma once
// Rules of the Global Setting editor (CDlgSystem). Its working copy is a
// SystemData taken from the model; the editor owns SwitchCnt, NumberSize, the
// tie-line flags and the first station numbers (OutInZone belongs to the
// paging editor and is carried along untouched).
#include <string_view>

#include "editors/EditorRules.h"
#include "model/SettingData.h"

inline constexpr const char* kIncorrectExchangeCountText = "Incorrect No.of exchanges.";
inline constexpr const char* kIncorrectDigitLengthText = "Incorrect station digit length.";
inline constexpr const char* kFirstStationDigitText = "Incorrect first station No.digit length";
inline constexpr const char* kFirstStationOrderText = "First station No.is greater than that of the next exchange.";
inline constexpr const char* kFirstStationDuplicateText = "Duplicated first station No.";

// Validation codes, in the order the checks run.
enum SystemCheck : int {
    kSystemOk = 0,
    kSystemExchangeCount = 1,
    kSystemDigitLength = 2,
    kSystemFirstDigits = 3,
    kSystemFirstOrder = 4,
    kSystemFirstDuplicate = 5,
};

// Fields a failed check puts the focus on (ValidationResult::Field).
enum SystemField : int {
    kFieldNone = 0,
    kFieldExchangeCount = 1,  // "No. of Exchanges:" list
    kFieldStationDigits = 2,  // "Station Digits:" list
    kFieldFirstStation = 3,   // grid, column "First Station No.", Row = the exchange
};

SystemData LoadSystemCopy(const SettingData& model);

// Field edits.
// Selecting a number of exchanges: entries beyond it lose their first station
// number; every entry carries its own exchange number again.
void SelectExchangeCount(SystemData& copy, int count);
// End of editing the "First Station No." cell of an exchange (1..16).
CellEdit EditFirstStationNo(SystemData& copy, int exchange, std::string_view text);
// What the "First Station No." cell shows: the stored text, empty when not set.
std::string_view FirstStationCellText(const SystemData& copy, int exchange);

// The checks in order; the first failure ends it.
ValidationResult ValidateSystem(const SystemData& copy);

// SwitchCnt, NumberSize, the tie lines and the first max(copy, model) SwitchCnt
// station number entries, each entry compared whole.
bool SystemCopyDiffers(const SystemData& copy, const SettingData& model);

// Writes the copy into the model only when it differs, then sets Modified and
// reloads the copy; returns whether anything was written.
bool CommitSystem(SystemData& copy, SettingData& model);

// Overwrite (and the second validation of Upload): validate, then commit.
ValidationResult OverwriteSystem(SystemData& copy, SettingData& model);
