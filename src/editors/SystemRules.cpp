#include "editors/SystemRules.h"

#include <algorithm>

namespace {
// Cell input longer than this counts as empty.
constexpr std::size_t kLongestCellInput = 50;
constexpr std::size_t kFirstStationMaxDigits = 6;

bool ValidExchange(int exchange) { return exchange >= 1 && exchange <= kMaxExchanges; }

int ExchangeCount(uint8_t switchCnt) { return switchCnt > kMaxExchanges ? kMaxExchanges : switchCnt; }

ValidationResult Fail(int code, const char* message, int field, int exchange = 0) {
    return {.Code = code, .Message = message, .Exchange = exchange, .Row = exchange, .Field = field};
}

void CopyOwnFields(const SystemData& from, SystemData& to) {
    to.SwitchCnt = from.SwitchCnt;
    to.NumberSize = from.NumberSize;
    for (int i = 0; i < kTieLines; ++i) to.TieLine[i] = from.TieLine[i];
    for (int e = 0; e < kMaxExchanges; ++e) to.SwNumber[e] = from.SwNumber[e];
}
}  // namespace

SystemData LoadSystemCopy(const SettingData& model) { return model.System; }

void SelectExchangeCount(SystemData& copy, int count) {
    copy.SwitchCnt = static_cast<uint8_t>(count);
    for (int e = 1; e <= kMaxExchanges; ++e) {
        SwNumberRec& rec = copy.SwNumber[e - 1];
        rec.Position = static_cast<uint8_t>(e);
        // Only an entry that has a number is touched, so an entry that was
        // already unset compares equal to the model afterwards.
        if (e > count && rec.Value != kNotAssigned) {
            rec.Value = kNotAssigned;
            rec.Text.Clear();
        }
    }
}

CellEdit EditFirstStationNo(SystemData& copy, int exchange, std::string_view text) {
    CellEdit edit;
    if (!ValidExchange(exchange)) return edit;
    SwNumberRec& rec = copy.SwNumber[exchange - 1];
    if (text.size() > kLongestCellInput) text = {};
    if (IsAllDigits(text) && text.size() <= kFirstStationMaxDigits) {
        rec.Text = text;
        rec.Value = static_cast<int32_t>(DigitsValue(text));
        edit.Accepted = true;
    }
    edit.Text = std::string(FirstStationCellText(copy, exchange));
    return edit;
}

std::string_view FirstStationCellText(const SystemData& copy, int exchange) {
    if (!ValidExchange(exchange)) return {};
    const SwNumberRec& rec = copy.SwNumber[exchange - 1];
    return rec.Value == kNotAssigned ? std::string_view{} : rec.Text.View();
}

ValidationResult ValidateSystem(const SystemData& copy) {
    if (copy.SwitchCnt < 1 || copy.SwitchCnt > kMaxExchanges)
        return Fail(kSystemExchangeCount, kIncorrectExchangeCountText, kFieldExchangeCount);
    if (copy.NumberSize < kMinNumberSize || copy.NumberSize > kMaxNumberSize)
        return Fail(kSystemDigitLength, kIncorrectDigitLengthText, kFieldStationDigits);

    const int count = copy.SwitchCnt;
    for (int e = 1; e <= count; ++e) {
        const SwNumberRec& rec = copy.SwNumber[e - 1];
        if (!HasStationDigits(rec.Text.View(), rec.Value, copy.NumberSize))
            return Fail(kSystemFirstDigits, kFirstStationDigitText, kFieldFirstStation, e);
        // Unsigned, so a next entry that is not set is reported there as a
        // digit-length fault rather than here.
        if (e < count &&
            static_cast<uint32_t>(copy.SwNumber[e].Value) < static_cast<uint32_t>(rec.Value))
            return Fail(kSystemFirstOrder, kFirstStationOrderText, kFieldFirstStation, e);
    }
    for (int e = 1; e <= count; ++e)
        for (int o = e + 1; o <= count; ++o)
            if (copy.SwNumber[o - 1].Value == copy.SwNumber[e - 1].Value)
                return Fail(kSystemFirstDuplicate, kFirstStationDuplicateText, kFieldFirstStation, e);
    return {};
}

bool SystemCopyDiffers(const SystemData& copy, const SettingData& model) {
    const SystemData& m = model.System;
    if (copy.SwitchCnt != m.SwitchCnt || copy.NumberSize != m.NumberSize) return true;
    for (int i = 0; i < kTieLines; ++i)
        if (copy.TieLine[i] != m.TieLine[i]) return true;
    const int n = std::max(ExchangeCount(copy.SwitchCnt), ExchangeCount(m.SwitchCnt));
    for (int e = 0; e < n; ++e)
        if (!(copy.SwNumber[e] == m.SwNumber[e])) return true;
    return false;
}

bool CommitSystem(SystemData& copy, SettingData& model) {
    if (!SystemCopyDiffers(copy, model)) return false;
    CopyOwnFields(copy, model.System);
    model.Modified = 1;
    copy = LoadSystemCopy(model);
    return true;
}

ValidationResult OverwriteSystem(SystemData& copy, SettingData& model) {
    ValidationResult r = ValidateSystem(copy);
    if (r.Passed()) CommitSystem(copy, model);
    return r;
}
