#include "editors/FunctionRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/PopulatedSettings.h"

namespace {
TEST(FunctionRules, TimeCheck) {
    const std::pair<const char*, bool> cases[] = {
        {"8:30", true},   {"08:30", true}, {" 8 : 30 ", true}, {"23:59", true}, {"8.30", false},
        {"830", false},   {"24:00", false}, {"12:60", false},  {"1:2:3", false}, {":30", false},
        {"ab:cd", false}, {"", false},
    };
    for (auto [text, valid] : cases) EXPECT_EQ(IsValidTimeText(text), valid) << text;
    ClockTime t;
    StoreTimeText(t, "7 :05");
    EXPECT_EQ(std::tuple(t.Value, t.Text.Str()), std::tuple(uint16_t(7 * 256 + 5), std::string("7 :05")));
}

TEST(FunctionRules, ValidationInOrderWithMessageAndFocus) {
    struct Case {
        const char* name;
        std::function<void(FunctionCopy&)> change;
        const char* message;
        int exchange, field;
    };
    const auto times = [](FunctionData& f, const char* start, const char* end) {
        f.OutSend = f.AutoOutSend = 1;
        StoreTimeText(f.StartTime, start);
        StoreTimeText(f.EndTime, end);
    };
    const Case cases[] = {
        {"wrong times without time-based forwarding; exchange 3 not in use",
         [&](FunctionCopy& c) { times(c.At(1), "25:00", "xx"); c.At(1).AutoOutSend = 0; c.At(3).TalkTime = 5; }, "",
         0, 0},
        {"end time reported first", [&](FunctionCopy& c) { times(c.At(2), "25:00", "ab:cd"); }, kEndTimeText, 2,
         kFunctionFieldEnd},
        {"start time", [&](FunctionCopy& c) { times(c.At(1), "25:00", "8:30"); }, kStartTimeText, 1,
         kFunctionFieldStart},
        {"interval", [](FunctionCopy& c) { c.At(1).CallCnt = 100; c.At(1).CallTime = 100; }, kIntervalText, 1,
         kFunctionFieldInterval},
        {"call time", [](FunctionCopy& c) { c.At(2).CallTime = 100; }, kCallTimeText, 2, kFunctionFieldCallTime},
        {"conversation over 990", [](FunctionCopy& c) { c.At(1).TalkTime = 1000; }, kTalkTimeText, 1,
         kFunctionFieldTalkTime},
        {"conversation 15", [](FunctionCopy& c) { c.At(1).TalkTime = 15; }, kTalkTimeText, 1, kFunctionFieldTalkTime},
    };
    auto model = MakeTwoExchangeModel();
    for (const Case& c : cases) {
        FunctionCopy copy = LoadFunctionCopy(*model);
        c.change(copy);
        const ValidationResult r = ValidateFunctions(*model, copy);
        EXPECT_EQ(std::tuple(r.Message, r.Exchange, r.Field), std::tuple(std::string(c.message), c.exchange, c.field))
            << c.name;
    }
}

TEST(FunctionRules, ValueFieldsBoxesAndSpins) {
    FunctionData f;
    f.CallCnt = 0;
    f.TalkTime = 0;
    CheckValueBox(f, kFunctionFieldInterval, true);
    CheckValueBox(f, kFunctionFieldCallTime, true);
    CheckValueBox(f, kFunctionFieldTalkTime, true);
    EXPECT_EQ(std::tuple(int(f.CallCnt), int(f.CallTime), int(f.TalkTime)), std::tuple(1, 1, 10));
    // 15 is taken; what is refused after it leaves it shown.
    for (const auto& [typed, accepted] : {std::pair("15", true), std::pair("995", false), std::pair("", false),
                                          std::pair("9", false)}) {
        const CellEdit e = EditValue(f, kFunctionFieldTalkTime, typed);
        EXPECT_EQ(std::tuple(e.Accepted, e.Text), std::tuple(accepted, std::string("15"))) << typed;
    }
    // From 15 the spins round down to 10 first; they never leave 10..990.
    const std::tuple<int, int, int> spins[] = {{15, 1, 20}, {15, -1, 10}, {995, 1, 990}, {985, 1, 990}, {0, 1, 20}};
    for (auto [from, step, to] : spins) {
        f.TalkTime = uint16_t(from);
        EXPECT_EQ(SpinValue(f, kFunctionFieldTalkTime, step), to) << from << " " << step;
    }
    f.CallCnt = 99;
    EXPECT_EQ(SpinValue(f, kFunctionFieldInterval, 1), 99);
    CheckValueBox(f, kFunctionFieldInterval, false);
    EXPECT_EQ(f.CallCnt, 0);
}
}  // namespace
