#include "support/BareLink.h"

std::unique_ptr<LinkRequest> BareLink::TakeRequest(int) {
    if (queue.empty()) return nullptr;
    auto r = std::move(queue.front());
    queue.pop_front();
    return r;
}

bool BareLink::RunUntil(const std::function<bool()>& done, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto now = Clock::now();
        if (now >= deadline) return false;
        while (now >= nextTick_) {
            channel.Tick();
            nextTick_ += std::chrono::milliseconds(100);
        }
        std::uint8_t b = 0;
        switch (port.ReadByte(b)) {
        case SerialPort::ReadResult::Byte: channel.FeedByte(b); break;
        case SerialPort::ReadResult::Nothing: channel.IdleRead(); break;
        case SerialPort::ReadResult::Failed: channel.FailedRead(); break;
        }
    }
    return true;
}
