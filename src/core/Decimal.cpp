#include "core/Decimal.h"

int32_t ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

int FormatDecimalWidth(char* out, int64_t value, int width) {
    char digits[24];
    int n = 0;
    const bool negative = value < 0;
    uint64_t v = negative ? 0u - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    // As printf's "%0*d": the sign counts towards the width.
    const int digitWidth = negative ? width - 1 : width;
    while (n < digitWidth && n < static_cast<int>(sizeof digits)) digits[n++] = '0';
    int k = 0;
    if (negative) out[k++] = '-';
    while (n) out[k++] = digits[--n];
    return k;
}

int FormatDecimal(char* out, int64_t value) { return FormatDecimalWidth(out, value, 1); }
