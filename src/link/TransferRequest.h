#pragma once
// The record every requester hands to the transfer manager, and the result
// codes it comes back with (UM_TRANSFER_RESULT: the code in the first argument,
// the request or a ReceivedBlock as the payload).
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/LinkChannel.h"
#include "protocol/TransferResult.h"

// The request header the send routine is given: everything but the text.
struct TransferHeader {
    QObject* Requester = nullptr;
    std::uint8_t SetBits = 0;    // activity bits added on acceptance; 0 marks a release
    std::uint8_t ClearBits = 0;  // activity bits removed when the request finishes
    std::uint8_t ExchangeIndex = 0;  // 0-based
    std::uint64_t DoneBitmap = 0;    // one bit per exchange (socket mode)
};

class TransferRequest : public LinkRequest {
public:
    TransferRequest(const TransferHeader& header, std::string_view text)
        : Requester(header.Requester), SetBits(header.SetBits), ClearBits(header.ClearBits),
          ExchangeIndex(header.ExchangeIndex), DoneBitmap(header.DoneBitmap), Text(text) {}

    // A release request: set-bits 0, the given clear-bits, no text.
    static std::unique_ptr<TransferRequest> Release(QObject* requester, std::uint8_t clearBits) {
        TransferHeader h;
        h.Requester = requester;
        h.ClearBits = clearBits;
        return std::make_unique<TransferRequest>(h, std::string_view{});
    }

    std::string_view LinkText() const override { return Text; }
    bool IsRelease() const { return SetBits == 0; }

    // Guarded: a requester window that is gone when the result comes back
    // simply receives nothing.
    QPointer<QObject> Requester;
    std::uint8_t SetBits;
    std::uint8_t ClearBits;
    std::uint8_t ExchangeIndex;
    std::uint64_t DoneBitmap;
    std::string Text;
};

// What a result code means, in the words the requesters show.
inline const char* TransferResultMeaning(int code) {
    switch (code) {
    case kTransferDone: return "Done";
    case kTransferFailed: return kFailedToTransmitText;
    case kTransferOpenFailed: return kFailedToOpenDeviceText;
    case kTransferReceived: return "Text received";
    case kTransferCancelled: return "Cancelled";
    case kTransferSkipped: return "Not sent";
    default: return "Unknown result";
    }
}
