#pragma once
// One communication monitor record, 280 bytes: n (16 bits, least significant
// byte first), the 14-character arrival time, the letter, two-digit exchange
// position, three-digit n, n bytes of monitor data and a NUL.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/Clock.h"

struct MonitorRecord {
    static constexpr std::size_t Size = 280;
    static constexpr std::size_t MaxData = 256;
    static constexpr std::size_t TextOffset = 16;
    std::uint8_t Bytes[Size] = {};

    std::uint16_t DataLength() const { return static_cast<std::uint16_t>(Bytes[0] | Bytes[1] << 8); }
    // Letter, exchange position, length digits and the monitor data.
    std::string_view Text() const {
        return std::string_view(reinterpret_cast<const char*>(Bytes) + TextOffset, DataLength() + 6u);
    }
};

// Nothing for a text whose length field (bytes 3 to 5) is not three digits or
// announces more than 256 bytes. A text shorter than it announces gives a record
// of the data that arrived, with n and its digits lowered to match.
std::optional<MonitorRecord> BuildMonitorRecord(std::string_view text, const ClockReading& now);
inline std::optional<MonitorRecord> BuildMonitorRecord(std::string_view text) {
    return BuildMonitorRecord(text, ClockNow());
}
