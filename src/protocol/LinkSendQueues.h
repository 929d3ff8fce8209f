#pragma once
// The send queues of the 16 channels: filled on the user-interface thread,
// emptied by the link worker, so guarded by a mutex.
#include <array>
#include <deque>
#include <memory>
#include <mutex>

#include "protocol/LinkChannel.h"

class LinkSendQueues {
public:
    static constexpr int Channels = 16;

    void Push(int channel, std::unique_ptr<LinkRequest> request) {
        if (channel < 0 || channel >= Channels || !request) return;
        std::lock_guard lock(mutex_);
        queues_[static_cast<std::size_t>(channel)].push_back(std::move(request));
    }
    std::unique_ptr<LinkRequest> Take(int channel) {
        if (channel < 0 || channel >= Channels) return nullptr;
        std::lock_guard lock(mutex_);
        auto& q = queues_[static_cast<std::size_t>(channel)];
        if (q.empty()) return nullptr;
        auto r = std::move(q.front());
        q.pop_front();
        return r;
    }
    // Takes the request with this serial out of the queue, if it is still there.
    std::unique_ptr<LinkRequest> Withdraw(int channel, std::uint64_t serial) {
        if (channel < 0 || channel >= Channels) return nullptr;
        std::lock_guard lock(mutex_);
        auto& q = queues_[static_cast<std::size_t>(channel)];
        for (auto it = q.begin(); it != q.end(); ++it) {
            if ((*it)->Serial != serial) continue;
            auto r = std::move(*it);
            q.erase(it);
            return r;
        }
        return nullptr;
    }
    std::size_t Size(int channel) const {
        std::lock_guard lock(mutex_);
        return queues_.at(static_cast<std::size_t>(channel)).size();
    }

private:
    mutable std::mutex mutex_;
    std::array<std::deque<std::unique_ptr<LinkRequest>>, Channels> queues_;
};
