#pragma once
// One text received from an exchange, as the link worker hands it on: a 20-byte
// header whose last four bytes (offset 16) hold the text length as a 32-bit
// unsigned number (least significant byte first), then the text without its ETX.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

class ReceivedBlock {
public:
    static constexpr std::size_t HeaderSize = 20;
    static constexpr std::size_t LengthOffset = 16;

    explicit ReceivedBlock(std::string_view text);

    std::uint32_t Length() const;
    std::string_view Text() const;
    // The whole block, header and text.
    const std::uint8_t* Bytes() const { return bytes_.get(); }
    std::size_t Size() const { return HeaderSize + Length(); }

private:
    std::unique_ptr<std::uint8_t[]> bytes_;
};

// What the receiver does with a text, chosen by its first byte.
enum class ReceivedTextKind {
    SettingData,        // A to J, L to Q, U: the upload/download window
    DialingAssignment,  // K: the dialing assignment window
    LogData,            // o: a LogRecord
    MonitorData,        // p: a MonitorRecord
    ExchangeStatus,     // z: ExchangeStatusText
    Unused,             // anything else is dropped
};

ReceivedTextKind ClassifyReceivedText(std::string_view text);
