#pragma once
// Fixed-width fields of the setting data texts: the writer fills a text with
// '0' and writes decimal and character fields over it; the reader takes them
// back out of a received text.
#include <cstddef>
#include <cstdint>
#include <string_view>

// A frame buffer of 1024 bytes leaves room for at most 1019 text bytes.
inline constexpr std::size_t kMaxSettingText = 1019;

// What the send routine takes: the text length followed by the text.
struct EncodedText {
    uint32_t Length = 0;
    char Text[kMaxSettingText] = {};
    std::string_view View() const { return {Text, Length}; }
};

class TextWriter {
public:
    // Starts a text of `length` characters (cut to the capacity), all '0'.
    TextWriter(EncodedText& out, std::size_t length);

    // The value as "%0<width>d", only its first `width` characters kept.
    void Digits(std::size_t pos, int64_t value, int width);
    // Left-aligned, space-padded, cut to the width.
    void Chars(std::size_t pos, std::string_view text, int width);
    // Right-aligned, space-padded; a text wider than the field gives spaces.
    void CharsRight(std::size_t pos, std::string_view text, int width);
    void Spaces(std::size_t pos, int width) { Chars(pos, {}, width); }
    // Bytes copied unchanged, at most `width` of them; the rest stays '0'.
    void Raw(std::size_t pos, std::string_view bytes, int width);

private:
    // The part of [pos, pos + width) inside the text; writes never leave it.
    std::size_t Room(std::size_t pos, int width) const;
    EncodedText& out_;
};

class TextReader {
public:
    explicit TextReader(std::string_view text) : text_(text) {}
    std::size_t Size() const { return text_.size(); }
    // A decimal field by its digits (leading blanks and a sign allowed);
    // nothing readable gives 0.
    int32_t Digits(std::size_t pos, int width) const;
    // A character field up to its last non-space character.
    std::string_view Chars(std::size_t pos, int width) const;
    // A character field without the spaces on either side.
    std::string_view CharsTrimmed(std::size_t pos, int width) const;
    bool Blank(std::size_t pos, int width) const { return Chars(pos, width).empty(); }

private:
    std::string_view Field(std::size_t pos, int width) const;
    std::string_view text_;
};
