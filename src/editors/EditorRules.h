#pragma once
// What every editor's rules hand back to its dialog: the outcome of a
// validation (message and where the focus goes) and of a cell edit (accepted
// or not, and what the cell shows afterwards). Dialogs hold no rule of their
// own; they show what these say.
#include <cstdint>
#include <string>
#include <string_view>

struct ValidationResult {
    int Code = 0;         // 0 = every check passed; otherwise the editor's code of the failed check
    std::string Message;  // shown in a message box with OK only
    int Page = 0;         // page of a property sheet to turn to; 0 in single-page dialogs
    int Exchange = 0;     // exchange concerned, 1..16; 0 when the check is not about one exchange
    int Row = 0;          // 1-based row of the data concerned (station position, or the exchange's grid row)
    int Field = 0;        // the editor's field or grid column to focus
    bool Passed() const { return Code == 0; }
};

struct CellEdit {
    bool Accepted = false;    // false: the entry kept its previous value
    std::string Text;         // what the edited cell shows now (the stored value, so refused input disappears)
    bool RowChanged = false;  // other cells of the same row changed too: redraw the row
};

// Decimal digits only, and at least one.
bool IsAllDigits(std::string_view text);

// Value of a digits-only text, saturated so a long run of digits cannot overflow.
uint32_t DigitsValue(std::string_view text);

// A name as the exchanges take it: at most max characters, each printable
// (32 to 125) or a single-byte katakana (0xA1 to 0xDF).
bool IsValidName(std::string_view text, std::size_t max);

// A station number (or first station number) as the numbering rules want it:
// exactly numberSize decimal digits, value at most 10^numberSize - 1. The value
// is taken as unsigned, so a number that is not assigned (-1, all ones) never passes.
bool HasStationDigits(std::string_view text, int32_t value, int numberSize);
