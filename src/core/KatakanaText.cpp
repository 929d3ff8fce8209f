#include "core/KatakanaText.h"

namespace {
constexpr unsigned char kKatakanaFirst = 0xA1;
constexpr unsigned char kKatakanaLast = 0xDF;
constexpr char16_t kHalfWidthFirst = 0xFF61;
constexpr char16_t kHalfWidthLast = kHalfWidthFirst + (kKatakanaLast - kKatakanaFirst);
}  // namespace

char16_t Text8CharToUnicode(unsigned char byte) {
    if (byte >= kKatakanaFirst && byte <= kKatakanaLast)
        return static_cast<char16_t>(kHalfWidthFirst + (byte - kKatakanaFirst));
    return byte;
}

bool UnicodeToText8Char(char16_t ch, unsigned char& byte) {
    if (ch >= kHalfWidthFirst && ch <= kHalfWidthLast) {
        byte = static_cast<unsigned char>(kKatakanaFirst + (ch - kHalfWidthFirst));
        return true;
    }
    if (ch > 0xFF || (ch >= kKatakanaFirst && ch <= kKatakanaLast)) return false;
    byte = static_cast<unsigned char>(ch);
    return true;
}

std::u16string Text8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out += Text8CharToUnicode(static_cast<unsigned char>(c));
    return out;
}

bool Utf16ToText8(std::u16string_view text, std::string& out) {
    std::string result;
    result.reserve(text.size());
    for (char16_t ch : text) {
        unsigned char byte = 0;
        if (!UnicodeToText8Char(ch, byte)) return false;
        result += static_cast<char>(byte);
    }
    out = std::move(result);
    return true;
}
