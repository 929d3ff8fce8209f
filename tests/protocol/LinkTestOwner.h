#pragma once
// A channel with an owner that records what it does, driven by a small script
// language: hex bytes ("10 05"), I (idle read), F (failed read), T<n> (n ticks),
// R (reset), Q:<text> (queue a request), Q+:<text> (queue one that follows the
// request queued before it).
#include <cstdio>
#include <deque>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "protocol/LinkChannel.h"

// Bytes as space-separated hex, the way the scripts write them.
inline std::string HexBytes(const std::uint8_t* bytes, std::size_t length) {
    std::string s;
    char hex[4];
    for (std::size_t i = 0; i < length; ++i) {
        std::snprintf(hex, sizeof hex, i ? " %02x" : "%02x", bytes[i]);
        s += hex;
    }
    return s;
}

struct LinkTestOwner : LinkChannelOwner {
    LinkChannel channel;
    std::string written;  // hex, space separated
    std::vector<LinkOutcome> outcomes;
    std::vector<std::string> resets;  // text of the dropped request, "" when none
    std::deque<std::unique_ptr<LinkRequest>> queue;
    std::uint64_t lastQueued = 0;

    void WriteLink(const std::uint8_t* bytes, std::size_t length) override {
        written += (written.empty() || !length ? "" : " ") + HexBytes(bytes, length);
    }
    void ReportOutcome(LinkOutcome outcome) override { outcomes.push_back(std::move(outcome)); }
    void ChannelWasReset(int, std::unique_ptr<LinkRequest> dropped) override {
        resets.push_back(dropped ? std::string(dropped->LinkText()) : std::string());
    }
    std::unique_ptr<LinkRequest> TakeRequest(int) override {
        if (queue.empty()) return nullptr;
        auto r = std::move(queue.front());
        queue.pop_front();
        return r;
    }
    explicit LinkTestOwner(int number = 0) { channel.Bind(number, this); }

    void Run(const std::string& script) {
        std::istringstream in(script);
        std::string token;
        while (in >> token) {
            if (token == "I") channel.IdleRead();
            else if (token == "F") channel.FailedRead();
            else if (token == "R") channel.Reset();
            else if (token[0] == 'T') for (int n = std::stoi(token.substr(1)); n > 0; --n) channel.Tick();
            else if (token.rfind("Q:", 0) == 0 || token.rfind("Q+:", 0) == 0) {
                auto request = std::make_unique<TextLinkRequest>(token.substr(token.find(':') + 1));
                if (token[1] == '+') request->Follows = lastQueued;
                lastQueued = request->Serial;
                queue.push_back(std::move(request));
            } else channel.FeedByte(static_cast<std::uint8_t>(std::stoi(token, nullptr, 16)));
        }
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const auto& o : outcomes) codes.push_back(o.Code);
        return codes;
    }
};
