#include "editors/LineRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "support/PopulatedSettings.h"

namespace {
// Exchange 1 has masters 180 (line 1) and 181 (line 2), exchange 2 has 280.
struct Lines {
    std::unique_ptr<SettingData> model = MakeTwoExchangeModel();
    LineCopy copy = LoadLineCopy(*model);
    void Rx(int e, int l, std::initializer_list<std::pair<int, int>> slots) {
        LineData& line = copy.At(e, l);
        line.RxLine = 1;
        uint8_t s = 0;
        for (auto [ex, st] : slots) {
            line.RxMaster[s] = MemberRef{uint8_t(s + 1), uint8_t(ex), uint8_t(st)};
            ++s;
        }
    }
};

TEST(LineRules, ValidationInOrderWithMessageAndFocus) {
    struct Case {
        const char* name;
        std::function<void(Lines&)> change;
        int code;
        const char* message;
        int exchange, line, field, row;
    };
    const Case cases[] = {
        {"valid; exchange 3 is not in use", [](Lines& t) { t.copy.LineCntLimit[2] = 0; }, kLineOk, "", 0, 0, 0, 0},
        {"time-out of exchange 2 before a name of exchange 1",
         [](Lines& t) { t.copy.LineCntLimit[1] = 100; t.copy.At(1, 1).Name = "\x7f"; }, kLineTimeOut,
         kCoTimeOutText, 2, 0, kLineFieldTimeOut, 0},
        {"name of line 2 before access of line 1",
         [](Lines& t) { t.copy.At(1, 2).Name = "ab~"; t.copy.At(1, 1).TxNumber = 99; }, kLineName, kLineNameText,
         1, 2, kLineFieldName, 0},
        {"katakana name passes; access 99 while not outgoing fails",
         [](Lines& t) { t.copy.At(2, 1).Name = "\xb1\xdf"; t.copy.At(2, 2).TxNumber = 99; }, kLineAccess,
         kAccessNumberText, 2, 2, kLineFieldAccess, 0},
        {"stations only in slots 2 to 4", [](Lines& t) { t.Rx(1, 2, {{0, 0}, {1, 1}, {1, 2}}); }, kLineRxCenter,
         "Exchange1\nC/O line2\nCenter station is not set for the direct-in group.", 1, 2, kLineFieldGrid, 1},
        {"a station of another exchange", [](Lines& t) { t.Rx(1, 1, {{1, 1}, {2, 1}}); }, kLineRxInvalid,
         kInvalidMasterText, 1, 1, kLineFieldGrid, 2},
        {"an exchange without a line", [](Lines& t) { t.Rx(2, 1, {{2, 1}, {0, 0}, {2, 0}}); }, kLineRxInvalid,
         kInvalidMasterText, 2, 1, kLineFieldGrid, 3},
        {"a master without a number", [](Lines& t) { t.Rx(1, 1, {{1, 3}}); }, kLineRxInvalid, kInvalidMasterText, 1,
         1, kLineFieldGrid, 1},
        {"the same master in slots 1 and 3", [](Lines& t) { t.Rx(1, 1, {{1, 2}, {1, 1}, {1, 2}}); },
         kLineRxRedundant, "Exchange1\nC/O line1\nRedundant receiving stations (1-2)", 1, 1, kLineFieldGrid, 1},
        {"off a direct-in line only repetition counts",
         [](Lines& t) { t.Rx(2, 2, {{0, 0}, {1, 1}, {1, 1}}); t.copy.At(2, 2).RxLine = 0; }, kLineRxRedundant,
         "Exchange2\nC/O line2\nRedundant receiving stations (1-1)", 2, 2, kLineFieldNone, 2},
    };
    for (const Case& c : cases) {
        Lines t;
        c.change(t);
        const ValidationResult r = ValidateLines(*t.model, t.copy);
        EXPECT_EQ(std::tuple(r.Code, r.Message, r.Exchange, r.Page, r.Field, r.Row),
                  std::tuple(c.code, std::string(c.message), c.exchange, c.line, c.field, c.row))
            << c.name;
    }
}

TEST(LineRules, FieldEditsStoreOrMarkAndShow) {
    Lines t;
    struct Case {
        bool access;  // the access digit of exchange 1's line 2, or the exchange's time-out
        const char* typed;
        bool accepted;
        const char* shown;
        int stored;
    };
    const Case cases[] = {
        {false, "45", true, "45", 45},
        {false, "", false, "45", 45},
        {false, "4x", false, "4x", 0},
        {true, "7", true, "7", 7},
        {true, "10", false, "10", kInvalidAccessNumber},
        {true, "", false, "99", kInvalidAccessNumber},
    };
    for (const auto& [access, typed, accepted, shown, stored] : cases) {
        const CellEdit e = access ? EditAccessNumber(t.copy, 1, 2, typed) : EditCoTimeOut(t.copy, 1, typed);
        EXPECT_EQ(std::tuple(e.Accepted, e.Text, access ? t.copy.At(1, 2).TxNumber : t.copy.LineCntLimit[0]),
                  std::tuple(accepted, std::string(shown), stored))
            << typed;
    }
    // Spinning starts from the stored value and keeps to the range.
    EXPECT_EQ(SpinAccessNumber(t.copy, 1, 2, 1), 9);
    EXPECT_EQ(SpinCoTimeOut(t.copy, 1, -1), 1);
}

TEST(LineRules, ReceivingStationCells) {
    Lines t;
    struct Case {
        int column;
        std::string typed;
        bool accepted;
        int exchange, line;      // slot 1 afterwards
        const char* station;     // what its "Station" cell shows
    };
    const Case cases[] = {
        {kRxExchange, "3", false, 0, 0, ""},  // only 2 exchanges in use
        {kRxExchange, "1", true, 1, 0, ""},
        {kRxLine, "5", false, 1, 0, ""},
        {kRxLine, "2", true, 1, 2, "181"},
        {kRxStation, "999", false, 1, 2, "181"},
        {kRxStation, std::string(48, ' ') + "280", false, 1, 2, "181"},  // over 50 characters: empty
        {kRxStation, "280", true, 2, 1, "280"},  // any exchange's master
    };
    for (const Case& c : cases) {
        const CellEdit e = EditRxCell(t.copy, *t.model, 1, 1, 1, c.column, c.typed);
        const MemberRef& ref = t.copy.At(1, 1).RxMaster[0];
        EXPECT_EQ(std::tuple(e.Accepted, int(ref.Exchange), int(ref.Station),
                             RxCellText(t.copy, *t.model, 1, 1, 1, kRxStation)),
                  std::tuple(c.accepted, c.exchange, c.line, std::string(c.station)))
            << c.typed;
    }
    EXPECT_EQ(t.copy.At(1, 1).RxMasterNumber[0], 280);
    ClearRxStations(t.copy, *t.model, 1, 1);
    EXPECT_TRUE(t.copy.At(1, 1).RxMaster[0].Empty());
}
}  // namespace
