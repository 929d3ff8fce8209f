#pragma once
// "Dialing Assignment": per exchange and master, 1024 switch numbers, each
// with the number it dials and optionally the switch number of its door lock,
// plus a door lock time per master. The rules work on a working copy of the
// rows and times only (the direct select modes are another editor's).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "editors/EditorRules.h"
#include "model/SettingData.h"

inline constexpr const char* kDialingAssignmentTitle = "Dialing Assignment";
inline constexpr const char* kIncorrectDialFormat = "Exchange%d\nMaster Station No.%d\nIncorrect dial number";
// The dial of a switch number that another row names as its door lock.
inline constexpr std::string_view kReservedMark = "x";

// Door lock times offered, in seconds; the list position plus 1 is stored.
inline constexpr int kDoorLockTimes = 9;
std::string DoorLockTimeText(int seconds);

// Grid columns.
inline constexpr int kDialColumnSwitch = 0;
inline constexpr int kDialColumnDial = 1;
inline constexpr int kDialColumnName = 2;
inline constexpr int kDialColumnDoorLock = 3;

struct DialCopy {
    DialEntry Rows[kMaxExchanges][kMastersPerExchange][kDialRows];
    uint8_t ShotT[kMaxExchanges][kMastersPerExchange] = {};

    bool operator==(const DialCopy&) const = default;
    // exchange 1..16, master 1..4.
    DialEntry* Master(int exchange, int master) { return Rows[exchange - 1][master - 1]; }
    const DialEntry* Master(int exchange, int master) const { return Rows[exchange - 1][master - 1]; }
};

// About 1.4 MB: on the heap.
std::unique_ptr<DialCopy> LoadDialCopy(const SettingData& model);
// One master's rows and time again from the model (after a download).
void ReloadDialMaster(DialCopy& copy, const SettingData& model, int exchange, int master);
bool DialCopyDiffers(const DialCopy& copy, const SettingData& model);

// A dial of 1 to 16 characters from the digits, "A", "a", "*", "#" and "-".
bool IsDialCorrect(std::string_view dial);

// Every exchange in use, every master, every row with a dial. A failure names
// the exchange, the row and (in Page) the master.
ValidationResult ValidateDialing(const DialCopy& copy, int switchCnt);
// Validation, then the rows and times written back when they differ
// (Modified set).
ValidationResult OverwriteDialing(const DialCopy& copy, SettingData& model);
// The rows and times into data as they are (Modified untouched).
void StoreDialCopy(const DialCopy& copy, SettingData& data);

// Clears the master's reserved marks, then marks every row another row names
// as its door lock (1..1024; other door locks mark nothing).
void MarkReservedRows(DialCopy& copy, int exchange, int master);
bool IsReserved(const DialEntry& row);
// What the door lock cell shows.
std::string_view DoorLockCellText(const DialEntry& row);

// "Delete ALL": the master's rows and door lock time.
void DeleteAllDialRows(DialCopy& copy, int exchange, int master);

// Cell edits of row 1..1024: a dial of at most 16 characters; a door lock of
// at most 4 digits, 1 to 1024, or empty (the marks are recomputed).
CellEdit EditDial(DialCopy& copy, int exchange, int master, int row, std::string_view text);
CellEdit EditDoorLock(DialCopy& copy, int exchange, int master, int row, std::string_view text);

// Station names by number: the masters of the exchanges in use first, then
// their substations.
class StationNames {
public:
    explicit StationNames(const SettingData& model);
    std::string_view Find(std::string_view number) const;

private:
    std::unordered_map<std::string, std::string> names_;
};
