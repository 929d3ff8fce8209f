#include "editors/UploadSupervision.h"

UploadOutcome UploadSupervision::Tick(bool cancelled) {
    if (!running_) return UploadOutcome::Waiting;
    ++ticks_;
    if (cancelled) {
        running_ = false;
        return UploadOutcome::Cancelled;
    }
    if (ticks_ >= kLimit) {
        running_ = false;
        return UploadOutcome::TimedOut;
    }
    return UploadOutcome::Waiting;
}

UploadOutcome UploadSupervision::Result(int code) {
    if (!running_) return UploadOutcome::Waiting;
    switch (code) {
    case kTransferDone: running_ = false; return UploadOutcome::Done;
    case kTransferFailed: running_ = false; return UploadOutcome::FailedToTransmit;
    case kTransferOpenFailed: running_ = false; return UploadOutcome::FailedToOpen;
    case kTransferCancelled: running_ = false; return UploadOutcome::Withdrawn;
    default: return UploadOutcome::Waiting;  // a received text is no answer to a send
    }
}

const char* UploadOutcomeMessage(UploadOutcome outcome) {
    switch (outcome) {
    case UploadOutcome::FailedToTransmit:
    case UploadOutcome::TimedOut: return kFailedToTransmitText;
    case UploadOutcome::FailedToOpen: return kFailedToOpenDeviceText;
    default: return nullptr;
    }
}

bool UploadOutcomeReleasesLink(UploadOutcome outcome) {
    return outcome == UploadOutcome::TimedOut || outcome == UploadOutcome::Cancelled;
}
