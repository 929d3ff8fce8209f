#include "protocol/LinkChannel.h"

#include <bit>

namespace {
constexpr std::uint16_t Bit(LinkEvent e) { return static_cast<std::uint16_t>(1u << static_cast<int>(e)); }
constexpr bool IsByteEvent(LinkEvent e) { return e >= LinkEvent::DLE && e <= LinkEvent::Other; }
}  // namespace

LinkEvent LinkChannel::Classify(std::uint8_t byte) {
    switch (byte) {
    case Link::DLE: return LinkEvent::DLE;
    case Link::ENQ: return LinkEvent::ENQ;
    case Link::STX: return LinkEvent::STX;
    case Link::ETX: return LinkEvent::ETX;
    case Link::EOT: return LinkEvent::EOT;
    case Link::ACK: return LinkEvent::ACK;
    case Link::NAK: return LinkEvent::NAK;
    default: return LinkEvent::Other;
    }
}

void LinkChannel::FeedByte(std::uint8_t byte) {
    lastByte_ = byte;
    Handle(Classify(byte));
}

void LinkChannel::Reset() { Handle(LinkEvent::Reset); }

void LinkChannel::Tick() {
    // The worker may restart a timer meanwhile; compare-and-swap keeps its new
    // count instead of overwriting it with a decrement of the old one.
    for (auto& count : timerCount_) {
        std::uint8_t v = count.load(std::memory_order_relaxed);
        while (v != 0 && !count.compare_exchange_weak(v, static_cast<std::uint8_t>(v - 1),
                                                       std::memory_order_relaxed)) {
        }
    }
}

void LinkChannel::Clear() {
    state_ = ChannelState::Idle;
    pending_ = 0;
    dleSeen_ = false;
    for (int t = 0; t < 3; ++t) {
        timerRunning_[t] = false;
        timerCount_[t].store(0, std::memory_order_relaxed);
    }
    lastByte_ = 0;
    receiveCount_ = 0;
    nakCount_ = 0;
    sendSlot_.reset();
    frameLength_ = 0;
    retryCount_ = 0;
    lastDone_ = 0;
}

void LinkChannel::Handle(LinkEvent event) {
    pending_ |= Bit(event);
    while (pending_) {
        const auto next = static_cast<LinkEvent>(std::countr_zero(pending_));
        pending_ &= static_cast<std::uint16_t>(~Bit(next));
        Act(next);
    }
}

void LinkChannel::Act(LinkEvent e) {
    if (e == LinkEvent::Reset) {
        std::unique_ptr<LinkRequest> dropped = std::move(sendSlot_);
        Clear();
        if (owner_) owner_->ChannelWasReset(number_, std::move(dropped));
        return;
    }
    switch (state_) {
    case ChannelState::Idle: OnIdle(e); break;
    case ChannelState::EnquirySent: OnEnquirySent(e); break;
    case ChannelState::TextSent: OnTextSent(e); break;
    case ChannelState::ReceiveReady: OnReceiveReady(e); break;
    case ChannelState::ReceivingText: OnReceivingText(e); break;
    case ChannelState::AwaitBcc: OnAwaitBcc(e); break;
    case ChannelState::LineError: OnLineError(e); break;
    }
}

void LinkChannel::Start(Timer t) {
    static constexpr std::uint8_t ticks[3] = {SendTicks, ReceiveTicks, CharTicks};
    timerRunning_[t] = true;
    timerCount_[t].store(ticks[t], std::memory_order_relaxed);
}

void LinkChannel::Stop(Timer t) {
    timerRunning_[t] = false;
    timerCount_[t].store(0, std::memory_order_relaxed);
}

// Expiry is noticed only here, on a read that returned nothing.
void LinkChannel::CheckTimers() {
    static constexpr LinkEvent timeouts[3] = {LinkEvent::SendTimeout, LinkEvent::ReceiveTimeout,
                                              LinkEvent::CharTimeout};
    for (int t = 0; t < 3; ++t) {
        if (timerRunning_[t] && timerCount_[t].load(std::memory_order_relaxed) == 0) {
            timerRunning_[t] = false;
            Handle(timeouts[t]);
        }
    }
}

void LinkChannel::Write(const std::uint8_t* bytes, std::size_t n) {
    if (owner_) owner_->WriteLink(bytes, n);
}

