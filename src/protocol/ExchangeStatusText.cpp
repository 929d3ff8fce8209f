#include "protocol/ExchangeStatusText.h"

#include <cstdio>

std::optional<ExchangeStatusText> ExchangeStatusText::Decode(std::string_view text) {
    if (text.size() < 4 || text[0] != 'z') return std::nullopt;
    ExchangeStatusText status;
    // Leading digits of the two-character field, as the exchanges' other fields are read.
    for (std::size_t i = 1; i < 3 && text[i] >= '0' && text[i] <= '9'; ++i)
        status.Exchange = status.Exchange * 10 + (text[i] - '0');
    status.Status = text[3];
    return status;
}

std::string ExchangeStatusText::Message() const {
    const char* format = Status == '0' ? ReceivingMessage : Status == '1' ? ErrorMessage : nullptr;
    if (!format) return {};
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, Exchange);
    return buffer;
}
