#pragma once
// The bytes on the line: control characters, the two-byte control sequences,
// the block check character and the text frame DLE STX text DLE ETX BCC.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace Link {
inline constexpr std::uint8_t STX = 0x02;
inline constexpr std::uint8_t ETX = 0x03;
inline constexpr std::uint8_t EOT = 0x04;
inline constexpr std::uint8_t ENQ = 0x05;
inline constexpr std::uint8_t ACK = 0x06;
inline constexpr std::uint8_t DLE = 0x10;
inline constexpr std::uint8_t NAK = 0x15;

inline constexpr std::uint8_t DleEnq[2] = {DLE, ENQ};
inline constexpr std::uint8_t DleAck[2] = {DLE, ACK};
inline constexpr std::uint8_t DleNak[2] = {DLE, NAK};
inline constexpr std::uint8_t DleEot[2] = {DLE, EOT};

// The outgoing frame is assembled in a buffer of this size, so a text holds at
// most FrameCapacity - 5 bytes.
inline constexpr std::size_t FrameCapacity = 1024;
inline constexpr std::size_t MaxTextLength = FrameCapacity - 5;  // 1019
inline constexpr std::size_t FrameOverhead = 5;
}  // namespace Link

// XOR of the text bytes, then of DLE and ETX: the XOR of every byte after DLE STX
// up to and including DLE ETX. The text is taken as sent (no DLE doubling).
std::uint8_t ComputeBcc(std::string_view text);

// Writes the frame of text into out (at least text.size() + 5 bytes) and returns
// its length; 0 when the text is longer than Link::MaxTextLength (nothing written).
std::size_t BuildFrame(std::string_view text, std::uint8_t* out, std::size_t capacity);
