#include "protocol/Frame.h"

#include <cstring>

std::uint8_t ComputeBcc(std::string_view text) {
    std::uint8_t bcc = 0;
    for (char c : text) bcc ^= static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>(bcc ^ Link::DLE ^ Link::ETX);
}

std::size_t BuildFrame(std::string_view text, std::uint8_t* out, std::size_t capacity) {
    const std::size_t length = text.size() + Link::FrameOverhead;
    if (text.size() > Link::MaxTextLength || length > capacity) return 0;
    out[0] = Link::DLE;
    out[1] = Link::STX;
    if (!text.empty()) std::memcpy(out + 2, text.data(), text.size());
    out[2 + text.size()] = Link::DLE;
    out[3 + text.size()] = Link::ETX;
    out[4 + text.size()] = ComputeBcc(text);
    return length;
}
