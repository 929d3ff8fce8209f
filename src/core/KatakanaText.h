#pragma once
// Names are 8-bit and may hold the single-byte katakana 0xA1-0xDF. On screen
// those bytes appear as the half-width forms U+FF61-U+FF9F and every other
// byte as its Latin-1 character; typed text is converted back, and a character
// with no 8-bit form is refused.
#include <string>
#include <string_view>

// The character shown for one byte.
char16_t Text8CharToUnicode(unsigned char byte);
// The byte of a character; false when it has no 8-bit form (Latin-1
// 0xA1-0xDF included: those bytes are the katakana).
bool UnicodeToText8Char(char16_t ch, unsigned char& byte);

std::u16string Text8ToUtf16(std::string_view text);
// False, with out unchanged, when any character has no 8-bit form.
bool Utf16ToText8(std::u16string_view text, std::string& out);
