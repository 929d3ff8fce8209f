#pragma once
// What comes back to a requester for each transfer request, and the two
// failure messages every requester shows for it.

inline constexpr const char* kFailedToTransmitText = "Failed to transmit";
inline constexpr const char* kFailedToOpenDeviceText = "Failed to open the device";

// Result codes of a transfer request.
enum TransferResultCode : int {
    kTransferDone = 0,
    kTransferFailed = 1,
    kTransferOpenFailed = 2,
    kTransferReceived = 3,
    kTransferCancelled = 4,
    // A text queued ahead of its turn (LinkRequest::Follows) was not sent;
    // its requester sends it again in the usual way if it still wants it.
    kTransferSkipped = 5,
};
