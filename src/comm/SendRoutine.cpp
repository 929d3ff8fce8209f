#include "comm/SendRoutine.h"

#include <string>

#include "comm/MessageEvent.h"
#include "comm/ProgressTitles.h"

std::atomic<bool>& InterruptionFlag() {
    static std::atomic<bool> flag{false};
    return flag;
}

namespace {
void PostProgress(QObject* view, int message, int kind, std::string_view title, int total) {
    PostMessage(view, message, kind, total, std::make_unique<std::string>(title));
}
}  // namespace

void PostProgressOpen(QObject* view, int kind, std::string_view title, int total) {
    // Cleared here as well as when the window opens: the check below must not
    // see a Cancel of an earlier window before the posted open is handled.
    InterruptionFlag() = false;
    PostProgress(view, UM_PROGRESS_OPEN, kind, title, total);
}
void PostProgressReset(QObject* view, int kind, std::string_view title, int total) {
    PostProgress(view, UM_PROGRESS_RESET, kind, title, total);
}
void PostProgressRetitle(QObject* view, int kind, std::string_view title) {
    PostProgress(view, UM_PROGRESS_RETITLE, kind, title, 0);
}
void PostProgressStep(QObject* view) { PostMessage(view, UM_PROGRESS_STEP); }
void PostProgressEnd(QObject* view) { PostMessage(view, UM_PROGRESS_END); }

void PostCancel(QObject* view, QObject* requester, std::uint8_t clearBits) {
    PostMessage(view, UM_TRANSFER_REQUEST, 1, 0, TransferRequest::Release(requester, clearBits));
}

SendOutcome SendText(QObject* view, const TransferHeader& header, int progressMode, int progressTotal,
                     bool firstText, const EncodedText& text) {
    return SendText(view, header, progressMode, progressTotal, firstText, text.View());
}

SendOutcome SendText(QObject* view, const TransferHeader& header, int progressMode, int progressTotal,
                     bool firstText, std::string_view text) {
    if (text.size() > kMaxSettingText) text = text.substr(0, kMaxSettingText);  // what a frame can carry
    auto request = std::make_unique<TransferRequest>(header, text);
    if (const char* title = text.empty() ? nullptr : ProgressTitle(text[0])) {
        if (progressMode == kSendRetitle)
            PostProgressRetitle(view, kProgressTransmitting, title);
        else if (progressMode == kSendOpenProgress && firstText)
            PostProgressOpen(view, kProgressTransmitting, title, progressTotal);
        else if (progressMode == kSendNoProgress && firstText)
            PostProgressReset(view, kProgressTransmitting, title, progressTotal);
    }
    if (InterruptionFlag().load()) {
        PostProgressEnd(view);
        PostCancel(view, header.Requester);
        return SendOutcome::Cancelled;
    }
    PostMessage(view, UM_TRANSFER_REQUEST, 0, 0, std::move(request));
    return SendOutcome::Posted;
}
