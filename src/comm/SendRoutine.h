#pragma once
// The send routine every requester uses: wraps an encoded text in a
// TransferRequest, moves the progress window by the text's command letter and
// posts the request to the main view, or a cancel instead when the user has
// pressed Cancel in the progress window since it opened.
#include <QObject>
#include <atomic>
#include <string_view>

#include "comm/SettingTextFields.h"
#include "comm/TransferRequest.h"

// Set by the progress window's Cancel button (and by an exchange's status
// text), cleared when a progress window opens; every requester polls it.
std::atomic<bool>& InterruptionFlag();

// Kinds of progress window; the first argument of the progress messages.
enum ProgressKind : int { kProgressPrinting = 1, kProgressTransmitting = 2, kProgressReceiving = 3 };

// Progress modes of the send routine.
enum SendProgressMode : int {
    kSendNoProgress = 0,  // with the first-text flag: reset the open window to this text
    kSendOpenProgress = 1,  // with the first-text flag: open a new window
    kSendRetitle = 2,       // retitle the open window
};

enum class SendOutcome { Posted, Cancelled };

// view: the main view (UM_TRANSFER_REQUEST and the progress messages go there).
SendOutcome SendText(QObject* view, const TransferHeader& header, int progressMode, int progressTotal,
                     bool firstText, const EncodedText& text);
SendOutcome SendText(QObject* view, const TransferHeader& header, int progressMode, int progressTotal,
                     bool firstText, std::string_view text);

// The progress window messages: first argument the kind, second the total,
// the title as a std::string payload.
void PostProgressOpen(QObject* view, int kind, std::string_view title, int total);
void PostProgressReset(QObject* view, int kind, std::string_view title, int total);
void PostProgressRetitle(QObject* view, int kind, std::string_view title);
void PostProgressStep(QObject* view);
void PostProgressEnd(QObject* view);
// A release request posted as a cancel (UM_TRANSFER_REQUEST, argument 1).
void PostCancel(QObject* view, QObject* requester, std::uint8_t clearBits = 3);
