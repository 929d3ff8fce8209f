#pragma once
// The exchange's side of the link protocol: answers the PC's bid, acknowledges
// good texts and NAKs bad ones, bids with DLE ENQ when it has texts to send,
// sends them one after another and ends with DLE EOT. Pure: bytes and a clock
// in milliseconds go in, bytes come out through a callback.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

class SimLink {
public:
    struct Hooks {
        std::function<void(const std::uint8_t*, std::size_t)> write;
        // A text arrived with a good BCC; true to acknowledge it, false to NAK it.
        std::function<bool(std::string_view)> received;
        // A text arrived with a bad BCC or framing (it is NAKed).
        std::function<void(std::string_view)> rejected;
        // Whether to corrupt the BCC of the frame about to go out.
        std::function<bool(std::string_view)> corruptFrame;
        // A text of ours was acknowledged (true) or given up after the retries (false).
        std::function<void(std::string_view, bool)> sent;
    };

    static constexpr std::int64_t AnswerTimeoutMs = 3000;
    static constexpr int MaxTries = 4;
    static constexpr int TextsPerBid = 8;
    static constexpr std::int64_t BatchGapMs = 4;
    static constexpr std::size_t MaxText = 2048;

    explicit SimLink(Hooks hooks) : hooks_(std::move(hooks)) {}

    void Feed(std::uint8_t byte, std::int64_t nowMs);
    // Time-outs, and a bid when there is something to send and the line is ours.
    void Poll(std::int64_t nowMs);
    void Queue(std::string text) { out_.push_back(std::move(text)); }
    std::size_t Pending() const { return out_.size(); }
    bool Busy() const { return state_ != State::Idle; }
    // When Poll next has something to do (or a large value).
    std::int64_t NextDeadlineMs() const;

private:
    enum class State { Idle, ReceiveReady, ReceivingText, AwaitBcc, BidSent, TextSent };

    void Write(const std::uint8_t* b, std::size_t n) { if (hooks_.write) hooks_.write(b, n); }
    void Control(std::uint8_t c);
    void Bid(std::int64_t nowMs);
    void SendFrame(std::int64_t nowMs);
    void FinishText(bool acked, std::int64_t nowMs);
    void CheckText(std::uint8_t bcc, std::int64_t nowMs);

    Hooks hooks_;
    State state_ = State::Idle;
    bool dle_ = false;
    std::deque<std::string> out_;
    std::string in_;
    bool inBad_ = false;
    int tries_ = 0;
    int sentInBid_ = 0;
    std::int64_t deadline_ = 0;
    std::int64_t quietUntil_ = 0;
};
