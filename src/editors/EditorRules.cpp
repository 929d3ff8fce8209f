#include "editors/EditorRules.h"

bool IsAllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

uint32_t DigitsValue(std::string_view text) {
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

bool IsValidName(std::string_view text, std::size_t max) {
    if (text.size() > max) return false;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (!((c >= 32 && c <= 125) || (c >= 0xA1 && c <= 0xDF))) return false;
    }
    return true;
}

bool HasStationDigits(std::string_view text, int32_t value, int numberSize) {
    if (numberSize < 1 || text.size() != static_cast<std::size_t>(numberSize)) return false;
    // A text with anything but digits in it (a file may carry one) is no
    // station number, whatever its length.
    if (!IsAllDigits(text)) return false;
    uint64_t limit = 1;
    for (int i = 0; i < numberSize && limit <= UINT32_MAX; ++i) limit *= 10;
    return static_cast<uint64_t>(static_cast<uint32_t>(value)) <= limit - 1;
}
