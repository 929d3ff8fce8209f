#include "model/ClockTimeText.h"

#include "core/Decimal.h"

int PairToText(uint16_t value, char separator, char* out) {
    int n = FormatDecimalWidth(out, value >> 8, 2);
    out[n++] = separator;
    n += FormatDecimalWidth(out + n, value & 0xFF, 2);
    return n;
}

std::string PairToText(uint16_t value, char separator) {
    char buf[8];
    return std::string(buf, static_cast<std::size_t>(PairToText(value, separator, buf)));
}

bool TextToPair(std::string_view text, char separator, uint16_t& value) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos || at == 0) {
        value = 0;
        return false;
    }
    const uint32_t high = static_cast<uint32_t>(ParseDecimal(text.substr(0, at)));
    const uint32_t low = static_cast<uint32_t>(ParseDecimal(text.substr(at + 1)));
    value = static_cast<uint16_t>(high * 256u + low);
    return true;
}

bool ClockTimeFromText(std::string_view text, ClockTime& t) {
    t.Text = text;
    return TextToPair(text, ':', t.Value);
}

bool MemberRefFromText(std::string_view text, MemberRef& m) {
    uint16_t v = 0;
    const bool ok = TextToPair(text, '-', v);
    m.Exchange = static_cast<uint8_t>(v >> 8);
    m.Station = static_cast<uint8_t>(v & 0xFF);
    return ok;
}
