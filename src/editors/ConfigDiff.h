#pragma once
// Two configurations compared in the editors' own words: each difference
// names the editor (its window title), the place in it, the field by its
// label, and both values as the editor shows them (names in UTF-8). Only
// what is in use counts: exchanges up to the larger SwitchCnt and member
// entries up to the larger count; zone flags beyond the zone digits count,
// being stored.
#include <string>
#include <vector>

#include "model/SettingData.h"

struct ConfigDifference {
    std::string Category;
    std::string Place;  // "Exchange 2, Master 1"; empty for installation-wide fields
    std::string Field;
    std::string Old;
    std::string New;
    bool operator==(const ConfigDifference&) const = default;
};

// The categories, in the order the differences are listed.
inline constexpr const char* kDiffCategories[] = {
    "Global Setting", "Stations",      "C/O Trunks",         "Call Forwarding/Time-Out",
    "Scan Monitor",   "Group Call",    "Emergency Conference", "Paging",
    "Direct Select",  "Dialing Assignment", "PC Port",       "Remote Dialing"};

// Differences from a (old) to b (new), grouped by category in that order.
std::vector<ConfigDifference> CompareSettings(const SettingData& a, const SettingData& b);

// Every field in use of one configuration, as a listing (New holds the
// value, as does Old): what a spreadsheet export shows. Dialing rows appear
// only when they hold a dial or a door lock.
std::vector<ConfigDifference> ListSettings(const SettingData& data);

// An 8-bit text as the windows show it (katakana bytes as their half-width
// forms, other high bytes as Latin-1), encoded as UTF-8.
std::string Text8ToUtf8(std::string_view text);
