#include "editors/DirectSelectRules.h"

#include <algorithm>

DirectSelectCopy LoadDirectSelectCopy(const SettingData& model) {
    DirectSelectCopy copy;
    std::copy_n(model.DirectSelect.OutMode, kMaxExchanges, copy.OutMode);
    return copy;
}

bool DirectSelectCopyDiffers(const DirectSelectCopy& copy, const SettingData& model) {
    return !std::equal(copy.OutMode, copy.OutMode + kMaxExchanges, model.DirectSelect.OutMode);
}

bool CommitDirectSelect(DirectSelectCopy& copy, SettingData& model) {
    if (!DirectSelectCopyDiffers(copy, model)) return false;
    std::copy_n(copy.OutMode, kMaxExchanges, model.DirectSelect.OutMode);
    model.Modified = 1;
    return true;
}
