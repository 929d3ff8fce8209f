#include "protocol/ReceivedBlock.h"

#include <cstring>

ReceivedBlock::ReceivedBlock(std::string_view text)
    : bytes_(new std::uint8_t[HeaderSize + text.size()]()) {
    const auto n = static_cast<std::uint32_t>(text.size());
    for (int i = 0; i < 4; ++i) bytes_[LengthOffset + i] = static_cast<std::uint8_t>(n >> (8 * i));
    if (n) std::memcpy(bytes_.get() + HeaderSize, text.data(), n);
}

std::uint32_t ReceivedBlock::Length() const {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = n << 8 | bytes_[LengthOffset + i];
    return n;
}

std::string_view ReceivedBlock::Text() const {
    return std::string_view(reinterpret_cast<const char*>(bytes_.get() + HeaderSize), Length());
}

ReceivedTextKind ClassifyReceivedText(std::string_view text) {
    if (text.empty()) return ReceivedTextKind::Unused;
    const char c = text[0];
    if (c == 'K') return ReceivedTextKind::DialingAssignment;
    if ((c >= 'A' && c <= 'J') || (c >= 'L' && c <= 'Q') || c == 'U') return ReceivedTextKind::SettingData;
    if (c == 'o') return ReceivedTextKind::LogData;
    if (c == 'p') return ReceivedTextKind::MonitorData;
    if (c == 'z') return ReceivedTextKind::ExchangeStatus;
    return ReceivedTextKind::Unused;
}
