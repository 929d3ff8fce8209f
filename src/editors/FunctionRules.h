#pragma once
// Rules of the "Call Forwarding/Time-Out" editor (CDlgFunction). Its working
// copy is the FunctionData entry of all 16 exchanges.
#include <string_view>

#include "editors/EditorRules.h"
#include "model/SettingData.h"

inline constexpr const char* kEndTimeText = "Incorrect ending time";
inline constexpr const char* kStartTimeText = "Incorrect starting time";
inline constexpr const char* kIntervalText = "Incorrect call time(sec)";
inline constexpr const char* kCallTimeText = "Incorrect call time(minute)";
inline constexpr const char* kTalkTimeText = "Incorrect conversation time(sec)";

inline constexpr int kIntervalMax = 99;
inline constexpr int kCallTimeMax = 99;
inline constexpr int kTalkTimeMin = 10;
inline constexpr int kTalkTimeMax = 990;
inline constexpr int kTalkTimeStep = 10;

struct FunctionCopy {
    FunctionData Entry[kMaxExchanges];
    FunctionData& At(int exchange) { return Entry[exchange - 1]; }
    const FunctionData& At(int exchange) const { return Entry[exchange - 1]; }
};

FunctionCopy LoadFunctionCopy(const SettingData& model);

// The fields a failed check focuses, and that the value edits name.
enum FunctionField : int {
    kFunctionFieldNone = 0,
    kFunctionFieldStart,
    kFunctionFieldEnd,
    kFunctionFieldInterval,   // CallCnt, "No-Answer Call Fwd"
    kFunctionFieldCallTime,   // CallTime, "Call Time-Out"
    kFunctionFieldTalkTime,   // TalkTime, "Conversation Time-Out"
};

enum FunctionCheck : int {
    kFunctionOk = 0,
    kFunctionEndTime = 1,
    kFunctionStartTime = 2,
    kFunctionInterval = 3,
    kFunctionCallTime = 4,
    kFunctionTalkRange = 5,
    kFunctionTalkStep = 6,
};

// A time of day as typed: spaces removed, then digits with exactly one colon,
// an hour below 24 before it and a minute below 60 after it.
bool IsValidTimeText(std::string_view text);
// A typed start or end time: the text kept as typed, its value as read
// without the spaces.
void StoreTimeText(ClockTime& time, std::string_view text);

// Checking a value's box puts its default (1 s, 1 min, 10 s) in place of 0;
// clearing it stores 0.
void CheckValueBox(FunctionData& entry, int field, bool on);
// The value of one of the three fields, and a typed value: stored when it lies
// in the field's range; otherwise the field shows the stored value again.
int StoredValue(const FunctionData& entry, int field);
CellEdit EditValue(FunctionData& entry, int field, std::string_view text);
// A spin click: interval and call time by 1 within 1..99; the conversation
// time first rounded down to whole tens and held within 10..990, then by 10
// unless that would leave the range. Returns the value stored.
int SpinValue(FunctionData& entry, int field, int step);
// The conversation time's spin (also the paging time-out's): value rounded
// down to whole tens and held within 10..990, then moved by 10 in the step's
// direction unless that would leave the range.
int SpinTalkTime(int value, int step);

ValidationResult ValidateFunctions(const SettingData& model, const FunctionCopy& copy);

bool FunctionCopyDiffers(const FunctionCopy& copy, const SettingData& model);
bool CommitFunctions(FunctionCopy& copy, SettingData& model);
ValidationResult OverwriteFunctions(FunctionCopy& copy, SettingData& model);
