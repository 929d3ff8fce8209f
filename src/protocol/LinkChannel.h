#pragma once
// The per-channel record and state machine of the link protocol. It is driven by
// calls (a byte arrived, a read returned nothing, a read failed, a timer tick, a
// reset) and acts only through LinkChannelOwner: no thread, clock or port inside.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "protocol/Frame.h"
#include "protocol/ReceivedBlock.h"

enum class ChannelState : std::uint8_t {
    Idle = 0,
    EnquirySent = 1,
    TextSent = 2,
    ReceiveReady = 3,
    ReceivingText = 4,
    AwaitBcc = 5,
    LineError = 6,
};

// In priority order: when several are pending the lowest is handled first.
enum class LinkEvent : std::uint8_t {
    Idle = 0,
    DLE,
    ENQ,
    STX,
    ETX,
    EOT,
    ACK,
    NAK,
    Other,
    ReadFail,
    SendTimeout,
    ReceiveTimeout,
    CharTimeout,
    Reset,
};
inline constexpr int LinkEventCount = 14;

// High bytes of the outcome codes; the low byte is the channel number + 1.
namespace LinkOutcomeCode {
inline constexpr std::uint16_t SendDone = 0x0100;
inline constexpr std::uint16_t ReceiveData = 0x0200;
inline constexpr std::uint16_t OpenFailed = 0x8200;
inline constexpr std::uint16_t SendFailed = 0x8400;
inline constexpr std::uint16_t ReceiveFailed = 0x8500;
// A request queued to follow another one was not sent: the one it follows
// did not go through just before it.
inline constexpr std::uint16_t SendSkipped = 0x8600;
}  // namespace LinkOutcomeCode

// A text waiting to be sent. The transfer layer's request record derives from
// this and comes back with the outcome, so the requester gets its own record.
class LinkRequest {
public:
    LinkRequest() : Serial(++lastSerial_) {}
    virtual ~LinkRequest() = default;
    virtual std::string_view LinkText() const = 0;

    // Unique for the life of the process.
    const std::uint64_t Serial;
    // Not 0: queued before its turn, this request goes out only straight after
    // the request with this serial was acknowledged; otherwise it comes back
    // unsent (SendSkipped). An upload keeps its next text queued this way, so
    // the line does not wait for the requester between two texts.
    std::uint64_t Follows = 0;

private:
    static inline std::atomic<std::uint64_t> lastSerial_{0};
};

// The plain request: a text and nothing else (simulator, tools, tests).
class TextLinkRequest : public LinkRequest {
public:
    explicit TextLinkRequest(std::string_view text) : text_(text) {}
    std::string_view LinkText() const override { return text_; }

private:
    std::string text_;
};

struct LinkOutcome {
    std::uint16_t Code = 0;                  // high byte what happened, low byte channel + 1
    std::unique_ptr<LinkRequest> Request;    // with SendDone and SendFailed
    std::unique_ptr<ReceivedBlock> Block;    // with ReceiveData
};

// What a channel does to the outside world; implemented by the link worker.
class LinkChannelOwner {
public:
    virtual ~LinkChannelOwner() = default;
    virtual void WriteLink(const std::uint8_t* bytes, std::size_t length) = 0;
    virtual void ReportOutcome(LinkOutcome outcome) = 0;
    // The channel was reset; a request that was in its send slot comes back too.
    virtual void ChannelWasReset(int channel, std::unique_ptr<LinkRequest> dropped) = 0;
    // The head of the channel's send queue, or nothing.
    virtual std::unique_ptr<LinkRequest> TakeRequest(int channel) = 0;
};

class LinkChannel {
public:
    static constexpr std::uint8_t SendTicks = 30;     // 3 s of 100 ms ticks
    static constexpr std::uint8_t ReceiveTicks = 30;  // 3 s
    static constexpr std::uint8_t CharTicks = 10;     // 1 s
    static constexpr std::uint8_t RetryLimit = 3;     // repetitions after the first try
    static constexpr std::uint8_t NakLimit = 3;
    static constexpr std::size_t ReceiveCapacity = 1024;

    enum Timer { SendTimer = 0, ReceiveTimer = 1, CharTimer = 2 };

    LinkChannel() = default;
    LinkChannel(const LinkChannel&) = delete;
    LinkChannel& operator=(const LinkChannel&) = delete;

    void Bind(int number, LinkChannelOwner* owner) { number_ = number; owner_ = owner; }
    int Number() const { return number_; }

    // Called by the link worker after every read.
    void FeedByte(std::uint8_t byte);
    void IdleRead() { Handle(LinkEvent::Idle); }
    void FailedRead() { Handle(LinkEvent::ReadFail); }
    // Clears pending events, state, receive record and send slot, then tells the owner.
    void Reset();
    // The 100 ms tick: counts every non-zero timer down. Safe from another thread.
    void Tick();

    // The whole record back to the start condition without telling anyone.
    void Clear();

    static LinkEvent Classify(std::uint8_t byte);

    // Inspection, for tests and diagnostics.
    ChannelState State() const { return state_; }
    bool DleSeen() const { return dleSeen_; }
    bool TimerRunning(Timer t) const { return timerRunning_[t]; }
    std::uint8_t TimerCount(Timer t) const { return timerCount_[t].load(std::memory_order_relaxed); }
    std::size_t ReceiveCount() const { return receiveCount_; }
    std::uint8_t NakCount() const { return nakCount_; }
    std::uint8_t RetryCount() const { return retryCount_; }
    bool Sending() const { return sendSlot_ != nullptr; }
    std::uint8_t LastByte() const { return lastByte_; }

private:
    void Handle(LinkEvent event);
    void Act(LinkEvent event);
    void OnIdle(LinkEvent e);
    void OnEnquirySent(LinkEvent e);
    void OnTextSent(LinkEvent e);
    void OnReceiveReady(LinkEvent e);
    void OnReceivingText(LinkEvent e);
    void OnAwaitBcc(LinkEvent e);
    void OnLineError(LinkEvent e);

    void Go(ChannelState s) { state_ = s; dleSeen_ = false; }
    void Start(Timer t);
    void Stop(Timer t);
    void CheckTimers();
    void Write(const std::uint8_t* bytes, std::size_t n);
    void BidAgain();
    void SendAgain();
    void AnswerNak();
    void StoreByte();
    void CheckBcc();
    void FailSend();
    std::uint16_t Code(std::uint16_t high) const { return static_cast<std::uint16_t>(high | (number_ + 1)); }

    int number_ = 0;
    LinkChannelOwner* owner_ = nullptr;

    ChannelState state_ = ChannelState::Idle;
    std::uint16_t pending_ = 0;
    bool dleSeen_ = false;
    bool timerRunning_[3] = {};
    std::atomic<std::uint8_t> timerCount_[3] = {};
    std::uint8_t lastByte_ = 0;

    std::uint8_t receive_[ReceiveCapacity] = {};
    std::uint16_t receiveCount_ = 0;
    std::uint8_t nakCount_ = 0;

    std::unique_ptr<LinkRequest> sendSlot_;
    std::uint8_t frame_[Link::FrameCapacity] = {};
    std::size_t frameLength_ = 0;
    std::uint8_t retryCount_ = 0;
    std::uint64_t lastDone_ = 0;  // serial of the request acknowledged last, until the next is taken
};
