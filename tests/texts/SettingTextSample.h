#pragma once
// A hand-made configuration off its defaults, and the texts it must encode to.
#include <string>
#include <vector>

#include "model/SettingData.h"

void FillSampleSettings(SettingData& data);

struct SampleText {
    char Letter;
    int Exchange;
    int Index;
    int Block;
    std::string Text;
};
// In upload order, so decoding them one after another rebuilds what they carry.
const std::vector<SampleText>& SampleTexts();

// Fixes the clock at Sunday 2026-12-06 07:05:09 for the life of the object.
struct FixedClock {
    FixedClock();
    ~FixedClock();
};
