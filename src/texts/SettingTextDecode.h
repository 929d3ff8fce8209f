#pragma once
// Decoders of the setting texts an exchange sends back: each writes exactly
// the record its exchange and index fields name. A text that names no record,
// or is shorter than its letter's layout, is ignored whole.
#include <cstdint>
#include <string_view>

#include "model/SettingData.h"

// The record a setting text names.
struct TextRecordKey {
    char Letter = 0;
    int Exchange = 0;  // 1..16; 0 for A, which is installation-wide
    int Index = 0;     // master, substation or zone as the letter has it; 0 for D, F, M
    int Block = 0;     // K: block of ten rows, from 0
};

// Checks a received text of the letters A-M and U against its layout and
// finds the record it names. False when the text would be ignored.
bool IdentifySettingText(std::string_view text, TextRecordKey& key);

struct DecodeResult {
    bool Applied = false;
    int SwitchCnt = 0;  // A: the SwitchCnt now in the model
};

// A download text (A-J, L, M, U) into the model; any other letter, K
// included, is ignored. Recomputes nothing; for A it reports the new SwitchCnt.
DecodeResult DecodeSettingText(SettingData& data, std::string_view text);

// A K text (dialing assignment rows of one master) into the model.
bool DecodeDialingAssignmentText(SettingData& data, std::string_view text);
