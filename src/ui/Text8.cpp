#include "ui/Text8.h"

QString FromText8(std::string_view text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        out += (c >= 0xA1 && c <= 0xDF) ? QChar(char16_t(0xFF61 + (c - 0xA1))) : QChar(char16_t(c));
    }
    return out;
}

bool ToText8(const QString& text, std::string& out) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u >= 0xFF61 && u <= 0xFF9F) {
            result += static_cast<char>(0xA1 + (u - 0xFF61));
        } else if (u < 0x100 && !(u >= 0xA1 && u <= 0xDF)) {
            result += static_cast<char>(u);
        } else {
            return false;
        }
    }
    out = std::move(result);
    return true;
}
