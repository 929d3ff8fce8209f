#pragma once
// The upload and download sequences over BareLink without a window: what the
// sheet, the send routine and the view do, reduced to a loop. The transfer
// benchmark runs whole transfers against nx420-sim with it, beside the program's path.
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/BareLink.h"
#include "transfer/TransferSequence.h"

// Plays the send routine and the view over the bare link: a text goes on
// channel 0, a release comes straight back with code 0 (a cancel with 4),
// and the link's outcomes become result codes.
class SequenceDriver {
public:
    explicit SequenceDriver(BareLink& pc) : pc_(pc) {}
    std::vector<std::string> sent, received;
    std::vector<std::string> messages;

    // Hands first on, then feeds each result to feed(code, text) while
    // running() holds; false when the link brought nothing for deadlineMs.
    template <class Feed>
    bool Run(SequenceStep first, const Feed& feed, const std::function<bool()>& running, int deadlineMs = 120000) {
        Apply(first);
        while (running()) {
            if (!results_.empty()) {
                auto [code, text] = std::move(results_.front());
                results_.pop_front();
                Apply(feed(code, text));
                continue;
            }
            if (!pc_.RunUntil([&] { return !pc_.outcomes.empty(); }, deadlineMs)) return false;
            for (auto& o : pc_.outcomes) {
                const int high = o.Code & 0xFF00;
                if (high == LinkOutcomeCode::SendDone) results_.emplace_back(kTransferDone, "");
                else if (high == LinkOutcomeCode::SendFailed) results_.emplace_back(kTransferFailed, "");
                else if (high == LinkOutcomeCode::ReceiveData) {
                    received.emplace_back(o.Block->Text());
                    results_.emplace_back(kTransferReceived, received.back());
                }
            }
            pc_.outcomes.clear();
        }
        return true;
    }

private:
    void Apply(const SequenceStep& step) {
        if (step.Message) messages.emplace_back(step.Message);
        if (!step.Send) return;
        if (step.Request.IsRelease()) {
            results_.emplace_back(step.Request.AsCancel ? kTransferCancelled : kTransferDone, "");
            return;
        }
        sent.emplace_back(step.Request.Text.View());
        pc_.Queue(sent.back());
    }

    BareLink& pc_;
    std::deque<std::pair<int, std::string>> results_;
};

