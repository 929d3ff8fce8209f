#include "maintenance/ReadingRequest.h"

#include <algorithm>

namespace {
int Exchanges(int switchCnt) { return std::clamp(switchCnt, 1, 16); }
bool Ticked(const std::vector<bool>& ticks, int i) { return i >= 0 && static_cast<std::size_t>(i) < ticks.size() && ticks[static_cast<std::size_t>(i)]; }
}  // namespace

std::string ReadingRequestText(char letter, const RequestFlags& flags) {
    std::string text(1, letter);
    text += "00";
    for (bool f : flags) text += f ? '1' : '0';
    return text;
}

bool AnyRequested(const RequestFlags& flags) { return std::any_of(flags.begin(), flags.end(), [](bool f) { return f; }); }

std::vector<std::string> SelectorItems(int switchCnt) {
    const int n = Exchanges(switchCnt);
    std::vector<std::string> items;
    for (int e = 1; e <= n; ++e) items.push_back(std::to_string(e));
    if (n >= 2) items.insert(items.end(), {kSelectorAll, kSelectorReset});
    return items;
}

std::vector<bool> TicksFromFlags(const RequestFlags& flags, int switchCnt) {
    std::vector<bool> ticks(SelectorItems(switchCnt).size(), false);
    for (int e = 0; e < Exchanges(switchCnt); ++e) ticks[static_cast<std::size_t>(e)] = flags[static_cast<std::size_t>(e)];
    return ticks;
}

std::string SelectorText(const std::vector<bool>& ticks, int switchCnt) {
    const int n = Exchanges(switchCnt);
    if (n >= 2 && Ticked(ticks, n)) return kSelectorAll;
    if (n >= 2 && Ticked(ticks, n + 1)) return {};
    std::string text;
    for (int e = 0; e < n; ++e)
        if (Ticked(ticks, e)) text += std::to_string(e + 1) + ' ';
    return text;
}

RequestFlags FlagsFromTicks(const std::vector<bool>& ticks, int switchCnt) {
    const int n = Exchanges(switchCnt);
    RequestFlags flags{};
    if (n >= 2 && Ticked(ticks, n)) {
        for (int e = 0; e < n; ++e) flags[static_cast<std::size_t>(e)] = true;
    } else if (!(n >= 2 && Ticked(ticks, n + 1))) {
        for (int e = 0; e < n; ++e) flags[static_cast<std::size_t>(e)] = Ticked(ticks, e);
    }
    return flags;
}
