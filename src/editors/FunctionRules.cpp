#include "editors/FunctionRules.h"

#include <algorithm>

#include "model/ClockTimeText.h"

namespace {
struct Range {
    int Min, Max, Default;
};

Range FieldRange(int field) {
    switch (field) {
    case kFunctionFieldInterval: return {1, kIntervalMax, 1};
    case kFunctionFieldCallTime: return {1, kCallTimeMax, 1};
    default: return {kTalkTimeMin, kTalkTimeMax, kTalkTimeMin};
    }
}

bool IsValueField(int field) {
    return field == kFunctionFieldInterval || field == kFunctionFieldCallTime || field == kFunctionFieldTalkTime;
}

void Store(FunctionData& entry, int field, int value) {
    if (field == kFunctionFieldInterval) entry.CallCnt = static_cast<uint8_t>(value);
    else if (field == kFunctionFieldCallTime) entry.CallTime = static_cast<uint8_t>(value);
    else if (field == kFunctionFieldTalkTime) entry.TalkTime = static_cast<uint16_t>(value);
}

std::string WithoutSpaces(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

ValidationResult Fail(int code, const char* message, int field, int exchange) {
    return {.Code = code, .Message = message, .Exchange = exchange, .Field = field};
}
}  // namespace

FunctionCopy LoadFunctionCopy(const SettingData& model) {
    FunctionCopy copy;
    std::copy(model.Function, model.Function + kMaxExchanges, copy.Entry);
    return copy;
}

bool IsValidTimeText(std::string_view text) {
    const std::string t = WithoutSpaces(text);
    const std::size_t colon = t.find(':');
    if (colon == std::string::npos || t.find(':', colon + 1) != std::string::npos) return false;
    const std::string_view hour = std::string_view(t).substr(0, colon);
    const std::string_view minute = std::string_view(t).substr(colon + 1);
    return IsAllDigits(hour) && IsAllDigits(minute) && DigitsValue(hour) < 24 && DigitsValue(minute) < 60;
}

void StoreTimeText(ClockTime& time, std::string_view text) {
    ClockTime read;
    ClockTimeFromText(WithoutSpaces(text), read);
    time.Value = read.Value;
    time.Text = text;
}

void CheckValueBox(FunctionData& entry, int field, bool on) {
    if (!IsValueField(field)) return;
    if (!on) Store(entry, field, 0);
    else if (StoredValue(entry, field) == 0) Store(entry, field, FieldRange(field).Default);
}

int StoredValue(const FunctionData& entry, int field) {
    switch (field) {
    case kFunctionFieldInterval: return entry.CallCnt;
    case kFunctionFieldCallTime: return entry.CallTime;
    case kFunctionFieldTalkTime: return entry.TalkTime;
    default: return 0;
    }
}

CellEdit EditValue(FunctionData& entry, int field, std::string_view text) {
    CellEdit edit;
    if (!IsValueField(field)) return edit;
    const Range range = FieldRange(field);
    const uint32_t value = IsAllDigits(text) ? DigitsValue(text) : 0;
    if (value >= static_cast<uint32_t>(range.Min) && value <= static_cast<uint32_t>(range.Max)) {
        Store(entry, field, static_cast<int>(value));
        edit.Accepted = true;
    }
    edit.Text = std::to_string(StoredValue(entry, field));
    return edit;
}

int SpinTalkTime(int value, int step) {
    value = std::clamp(value / kTalkTimeStep * kTalkTimeStep, kTalkTimeMin, kTalkTimeMax);
    const int next = value + (step > 0 ? kTalkTimeStep : -kTalkTimeStep);
    return next < kTalkTimeMin || next > kTalkTimeMax ? value : next;
}

int SpinValue(FunctionData& entry, int field, int step) {
    if (!IsValueField(field)) return 0;
    const Range range = FieldRange(field);
    int value = StoredValue(entry, field);
    if (field == kFunctionFieldTalkTime) {
        value = SpinTalkTime(value, step);
    } else {
        value = std::clamp(value + step, range.Min, range.Max);
    }
    Store(entry, field, value);
    return value;
}

ValidationResult ValidateFunctions(const SettingData& model, const FunctionCopy& copy) {
    const int count = std::min<int>(model.System.SwitchCnt, kMaxExchanges);
    for (int e = 1; e <= count; ++e) {
        const FunctionData& f = copy.At(e);
        if (f.OutSend && f.AutoOutSend) {
            if (!IsValidTimeText(f.EndTime.Text.View()))
                return Fail(kFunctionEndTime, kEndTimeText, kFunctionFieldEnd, e);
            if (!IsValidTimeText(f.StartTime.Text.View()))
                return Fail(kFunctionStartTime, kStartTimeText, kFunctionFieldStart, e);
        }
        if (f.CallCnt > kIntervalMax) return Fail(kFunctionInterval, kIntervalText, kFunctionFieldInterval, e);
        if (f.CallTime > kCallTimeMax) return Fail(kFunctionCallTime, kCallTimeText, kFunctionFieldCallTime, e);
        if (f.TalkTime > kTalkTimeMax) return Fail(kFunctionTalkRange, kTalkTimeText, kFunctionFieldTalkTime, e);
        if (f.TalkTime % kTalkTimeStep) return Fail(kFunctionTalkStep, kTalkTimeText, kFunctionFieldTalkTime, e);
    }
    return {};
}

bool FunctionCopyDiffers(const FunctionCopy& copy, const SettingData& model) {
    return !std::equal(copy.Entry, copy.Entry + kMaxExchanges, model.Function);
}

bool CommitFunctions(FunctionCopy& copy, SettingData& model) {
    if (!FunctionCopyDiffers(copy, model)) return false;
    std::copy(copy.Entry, copy.Entry + kMaxExchanges, model.Function);
    model.Modified = 1;
    copy = LoadFunctionCopy(model);
    return true;
}

ValidationResult OverwriteFunctions(FunctionCopy& copy, SettingData& model) {
    ValidationResult r = ValidateFunctions(model, copy);
    if (r.Passed()) CommitFunctions(copy, model);
    return r;
}