void LinkChannel::OnIdle(LinkEvent e) {
    switch (e) {
    case LinkEvent::Idle: {
        if (!owner_) return;
        std::unique_ptr<LinkRequest> request = owner_->TakeRequest(number_);
        if (!request) return;
        const bool follows = request->Follows == 0 || request->Follows == lastDone_;
        lastDone_ = 0;
        if (!follows) {
            owner_->ReportOutcome({Code(LinkOutcomeCode::SendSkipped), std::move(request), nullptr});
            pending_ |= Bit(LinkEvent::Idle);  // the next in the queue may go
            return;
        }
        frameLength_ = BuildFrame(request->LinkText(), frame_, sizeof frame_);
        if (frameLength_ == 0) {
            // A text that cannot be framed would overrun the frame buffer: fail it
            // at once instead of sending something else.
            owner_->ReportOutcome({Code(LinkOutcomeCode::SendFailed), std::move(request), nullptr});
            return;
        }
        sendSlot_ = std::move(request);
        retryCount_ = 0;
        Write(Link::DleEnq, 2);
        Start(SendTimer);
        Go(ChannelState::EnquirySent);
        return;
    }
    case LinkEvent::DLE: dleSeen_ = true; return;
    case LinkEvent::ENQ:
        if (dleSeen_) {
            nakCount_ = 0;
            Write(Link::DleAck, 2);
            Start(ReceiveTimer);
            Go(ChannelState::ReceiveReady);
        }
        return;
    default: dleSeen_ = false; return;
    }
}

void LinkChannel::FailSend() {
    if (owner_) owner_->ReportOutcome({Code(LinkOutcomeCode::SendFailed), std::move(sendSlot_), nullptr});
    sendSlot_.reset();
    Go(ChannelState::Idle);
}

void LinkChannel::BidAgain() {
    Stop(SendTimer);
    dleSeen_ = false;
    if (++retryCount_ > RetryLimit) return FailSend();
    Write(Link::DleEnq, 2);
    Start(SendTimer);
    Go(ChannelState::EnquirySent);
}

void LinkChannel::SendAgain() {
    Stop(SendTimer);
    dleSeen_ = false;
    if (++retryCount_ > RetryLimit) return FailSend();
    Write(frame_, frameLength_);
    Start(SendTimer);
}

void LinkChannel::OnEnquirySent(LinkEvent e) {
    switch (e) {
    case LinkEvent::Idle: CheckTimers(); return;
    case LinkEvent::DLE: dleSeen_ = true; return;
    case LinkEvent::ACK:
        if (dleSeen_) {
            Write(frame_, frameLength_);
            Start(SendTimer);
            Go(ChannelState::TextSent);
        }
        return;
    case LinkEvent::NAK:
        if (dleSeen_) BidAgain();
        return;
    case LinkEvent::SendTimeout: BidAgain(); return;
    default: dleSeen_ = false; return;
    }
}

void LinkChannel::OnTextSent(LinkEvent e) {
    switch (e) {
    case LinkEvent::Idle: CheckTimers(); return;
    case LinkEvent::DLE: dleSeen_ = true; return;
    case LinkEvent::ACK:
        if (dleSeen_) {
            Stop(SendTimer);
            Write(Link::DleEot, 2);
            std::unique_ptr<LinkRequest> done = std::move(sendSlot_);
            lastDone_ = done ? done->Serial : 0;
            Go(ChannelState::Idle);
            if (owner_) owner_->ReportOutcome({Code(LinkOutcomeCode::SendDone), std::move(done), nullptr});
            // A text already queued goes at once, not after the next empty read.
            pending_ |= Bit(LinkEvent::Idle);
        }
        return;
    case LinkEvent::NAK:
        if (dleSeen_) SendAgain();
        return;
    case LinkEvent::SendTimeout: SendAgain(); return;
    default: dleSeen_ = false; return;
    }
}

void LinkChannel::OnReceiveReady(LinkEvent e) {
    switch (e) {
    case LinkEvent::Idle: CheckTimers(); return;
    case LinkEvent::DLE:
        Start(CharTimer);
        if (dleSeen_) Go(ChannelState::LineError);
        else dleSeen_ = true;
        return;
    case LinkEvent::ENQ:
        Start(CharTimer);
        if (!dleSeen_) return Go(ChannelState::LineError);
        nakCount_ = 0;
        Write(Link::DleAck, 2);
        Start(ReceiveTimer);
        dleSeen_ = false;
        return;
    case LinkEvent::STX:
        Start(CharTimer);
        if (!dleSeen_) return Go(ChannelState::LineError);
        receiveCount_ = 0;
        Go(ChannelState::ReceivingText);
        return;
    case LinkEvent::EOT:
        Start(CharTimer);
        if (!dleSeen_) return Go(ChannelState::LineError);
        Stop(ReceiveTimer);
        Stop(CharTimer);
        Go(ChannelState::Idle);
        // A request that waited through the exchange's texts bids at once,
        // before the exchange bids again.
        pending_ |= Bit(LinkEvent::Idle);
        return;
    case LinkEvent::ETX:
    case LinkEvent::ACK:
    case LinkEvent::NAK:
    case LinkEvent::Other:
    case LinkEvent::ReadFail:
        Start(CharTimer);
        Go(ChannelState::LineError);
        return;
    case LinkEvent::ReceiveTimeout: Go(ChannelState::Idle); return;
    default: dleSeen_ = false; return;  // SendTimeout, CharTimeout
    }
}

