#pragma once
// The status text 'z' an exchange sends: bytes 1 and 2 the exchange position,
// byte 3 the status character.
#include <optional>
#include <string>
#include <string_view>

struct ExchangeStatusText {
    int Exchange = 0;  // the position as sent, 0 to 99
    char Status = 0;   // '0' busy receiving, '1' communication error, others say nothing

    static constexpr const char* ReceivingMessage = "Exchange No. %2d\nNow receiving data so you can't send ";
    static constexpr const char* ErrorMessage = "Exchange No. %2d\nCommunication Error";

    // Nothing for a text that is not a 'z' text of at least four bytes.
    static std::optional<ExchangeStatusText> Decode(std::string_view text);
    // The warning to show, or an empty text when the status shows nothing.
    std::string Message() const;
};
