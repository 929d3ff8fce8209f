#pragma once
// Rules of the three member-list editors: Scan Monitor (CDlgScan), Group Call
// (CDlgGroup) and Emergency Conference (CDlgMeeting). One set of rules serves
// all three; the family table tells them apart. The working copy holds, for
// each master of every exchange, its list of the family's kind; the stations
// the entries name are looked up in the model, which no other window changes
// while an editor is open.
#include <string>
#include <string_view>

#include "editors/EditorRules.h"
#include "model/SettingData.h"

enum class MemberFamily { Scan, Group, Meeting };

struct MemberFamilyInfo {
    const char* Title;
    const char* MasterLabel;    // "%d" is the number of masters
    bool SubstationMembers;     // scan lists hold substations, the others masters
    int Lines;                  // highest line a member may have
    int Capacity;               // entries per master
    bool HasTime;               // the monitoring time field
    const char* InvalidText;
    const char* DuplicateText;  // master's exchange and line, member's exchange and line
    char Letter;                // the upload text
};

const MemberFamilyInfo& FamilyInfo(MemberFamily family);

inline constexpr const char* kScanTimeLabel = "Monitor Time(1-%d s):";
inline constexpr int kScanTimeMax = 99;
inline constexpr const char* kScanTimeText = "Incorrect monitoring time";
inline constexpr const char* kMemberExchangeText = "Incorrect exchange No.";
inline constexpr const char* kMemberMasterText = "Incorrect master equipment No.";

// Validation codes, in the order the checks run.
enum MemberCheck : int {
    kMemberSelectExchange = 1,
    kMemberSelectMaster = 2,
    kMemberTime = 11,
    kMemberInvalid = 12,
    kMemberDuplicate = 13,
};

// Grid columns; the first one (the row number) is hidden.
enum MemberColumn : int { kMemberRowNo = 0, kMemberExchange, kMemberLine, kMemberStation, kMemberName, kMemberColumnCount };
inline constexpr const char* kMemberColumnTitles[kMemberColumnCount] = {"No", "Exchange", "Line", "Station", "Name"};

// One master's list of the family; entries beyond the capacity stay empty.
struct MemberList {
    uint8_t Count = 0;
    uint8_t ScanTime = 0;
    MemberRef Entries[kScanMembers];
    bool operator==(const MemberList&) const = default;
};

struct MemberCopy {
    MemberFamily Family = MemberFamily::Scan;
    MemberList Lists[kMaxExchanges][kMastersPerExchange];
    MemberList& List(int exchange, int master) { return Lists[exchange - 1][master - 1]; }
    const MemberList& List(int exchange, int master) const { return Lists[exchange - 1][master - 1]; }
};

// A count beyond the list's capacity is taken as the capacity.
MemberCopy LoadMemberCopy(const SettingData& model, MemberFamily family);

// The check that precedes showing a selected exchange and master.
ValidationResult CheckMemberSelection(int switchCnt, int exchange, int master);

// What an entry's cell shows; the station number and name are those of the
// station the entry names, empty when it lies outside the installation or has
// no number.
std::string MemberCellText(const MemberCopy& copy, const SettingData& model, int exchange, int master, int entry,
                           int column);
// End of editing an entry's cell. An entry filled beyond the count raises the
// count to it, so the rows the installer fills are the ones in use.
CellEdit EditMemberCell(MemberCopy& copy, const SettingData& model, int exchange, int master, int entry, int column,
                        std::string_view text);
// The monitoring time field: 1..99 is stored; anything else keeps the old value.
bool EditScanTime(MemberCopy& copy, int exchange, int master, std::string_view text);
// A spin click (+1 or -1): the time moved by one and held within 1..99;
// returns the time stored.
int SpinScanTime(MemberCopy& copy, int exchange, int master, int step);
// "Delete ALL": every entry of one master's list.
void DeleteAllMembers(MemberCopy& copy, int exchange, int master);

// Validation over every exchange in use: Exchange and Page (the master) tell
// where to switch, Row the entry (0 for the monitoring time).
ValidationResult ValidateMembers(const MemberCopy& copy, const SettingData& model);

bool MemberCopyDiffers(const MemberCopy& copy, const SettingData& model);
// Every list of the copy's family written into data (a model, or the data a
// print job carries).
void ApplyMembers(const MemberCopy& copy, SettingData& data);
// Writes every list of the family when any differs, sets Modified, reloads.
bool CommitMembers(MemberCopy& copy, SettingData& model);
ValidationResult OverwriteMembers(MemberCopy& copy, SettingData& model);
