#pragma once
// Rules of the "Direct Select" editor (CDlgDirectSelect): the output mode of
// the control outputs of each of the 16 exchanges. It has no check of its own.
#include "editors/EditorRules.h"
#include "model/SettingData.h"

enum OutModeValue : uint8_t { kResponseActivated = 0, kCallActivated = 1 };

struct DirectSelectCopy {
    uint8_t OutMode[kMaxExchanges] = {};
};

DirectSelectCopy LoadDirectSelectCopy(const SettingData& model);
bool DirectSelectCopyDiffers(const DirectSelectCopy& copy, const SettingData& model);
// Writes every exchange's mode when any differs and sets Modified.
bool CommitDirectSelect(DirectSelectCopy& copy, SettingData& model);
