#pragma once
// What every transfer's sequence hands the transfer engine (for the
// Upload/Download window, an editor's Upload, nx420ctl, the exit's stop
// request): the requests for the send routine, the progress window's moves,
// the message to show and the one-second supervision. Pure: the engine owns
// the send routine, the timer and the windows.
#include <cstdint>
#include <string_view>

#include "texts/SettingTextFields.h"
#include "protocol/TransferResult.h"

inline constexpr const char* kFailedToReceiveText = "Failed to receive";
inline constexpr const char* kCommTimeOutText = "Communications time-out";
inline constexpr const char* kIncorrectExchangeNoText = "Incorrect exchange No.";
inline constexpr const char* kTransmitQuestionText = "Will transmit set data. OK?";
inline constexpr const char* kTransmitQuestionTitle = "Transmission verification";
inline constexpr const char* kReceiveQuestionText = "Will receive set data. OK?";
inline constexpr const char* kReceiveQuestionTitle = "reception verification";

// Activity bits of the request header.
inline constexpr uint8_t kActivityReading = 1;  // a single request: reading on/off, dialing
inline constexpr uint8_t kActivityUpload = 2;
inline constexpr uint8_t kActivityAll = 3;

// Progress modes of the send routine.
inline constexpr int kProgressNone = 0;     // with FirstText: reset the open window to this text
inline constexpr int kProgressOpen = 1;     // with FirstText: open a new progress window
inline constexpr int kProgressRetitle = 2;  // title only

// Kinds of progress window.
enum ProgressKind : int { kProgressPrinting = 1, kProgressTransmitting = 2, kProgressReceiving = 3 };

// One request for the send routine: the header fields and the text.
struct SequenceRequest {
    uint8_t SetBits = 0;  // 0 marks a release request
    uint8_t ClearBits = 0;
    uint8_t ExchangeIndex = 0;  // 0-based
    // The user cancelled before this text went out: post a release request
    // as a cancel (argument 1) and end the progress window instead.
    bool AsCancel = false;
    int ProgressMode = kProgressNone;
    bool FirstText = false;
    int ProgressTotal = 0;
    EncodedText Text;  // empty for a release request

    bool IsRelease() const { return SetBits == 0; }
    char Letter() const { return Text.Length ? Text.Text[0] : 0; }
};

// What the driver does after one call into a sequence, in this order: step the
// progress, send, reset the progress to Receiving, end it, show the message.
struct SequenceStep {
    bool Send = false;
    SequenceRequest Request;
    bool ProgressStep = false;
    bool ProgressReceiving = false;  // reset to kind Receiving with Progress().Total
    bool ProgressEnd = false;
    const char* Message = nullptr;  // shown with the warning icon
    bool ForgetRegistration = false;  // no longer the receiver of setting texts
};

struct SequenceProgress {
    int Count = 0;
    int Total = 0;
    // Whole percent; 0 while the total is not above 0.
    int Percent() const { return Total > 0 ? static_cast<int>(int64_t{Count} * 100 / Total) : 0; }
};

enum class SequencePhase {
    Idle,       // not started
    Running,
    Completed,  // every text went through (upload) or arrived (download)
    Failed,     // a message was shown
    Cancelled,  // the user cancelled, or the transfer manager withdrew the request
};

// One transfer's rules, driven by calls: the engine feeds it every result,
// every second and the user's Cancel, and carries out the steps it returns.
class TransferSequence {
public:
    virtual ~TransferSequence() = default;
    // UM_TRANSFER_RESULT; text is the received text with code 3.
    virtual SequenceStep OnResult(int code, std::string_view text) = 0;
    // The one-second timer.
    virtual SequenceStep OnTick() = 0;
    // Cancel in the progress window, a status text from an exchange, the
    // window closing: the sequence ends at its next result or tick.
    virtual void Cancel() = 0;
    virtual SequencePhase Phase() const = 0;
    virtual SequenceProgress Progress() const = 0;
    // Waiting for texts from the exchanges (the progress says Receiving).
    virtual bool Receiving() const { return false; }
    // The text the sequence will send next if the one it sent last is
    // acknowledged, so that it can wait in the link's queue meanwhile; false
    // when the next step is not a text known now.
    virtual bool Following(SequenceRequest& /*next*/) const { return false; }
    // The result code a finished sequence ends its requester's work with:
    // 0 done, 1 failed to transmit (or timed out), 2 failed to open, 4 cancelled.
    virtual int Outcome() const = 0;
};

// The seconds counter of a running transfer and its limit.
class SecondsWatch {
public:
    static constexpr int kLimit = 120;
    void Start() { running_ = true, seconds_ = 0; }
    void Stop() { running_ = false, seconds_ = 0; }
    bool Running() const { return running_; }
    int Seconds() const { return seconds_; }
    // One second; true when the limit is reached.
    bool Tick() { return running_ && ++seconds_ >= kLimit; }

private:
    bool running_ = false;
    int seconds_ = 0;
};

// The exchange number typed for "Single": 1..switchCnt, or 0 (then the sheet
// shows kIncorrectExchangeNoText) when it is empty, not a number or outside.
int ParseExchangeNo(std::string_view typed, int switchCnt);

// The release request: set-bits 0 and the activity bits to clear.
SequenceRequest ReleaseRequest(uint8_t clearBits);
// A sequence's one asking text as the step that sends it, under a progress
// window of one step opened with it (or none).
SequenceStep RequestStep(const EncodedText& text, uint8_t setBits, uint8_t clearBits, uint8_t exchangeIndex,
                         bool progress = true);

// Ends a sequence: stops its watch, sets its phase and ends the progress
// window, with the message and, when asked, a release of every activity bit.
SequenceStep FinishSequence(SecondsWatch& watch, SequencePhase& phase, SequencePhase to, const char* message,
                            bool release);
// The result code of a sequence that ended in phase after showing message.
int OutcomeOf(SequencePhase phase, const char* message);

// Code 4, the request withdrawn: the sequence forgets its registration, and a
// running one ends as cancelled.
SequenceStep WithdrawSequence(SecondsWatch& watch, SequencePhase& phase);
