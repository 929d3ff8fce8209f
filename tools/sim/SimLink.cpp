#include "SimLink.h"

#include <limits>

#include "protocol/Frame.h"

void SimLink::Control(std::uint8_t c) {
    const std::uint8_t b[2] = {Link::DLE, c};
    Write(b, 2);
}

void SimLink::Bid(std::int64_t nowMs) {
    Control(Link::ENQ);
    state_ = State::BidSent;
    deadline_ = nowMs + AnswerTimeoutMs;
}

void SimLink::SendFrame(std::int64_t nowMs) {
    std::uint8_t frame[Link::FrameCapacity];
    const std::string& text = out_.front();
    std::size_t n = BuildFrame(text, frame, sizeof frame);
    if (n == 0) {  // cannot be framed: give it up
        FinishText(false, nowMs);
        return;
    }
    if (hooks_.corruptFrame && hooks_.corruptFrame(text)) frame[n - 1] ^= 0x5A;
    Write(frame, n);
    state_ = State::TextSent;
    deadline_ = nowMs + AnswerTimeoutMs;
}

void SimLink::FinishText(bool acked, std::int64_t nowMs) {
    if (hooks_.sent) hooks_.sent(out_.front(), acked);
    out_.pop_front();
    tries_ = 0;
    if (acked && !out_.empty() && ++sentInBid_ < TextsPerBid) {
        tries_ = 1;
        SendFrame(nowMs);
        return;
    }
    Control(Link::EOT);
    state_ = State::Idle;
    // Let the PC bid between our batches: it bids as soon as our DLE EOT is
    // in, and its DLE ENQ takes two byte times at 19200 baud.
    quietUntil_ = nowMs + BatchGapMs;
}

void SimLink::CheckText(std::uint8_t bcc, std::int64_t nowMs) {
    std::uint8_t expect = Link::DLE ^ Link::ETX;
    for (char c : in_)
        if (static_cast<std::uint8_t>(c) != Link::DLE) expect ^= static_cast<std::uint8_t>(c);
    const bool good = !inBad_ && expect == bcc;
    bool ack = false;
    if (good) ack = hooks_.received ? hooks_.received(in_) : true;
    else if (hooks_.rejected) hooks_.rejected(in_);
    Control(ack ? Link::ACK : Link::NAK);
    state_ = State::ReceiveReady;
    deadline_ = nowMs + AnswerTimeoutMs;
}

void SimLink::Feed(std::uint8_t b, std::int64_t nowMs) {
    if (state_ == State::AwaitBcc) return CheckText(b, nowMs);
    if (state_ == State::ReceivingText) {
        if (dle_) {
            dle_ = false;
            if (b == Link::ETX) {
                state_ = State::AwaitBcc;
                return;
            }
            if (b != Link::DLE) inBad_ = true;
        } else if (b == Link::DLE) {
            dle_ = true;
            return;
        }
        if (in_.size() < MaxText) in_.push_back(static_cast<char>(b));
        else inBad_ = true;
        return;
    }
    if (!dle_) {
        dle_ = b == Link::DLE;
        return;
    }
    dle_ = false;
    switch (state_) {
    case State::Idle:
    case State::ReceiveReady:
    case State::BidSent:  // the PC bids too: give way, our texts wait
        if (b == Link::ENQ) {
            Control(Link::ACK);
            state_ = State::ReceiveReady;
            deadline_ = nowMs + AnswerTimeoutMs;
        } else if ((state_ == State::ReceiveReady || state_ == State::Idle) && b == Link::STX) {
            // Also from Idle: our wait for the text may have run out just as the
            // PC repeated it after losing our acknowledgement.
            in_.clear();
            inBad_ = false;
            state_ = State::ReceivingText;
        } else if (state_ == State::ReceiveReady && b == Link::EOT) {
            state_ = State::Idle;
            quietUntil_ = nowMs + 20;
        } else if (state_ == State::BidSent && b == Link::ACK) {
            tries_ = 1;
            sentInBid_ = 0;
            SendFrame(nowMs);
        } else if (state_ == State::BidSent && b == Link::NAK) {
            if (++tries_ >= MaxTries) tries_ = 0, state_ = State::Idle, quietUntil_ = nowMs + 1000;
            else Bid(nowMs);
        }
        return;
    case State::TextSent:
        if (b == Link::ACK) {
            FinishText(true, nowMs);
        } else if (b == Link::NAK) {
            if (++tries_ > MaxTries) FinishText(false, nowMs);
            else SendFrame(nowMs);
        }
        return;
    default: return;
    }
}

void SimLink::Poll(std::int64_t nowMs) {
    switch (state_) {
    case State::Idle:
        if (!out_.empty() && nowMs >= quietUntil_) {
            ++tries_;
            Bid(nowMs);
        }
        return;
    case State::BidSent:
        if (nowMs < deadline_) return;
        if (tries_ >= MaxTries) {
            tries_ = 0;
            state_ = State::Idle;
            quietUntil_ = nowMs + 1000;
        } else {
            ++tries_;
            Bid(nowMs);
        }
        return;
    case State::TextSent:
        if (nowMs < deadline_) return;
        if (++tries_ > MaxTries) FinishText(false, nowMs);
        else SendFrame(nowMs);
        return;
    default:
        if (nowMs >= deadline_) {
            state_ = State::Idle;
            dle_ = false;
        }
        return;
    }
}

std::int64_t SimLink::NextDeadlineMs() const {
    if (state_ == State::Idle)
        return out_.empty() ? std::numeric_limits<std::int64_t>::max() : quietUntil_;
    return deadline_;
}
