#pragma once
// Decimal conversions shared by the settings file and the link texts.
#include <cstdint>
#include <string_view>

// Leading blanks, an optional sign, then the leading decimal digits; no digits
// gives 0. Overlong input wraps modulo 2^32 instead of overflowing, so the
// caller's truncation to its field width is always well defined.
int32_t ParseDecimal(std::string_view text);

// Writes value in decimal (with a '-' when negative) at out; returns the count
// of characters written (at most 11). No terminating zero.
int FormatDecimal(char* out, int64_t value);

// Writes value as at least `width` digits with leading zeros (as "%0*d").
int FormatDecimalWidth(char* out, int64_t value, int width);
