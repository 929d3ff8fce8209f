#include "texts/SettingTextFields.h"

#include <cstring>

#include "core/Decimal.h"

TextWriter::TextWriter(EncodedText& out, std::size_t length) : out_(out) {
    out_.Length = static_cast<uint32_t>(length < kMaxSettingText ? length : kMaxSettingText);
    std::memset(out_.Text, '0', out_.Length);
}

std::size_t TextWriter::Room(std::size_t pos, int width) const {
    if (width <= 0 || pos >= out_.Length) return 0;
    const std::size_t w = static_cast<std::size_t>(width);
    return pos + w <= out_.Length ? w : out_.Length - pos;
}

void TextWriter::Digits(std::size_t pos, int64_t value, int width) {
    char buf[24];
    const int n = FormatDecimalWidth(buf, value, width);
    std::size_t room = Room(pos, width);
    if (room > static_cast<std::size_t>(n)) room = static_cast<std::size_t>(n);
    std::memcpy(out_.Text + pos, buf, room);
}

void TextWriter::Chars(std::size_t pos, std::string_view text, int width) {
    const std::size_t room = Room(pos, width);
    const std::size_t n = text.size() < room ? text.size() : room;
    if (n) std::memcpy(out_.Text + pos, text.data(), n);
    std::memset(out_.Text + pos + n, ' ', room - n);
}

void TextWriter::CharsRight(std::size_t pos, std::string_view text, int width) {
    const std::size_t room = Room(pos, width);
    std::memset(out_.Text + pos, ' ', room);
    if (width <= 0 || text.size() > static_cast<std::size_t>(width)) return;
    const std::size_t at = static_cast<std::size_t>(width) - text.size();
    for (std::size_t i = 0; i < text.size() && at + i < room; ++i) out_.Text[pos + at + i] = text[i];
}

void TextWriter::Raw(std::size_t pos, std::string_view bytes, int width) {
    const std::size_t room = Room(pos, width);
    const std::size_t n = bytes.size() < room ? bytes.size() : room;
    if (n) std::memcpy(out_.Text + pos, bytes.data(), n);
}

std::string_view TextReader::Field(std::size_t pos, int width) const {
    if (width <= 0 || pos >= text_.size()) return {};
    return text_.substr(pos, static_cast<std::size_t>(width));
}

int32_t TextReader::Digits(std::size_t pos, int width) const { return ParseDecimal(Field(pos, width)); }

std::string_view TextReader::Chars(std::size_t pos, int width) const {
    std::string_view f = Field(pos, width);
    while (!f.empty() && f.back() == ' ') f.remove_suffix(1);
    return f;
}

std::string_view TextReader::CharsTrimmed(std::size_t pos, int width) const {
    std::string_view f = Chars(pos, width);
    while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
    return f;
}
