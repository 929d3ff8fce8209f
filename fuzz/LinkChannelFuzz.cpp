// Drives one LinkChannel with arbitrary line bytes mixed with idle reads, failed
// reads, ticks, queued requests and resets, and checks what comes out.
//
// Input script, byte by byte: F0 idle read, F1 failed read, F2 n: n % 64 ticks,
// F3 hi lo: queue a text of ((hi << 8 | lo) % 1100) bytes taken from the rest of
// the input (cycled), F4 reset, F5 b: feed b as it is; any other byte is fed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>

#include "protocol/Frame.h"
#include "protocol/LinkChannel.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

struct FuzzOwner : LinkChannelOwner {
    int channel = 0;
    std::deque<std::unique_ptr<LinkRequest>> queue;
    long queued = 0;
    long returned = 0;

    void WriteLink(const std::uint8_t* b, std::size_t n) override {
        if (n == 2) {
            Check(b[0] == Link::DLE && (b[1] == Link::ENQ || b[1] == Link::ACK || b[1] == Link::NAK ||
                                        b[1] == Link::EOT));
            return;
        }
        Check(n >= 5 && n <= Link::FrameCapacity && b[0] == Link::DLE && b[1] == Link::STX &&
              b[n - 3] == Link::DLE && b[n - 2] == Link::ETX);
        std::string_view text(reinterpret_cast<const char*>(b + 2), n - 5);
        Check(ComputeBcc(text) == b[n - 1]);
    }
    void ReportOutcome(LinkOutcome o) override {
        Check((o.Code & 0xFF) == channel + 1);
        switch (o.Code & 0xFF00) {
        case LinkOutcomeCode::SendDone:
        case LinkOutcomeCode::SendFailed:
            Check(o.Request && !o.Block);
            ++returned;
            break;
        case LinkOutcomeCode::ReceiveData:
            Check(o.Block && !o.Request && o.Block->Length() >= 1 && o.Block->Length() <= 1023);
            Check(o.Block->Text().size() == o.Block->Length());
            break;
        case LinkOutcomeCode::ReceiveFailed: Check(!o.Block && !o.Request); break;
        default: Check(false);
        }
    }
    void ChannelWasReset(int number, std::unique_ptr<LinkRequest> dropped) override {
        Check(number == channel);
        if (dropped) ++returned;
    }
    std::unique_ptr<LinkRequest> TakeRequest(int number) override {
        Check(number == channel);
        if (queue.empty()) return nullptr;
        auto r = std::move(queue.front());
        queue.pop_front();
        return r;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    FuzzOwner owner;
    owner.channel = data[0] % 16;
    LinkChannel channel;
    channel.Bind(owner.channel, &owner);
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint8_t b = data[i];
        switch (b) {
        case 0xF0: channel.IdleRead(); break;
        case 0xF1: channel.FailedRead(); break;
        case 0xF2:
            if (i + 1 < size)
                for (int n = data[++i] % 64; n > 0; --n) channel.Tick();
            break;
        case 0xF3: {
            if (i + 2 >= size) break;
            const std::size_t length = (static_cast<std::size_t>(data[i + 1]) << 8 | data[i + 2]) % 1100;
            i += 2;
            // Whole stretches, not byte by byte: a per-byte loop here took a third of the run time.
            std::string text;
            text.reserve(length);
            while (text.size() < length)
                text.append(reinterpret_cast<const char*>(data + 1), std::min(length - text.size(), size - 1));
            owner.queue.push_back(std::make_unique<TextLinkRequest>(text));
            ++owner.queued;
            break;
        }
        case 0xF4: channel.Reset(); break;
        case 0xF5:
            if (i + 1 < size) channel.FeedByte(data[++i]);
            break;
        default: channel.FeedByte(b); break;
        }
        Check(channel.ReceiveCount() <= LinkChannel::ReceiveCapacity);
        Check(static_cast<int>(channel.State()) <= 6);
        // Every request is somewhere: queued, being sent, or handed back once.
        Check(owner.queued == owner.returned + static_cast<long>(owner.queue.size()) + (channel.Sending() ? 1 : 0));
    }
    return 0;
}
