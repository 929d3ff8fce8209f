#pragma once
// The PC side reduced to its bones: a serial port, channel 0 and the read loop
// with a 100 ms tick, all on the calling thread. Tests and benchmarks drive the
// simulator with it and compare the threaded link worker against it.
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "protocol/LinkChannel.h"
#include "port/SerialPort.h"

class BareLink : public LinkChannelOwner {
public:
    BareLink() { channel.Bind(0, this); }

    bool Open(const std::string& path) { return port.Open(path); }
    // Queues a text and ends the current read wait, so the idle channel takes it at once.
    void Queue(std::string text) {
        queue.push_back(std::make_unique<TextLinkRequest>(text));
        port.Wake();
    }
    // Runs the read loop until done() holds or timeoutMs passed; returns done().
    bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
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

    void WriteLink(const std::uint8_t* bytes, std::size_t length) override {
        port.Write(bytes, length);
    }
    void ReportOutcome(LinkOutcome outcome) override { outcomes.push_back(std::move(outcome)); }
    void ChannelWasReset(int, std::unique_ptr<LinkRequest>) override {}
    std::unique_ptr<LinkRequest> TakeRequest(int) override {
        if (queue.empty()) return nullptr;
        auto r = std::move(queue.front());
        queue.pop_front();
        return r;
    }

    SerialPort port;
    LinkChannel channel;
    std::deque<std::unique_ptr<LinkRequest>> queue;
    std::vector<LinkOutcome> outcomes;

private:
    std::chrono::steady_clock::time_point nextTick_ = std::chrono::steady_clock::now();
};
