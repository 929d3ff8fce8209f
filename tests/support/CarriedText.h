#pragma once
// The i-th upload text of a model, with what a download does not carry back
// into the model blanked: the clock fields of A and the forwarding targets of U.
#include <string>

#include "texts/SettingTextSequence.h"

inline std::string CarriedText(const SettingData& data, int i) {
    EncodedText text;
    if (!EncodeUploadText(data, 0, i, text)) return "none";
    std::string t(text.View());
    if (t[0] == 'A') t.replace(3, 15, 15, '-');
    if (t[0] == 'U')
        for (std::size_t at = 10; at + 11 <= t.size(); at += 17) t.replace(at, 11, 11, '-');
    return t;
}