// A full buffer sends the channel to LineError instead.
void LinkChannel::StoreByte() {
    if (receiveCount_ < ReceiveCapacity) {
        receive_[receiveCount_++] = lastByte_;
    } else {
        Go(ChannelState::LineError);
    }
}

void LinkChannel::OnReceivingText(LinkEvent e) {
    switch (e) {
    case LinkEvent::Idle: CheckTimers(); return;
    case LinkEvent::DLE:
        Start(CharTimer);
        if (dleSeen_) {
            dleSeen_ = false;
            StoreByte();
        } else {
            dleSeen_ = true;
        }
        return;
    case LinkEvent::ENQ:
    case LinkEvent::STX:
    case LinkEvent::EOT:
    case LinkEvent::ACK:
    case LinkEvent::NAK:
    case LinkEvent::Other:
        Start(CharTimer);
        if (dleSeen_) Go(ChannelState::LineError);
        else StoreByte();
        return;
    case LinkEvent::ETX: {
        Start(CharTimer);
        const bool ends = dleSeen_;
        StoreByte();
        if (ends && state_ == ChannelState::ReceivingText) Go(ChannelState::AwaitBcc);
        return;
    }
    case LinkEvent::ReadFail:
        Start(CharTimer);
        Go(ChannelState::LineError);
        return;
    case LinkEvent::ReceiveTimeout:
        Start(CharTimer);
        Go(ChannelState::Idle);
        return;
    case LinkEvent::CharTimeout: AnswerNak(); return;
    default: dleSeen_ = false; return;  // SendTimeout
    }
}

void LinkChannel::CheckBcc() {
    // A stored 0x10 came in doubled, so its two line bytes cancel out.
    std::uint8_t bcc = Link::DLE;
    for (std::size_t i = 0; i < receiveCount_; ++i)
        if (receive_[i] != Link::DLE) bcc ^= receive_[i];
    if (bcc != lastByte_) return AnswerNak();
    if (receiveCount_ > 1 && owner_) {
        auto block = std::make_unique<ReceivedBlock>(
            std::string_view(reinterpret_cast<const char*>(receive_), receiveCount_ - 1u));
        owner_->ReportOutcome({Code(LinkOutcomeCode::ReceiveData), nullptr, std::move(block)});
    }
    Write(Link::DleAck, 2);
    nakCount_ = 0;
    Start(ReceiveTimer);
    Go(ChannelState::ReceiveReady);
}

void LinkChannel::OnAwaitBcc(LinkEvent e) {
    if (IsByteEvent(e)) {
        Stop(CharTimer);
        return CheckBcc();
    }
    switch (e) {
    case LinkEvent::ReadFail:
    case LinkEvent::CharTimeout: AnswerNak(); return;
    case LinkEvent::Idle: CheckTimers(); return;
    case LinkEvent::ReceiveTimeout:
        Start(CharTimer);
        Go(ChannelState::Idle);
        return;
    default: dleSeen_ = false; return;  // SendTimeout
    }
}

void LinkChannel::OnLineError(LinkEvent e) {
    if (IsByteEvent(e) || e == LinkEvent::ReadFail) return Start(CharTimer);
    switch (e) {
    case LinkEvent::Idle: CheckTimers(); return;
    case LinkEvent::ReceiveTimeout:
        Start(CharTimer);
        Go(ChannelState::Idle);
        return;
    case LinkEvent::CharTimeout: AnswerNak(); return;
    default: dleSeen_ = false; return;  // SendTimeout
    }
}

void LinkChannel::AnswerNak() {
    Stop(CharTimer);
    Write(Link::DleNak, 2);
    if (++nakCount_ > NakLimit) {
        Go(ChannelState::Idle);
        if (owner_) owner_->ReportOutcome({Code(LinkOutcomeCode::ReceiveFailed), nullptr, nullptr});
        return;
    }
    Start(ReceiveTimer);
    Go(ChannelState::ReceiveReady);
}
