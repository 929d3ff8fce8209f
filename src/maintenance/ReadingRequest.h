#pragma once
// Switching log ('O') or monitor ('P') reading on and off at the exchanges:
// the request text and the exchange selector's rules.
#include <array>
#include <string>
#include <vector>

// One flag per exchange position 1 to 16: asked to report.
using RequestFlags = std::array<bool, 16>;

inline constexpr const char* kSelectorAll = "ALL";
inline constexpr const char* kSelectorReset = "RESET";

// letter, "00", then '1' or '0' for exchanges 1 to 16: 19 characters.
std::string ReadingRequestText(char letter, const RequestFlags& flags);
bool AnyRequested(const RequestFlags& flags);

// "1" to switchCnt, then "ALL" and "RESET" when there are two or more.
std::vector<std::string> SelectorItems(int switchCnt);
// The ticks of SelectorItems(switchCnt) that show flags (ALL and RESET clear).
std::vector<bool> TicksFromFlags(const RequestFlags& flags, int switchCnt);
// "ALL" when ticked, nothing when RESET is, else each ticked number and a blank.
std::string SelectorText(const std::vector<bool>& ticks, int switchCnt);
// The flags the ticks ask for: ALL is looked at before RESET.
RequestFlags FlagsFromTicks(const std::vector<bool>& ticks, int switchCnt);
