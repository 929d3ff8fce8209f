#pragma once
// Encoders of the texts the PC sends, one per command letter. Each reads one
// record of a SettingData-shaped source (the model or an editor's working
// copy) and writes the text byte for byte as the exchanges expect it.
#include <string_view>

#include "texts/SettingTextFields.h"
#include "model/SettingData.h"

struct EncodeRequest {
    const SettingData& Data;
    int Exchange = 0;  // 1..16; 0 addresses every exchange (A and Q only)
    // Master 1..4 (B E G K L T U), substation 1..64 (C), zone 1..19 (H I J),
    // remote dialing index (N); not used by the other letters.
    int Index = 0;
    int Block = 0;   // K: block of ten rows, from 0
    int Rows = -1;   // K: rows announced; -1 takes the master's rows in use
    std::string_view Extra = {};  // N: the dialing data; O, P: the 16 request parameter bytes
};

inline constexpr int kZones = 19;
inline constexpr int kDialRowsPerText = 10;

// Writes the text of `letter` (A-Q, T, U) into out. False, with out.Length 0,
// for a letter without an encoder or an exchange or index outside its range.
bool EncodeSettingText(char letter, const EncodeRequest& request, EncodedText& out);
EncodedText EncodeSettingText(char letter, const EncodeRequest& request);

// The rows in use of one master: the number of the last row with a dial or a
// door lock (rows are sent from row 1 up to it), 0 when none.
int DialRowsInUse(const SettingData& data, int exchange, int master);
// K texts needed for that many rows: one per ten rows, at least one.
int DialTextCount(int rows);
