#pragma once
// One log entry as the PC keeps it: 14 characters of the PC's arrival time, then
// the first 35 bytes of the exchange's text 'o'. 49 bytes, no terminator.
#include <cstddef>
#include <string_view>

#include "core/Clock.h"

struct LogRecord {
    static constexpr std::size_t Size = 49;
    static constexpr std::size_t TextBytes = 35;
    char Bytes[Size] = {};

    std::string_view View() const { return std::string_view(Bytes, Size); }
};

// Writes "%04d%02d%02d%02d%02d%02d" of the reading into out[0..13].
void FormatArrivalTime(const ClockReading& now, char* out);

// A text shorter than 35 bytes is never read past its end: the missing part of
// the record is blanks.
LogRecord BuildLogRecord(std::string_view text, const ClockReading& now);
inline LogRecord BuildLogRecord(std::string_view text) { return BuildLogRecord(text, ClockNow()); }
