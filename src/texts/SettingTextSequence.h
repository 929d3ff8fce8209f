#pragma once
// The fixed order in which a whole configuration travels: the upload sends
// it, and an exchange answering a download can send the same texts back.
#include "texts/SettingTextEncode.h"
#include "model/SettingData.h"

// One text of the sequence. Letter 0 is the closing release request.
struct UploadStep {
    char Letter = 0;
    int Exchange = 0;  // 0 for A (addressed to every exchange)
    int Index = 0;     // master, substation or zone as the letter needs
};

// Texts of an upload, the release included: 144n + 2 for every exchange
// (selected 0), 4n + 142 for one; n is SwitchCnt (at most 16).
int UploadTextCount(int switchCnt, int selected);

// The step for counter 1..UploadTextCount; false outside.
bool UploadStepAt(int switchCnt, int selected, int counter, UploadStep& step);

// The text of that step encoded from data (SwitchCnt taken from data); false
// for the release step and outside the sequence.
bool EncodeUploadText(const SettingData& data, int selected, int counter, EncodedText& out);
