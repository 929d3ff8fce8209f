#pragma once
// Text forms of ClockTime ("HH:MM") and MemberRef ("EE-SS").
#include <cstdint>
#include <string>
#include <string_view>

#include "model/SettingData.h"

// High and low byte as at least two digits each, joined by the separator.
std::string PairToText(uint16_t value, char separator);
// Writes the same into out (at least 8 bytes); returns the length.
int PairToText(uint16_t value, char separator, char* out);

// Finds the separator; missing or first gives 0 and false. Otherwise the value
// is (leading decimal of the part before) * 256 + (leading decimal after), as 16 bits.
bool TextToPair(std::string_view text, char separator, uint16_t& value);

inline std::string ClockTimeToText(const ClockTime& t) { return PairToText(t.Value, ':'); }
// Sets value from the text and keeps the text as given (cut to 5 characters).
bool ClockTimeFromText(std::string_view text, ClockTime& t);

inline std::string MemberRefToText(const MemberRef& m) {
    return PairToText(static_cast<uint16_t>(m.Exchange << 8 | m.Station), '-');
}
// Exchange from the high byte, station from the low byte; Position untouched.
bool MemberRefFromText(std::string_view text, MemberRef& m);
