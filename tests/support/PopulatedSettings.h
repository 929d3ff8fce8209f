#pragma once
// A configuration with every field off its default (names with katakana bytes,
// every dialing row filled), deterministic for a seed.
#include <cstdint>

#include "model/SettingData.h"

void FillPopulatedSettings(SettingData& data, uint32_t seed = 1);
