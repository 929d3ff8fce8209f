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
    bool RunUntil(const std::function<bool()>& done, int timeoutMs);

    void WriteLink(const std::uint8_t* bytes, std::size_t length) override {
        port.Write(bytes, length);
    }
    void ReportOutcome(LinkOutcome outcome) override { outcomes.push_back(std::move(outcome)); }
    void ChannelWasReset(int, std::unique_ptr<LinkRequest>) override {}
    std::unique_ptr<LinkRequest> TakeRequest(int) override;

    SerialPort port;
    LinkChannel channel;
    std::deque<std::unique_ptr<LinkRequest>> queue;
    std::vector<LinkOutcome> outcomes;

private:
    std::chrono::steady_clock::time_point nextTick_ = std::chrono::steady_clock::now();
};
