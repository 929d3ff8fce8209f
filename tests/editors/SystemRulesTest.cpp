#include "editors/SystemRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "support/PopulatedSettings.h"

namespace {
SystemData ThreeExchanges() {
    auto d = MakeSettingData();
    SystemData sys = LoadSystemCopy(*d);
    sys.SwitchCnt = 3;
    sys.NumberSize = 3;
    for (int e = 1; e <= 3; ++e) SetFirst(sys, e, std::to_string(e * 100));
    return sys;
}

TEST(SystemRules, ValidationInOrderWithMessageAndFocus) {
    struct Case {
        const char* name;
        std::function<void(SystemData&)> change;
        int code;
        const char* message;
        int field, row;
    };
    const Case cases[] = {
        {"valid", [](SystemData&) {}, kSystemOk, "", kFieldNone, 0},
        {"no exchanges", [](SystemData& s) { s.SwitchCnt = 0; }, kSystemExchangeCount, "Incorrect No.of exchanges.",
         kFieldExchangeCount, 0},
        {"17 exchanges before bad digits", [](SystemData& s) { s.SwitchCnt = 17; s.NumberSize = 7; },
         kSystemExchangeCount, "Incorrect No.of exchanges.", kFieldExchangeCount, 0},
        {"1 digit", [](SystemData& s) { s.NumberSize = 1; }, kSystemDigitLength, "Incorrect station digit length.",
         kFieldStationDigits, 0},
        {"7 digits", [](SystemData& s) { s.NumberSize = 7; }, kSystemDigitLength, "Incorrect station digit length.",
         kFieldStationDigits, 0},
        {"long first number", [](SystemData& s) { SetFirst(s, 2, "2000"); }, kSystemFirstDigits,
         "Incorrect first station No.digit length", kFieldFirstStation, 2},
        {"letter from a file", [](SystemData& s) { SetFirst(s, 1, "1x0"); }, kSystemFirstDigits,
         "Incorrect first station No.digit length", kFieldFirstStation, 1},
        {"unset written -1", [](SystemData& s) { s.SwNumber[1].Value = kNotAssigned; s.SwNumber[1].Text = "-1"; },
         kSystemFirstDigits, "Incorrect first station No.digit length", kFieldFirstStation, 2},
        {"falling", [](SystemData& s) { SetFirst(s, 3, "150"); }, kSystemFirstOrder,
         "First station No.is greater than that of the next exchange.", kFieldFirstStation, 2},
        {"equal neighbours", [](SystemData& s) { SetFirst(s, 2, "100"); }, kSystemFirstDuplicate,
         "Duplicated first station No.", kFieldFirstStation, 1},
        {"beyond the count unchecked", [](SystemData& s) { SelectExchangeCount(s, 2); SetFirst(s, 3, "1"); },
         kSystemOk, "", kFieldNone, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SystemData sys = ThreeExchanges();
        c.change(sys);
        const ValidationResult r = ValidateSystem(sys);
        EXPECT_EQ(r.Message, c.message);
        EXPECT_EQ(std::tuple(r.Code, r.Field, r.Row), std::tuple(c.code, c.field, c.row));
    }
}

// Refused input ("1a0", seven digits, empty) is shown through the editor window.
TEST(SystemRules, FirstStationCellEdit) {
    for (const auto& [input, value] : {std::pair("0012", 12), std::pair("999999", 999999)}) {
        SystemData sys = ThreeExchanges();
        const CellEdit e = EditFirstStationNo(sys, 1, input);
        EXPECT_EQ(std::tuple(e.Accepted, e.Text, sys.SwNumber[0].Value, sys.SwNumber[0].Text.Str()),
                  std::tuple(true, std::string(input), value, std::string(input)));
    }
    SystemData sys = ThreeExchanges();
    SelectExchangeCount(sys, 2);
    EXPECT_EQ(EditFirstStationNo(sys, 3, "x").Text, "");  // an unset number shows empty
    EXPECT_FALSE(EditFirstStationNo(sys, 17, "1").Accepted);
}

TEST(SystemRules, ChangeDetectionAndCommit) {
    struct Case { const char* name; std::function<void(SystemData&)> change; bool differs; };
    const Case cases[] = {
        {"nothing", [](SystemData&) {}, false},
        {"count", [](SystemData& s) { SelectExchangeCount(s, 3); }, true},
        {"digits", [](SystemData& s) { s.NumberSize = 4; }, true},
        {"tie line", [](SystemData& s) { s.TieLine[3] = 1; }, true},
        {"first number", [](SystemData& s) { SetFirst(s, 2, "300"); }, true},
        {"entry beyond both counts", [](SystemData& s) { SetFirst(s, 5, "500"); }, false},
        {"count reselected", [](SystemData& s) { SelectExchangeCount(s, 2); }, false},
        {"another editor's field", [](SystemData& s) { s.OutInZone[0][0] = 7; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = MakeTwoExchangeModel();
        const auto before = std::make_unique<SettingData>(*model);
        SystemData copy = LoadSystemCopy(*model);
        c.change(copy);
        EXPECT_EQ(SystemCopyDiffers(copy, *model), c.differs);
        EXPECT_EQ(CommitSystem(copy, *model), c.differs);
        EXPECT_EQ(model->Modified, c.differs ? 1 : 0);
        EXPECT_TRUE(c.differs || *model == *before);  // nothing written
        EXPECT_FALSE(SystemCopyDiffers(copy, *model));
    }
}
}  // namespace
