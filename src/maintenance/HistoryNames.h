#pragma once
// Names of the history files: the automatic ones (prefix, date, sequence) and
// the Data Save ones (prefix, date and time), and a stored name read back.
#include <string>
#include <string_view>

#include "core/Clock.h"

inline constexpr const char* kLogPrefix = "HS";
inline constexpr const char* kMonitorPrefix = "CM";
inline constexpr int kLastSequence = 99;

struct HistoryDate {
    int Year = -1;  // two digits; -1 each while not set
    int Month = -1;
    int Day = -1;
    bool operator==(const HistoryDate&) const = default;
    static HistoryDate Of(const ClockReading& now) { return {now.Year % 100, now.Month, now.Day}; }
};

// "<folder>/HSyymmdd-nn.txt", or without the folder and its '/' when it is empty.
std::string AutoFileName(std::string_view folder, std::string_view prefix, const HistoryDate& date, int sequence);

// "<folder>/HSyymmddhhmmss.txt" of the moment of saving.
std::string DataSaveName(std::string_view folder, std::string_view prefix, const ClockReading& now);

// What a remembered automatic name says. A name shorter than 16 characters, or
// whose last '-' stands before index 9 (no folder before the prefix), is not
// usable: the date stays not set and the folder empty.
struct StoredName {
    std::string Folder;
    HistoryDate Date;
    int Sequence = 0;
    bool Usable() const { return Date.Year >= 0; }
};
StoredName ParseStoredName(std::string_view name);

// A folder as chosen in the picker, without its trailing '/' (the root stays "/").
std::string ChosenFolder(std::string_view path);
