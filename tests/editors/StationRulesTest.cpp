#include "editors/StationRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>

#include "support/PopulatedSettings.h"

namespace {
MasterData& Master(StationCopy& c, int e, int p) { return c.Exchange(e).Master[p - 1]; }
SubData& Sub(StationCopy& c, int e, int p) { return c.Exchange(e).Sub[p - 1]; }

TEST(StationRules, ValidationInOrderWithMessageAndFocus) {
    struct Case {
        const char* name;
        std::function<void(StationCopy&)> change;
        int code;
        const char* message;
        int page, exchange, row, column;
    };
    const Case cases[] = {
        {"valid", [](StationCopy&) {}, 0, "", 0, 0, 0, 0},
        {"master numbering before C/O number", [](StationCopy& c) {
             SetStation(Master(c, 2, 1), "28");
             Master(c, 1, 1).TelNo = "1x";
         }, kMasterDigitLength, "Master Stations (Telephones)\nIncorrect station No.digit length(28)for Exchange 2",
         kPageMasters, 2, 1, kMasterStation},
        {"C/O number", [](StationCopy& c) { Master(c, 2, 1).TelNo = "03-12x4"; }, kStationCoForwarding,
         "Incorrect Auto C/O Xfer sta", kPageMasters, 2, 1, kMasterCoForwarding},
        {"unassigned master not checked", [](StationCopy& c) { Master(c, 1, 4).TelNo = "x"; }, 0, "", 0, 0, 0, 0},
        {"absence", [](StationCopy& c) { Master(c, 1, 2).AbsenceTelNo = "999"; }, kStationAbsence,
         "Incorrect absence transfer", kPageMasters, 1, 2, kMasterForwarding},
        {"time-based", [](StationCopy& c) { Master(c, 1, 1).AutoAbsenceTelNo = "18"; }, kStationAutoAbsence,
         "Incorrect Auto absence transfer at preset times", kPageMasters, 1, 1, kMasterTimeBasedFwd},
        {"busy to a substation", [](StationCopy& c) { Master(c, 2, 1).CnvTelNo = "101"; }, kStationBusyTransfer,
         "Incorrect Call Transfer during Conversation", kPageMasters, 2, 1, kMasterBusyFwd},
        {"no-answer", [](StationCopy& c) { Master(c, 1, 1).NonRespTelNo = "7"; }, kStationNoAnswerTransfer,
         "Incorrect Nonresponse Transfer", kPageMasters, 1, 1, kMasterNoAnswerFwd},
        {"each kind over all masters first", [](StationCopy& c) {
             Master(c, 1, 1).CnvTelNo = "999";
             Master(c, 2, 1).AbsenceTelNo = "999";
         }, kStationAbsence, "Incorrect absence transfer", kPageMasters, 2, 1, kMasterForwarding},
        {"targets to masters pass", [](StationCopy& c) {
             Master(c, 1, 1).AbsenceTelNo = "280";
             Master(c, 2, 1).NonRespTelNo = "181";
         }, 0, "", 0, 0, 0, 0},
        {"one digit: own line's specific no", [](StationCopy& c) {
             c.Exchange(1).Line[1] = LineData{};
             c.Exchange(1).Line[1].TxNumber = 5;
             c.Exchange(1).Line[1].TxNumberOnOff = 1;
             Master(c, 1, 1).AbsenceTelNo = "5";
         }, 0, "", 0, 0, 0, 0},
        {"one digit: function off", [](StationCopy& c) {
             c.Exchange(1).Line[0].TxNumber = 5;
             Master(c, 1, 1).AbsenceTelNo = "5";
         }, kStationAbsence, "Incorrect absence transfer", kPageMasters, 1, 1, kMasterForwarding},
        {"one digit: other exchange's line", [](StationCopy& c) {
             c.Exchange(2).Line[0].TxNumber = 5;
             c.Exchange(2).Line[0].TxNumberOnOff = 1;
             Master(c, 1, 1).AbsenceTelNo = "5";
         }, kStationAbsence, "Incorrect absence transfer", kPageMasters, 1, 1, kMasterForwarding},
        {"forwarding before substation numbers", [](StationCopy& c) {
             SetStation(Sub(c, 1, 1), "1");
             Master(c, 2, 1).NonRespTelNo = "999";
         }, kStationNoAnswerTransfer, "Incorrect Nonresponse Transfer", kPageMasters, 2, 1, kMasterNoAnswerFwd},
        {"numbering before called master", [](StationCopy& c) {
             SetStation(Sub(c, 2, 2), "201");
             Sub(c, 1, 1).CallSwNo = 0;
         }, kSubDuplicate, "Substations\nDuplicated station No.(201) for Exchange 2\n( Substations : 2-2 )", kPageSubs,
         2, 1, kSubStation},
        {"called exchange not set", [](StationCopy& c) { Sub(c, 1, 2).CallSwNo = 0; }, kStationCalledMaster,
         "Substations\nDialing incorrect exchange-equipment No.(1-2)", kPageSubs, 1, 2, kSubCalledExchange},
        {"called exchange beyond count", [](StationCopy& c) { Sub(c, 2, 2).CallSwNo = 3; }, kStationCalledMaster,
         "Substations\nDialing incorrect exchange-equipment No.(2-2)", kPageSubs, 2, 2, kSubCalledExchange},
        {"called line 5", [](StationCopy& c) { Sub(c, 2, 1).CallStNo = 5; }, kStationCalledMaster,
         "Substations\nDialing incorrect exchange-equipment No.(2-1)", kPageSubs, 2, 1, kSubCalledExchange},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = MakeTwoExchangeModel();
        auto copy = LoadStationCopy(*model);
        c.change(*copy);
        const ValidationResult r = ValidateStations(model->System, *copy);
        EXPECT_EQ(r.Message, c.message);
        EXPECT_EQ(std::tuple(r.Code, r.Page, r.Exchange, r.Row, r.Field),
                  std::tuple(c.code, c.page, c.exchange, c.row, c.column));
    }
}

TEST(StationRules, CellEdits) {
    struct Case {
        const char* name;
        bool sub;
        int exchange, position, column;
        std::string input;
        bool accepted;
        const char* shown;
        std::function<void(StationCopy&)> before = nullptr;
        std::function<bool(StationCopy&)> after = nullptr;
        uint8_t digits = 3;
    };
    const Case cases[] = {
        {"number renames an unassigned station", false, 1, 3, kMasterStation, "182", true, "182", nullptr,
         [](StationCopy& c) { return Master(c, 1, 3).Name == "182" && Master(c, 1, 3).NumberValue == 182; }},
        {"own name kept", false, 1, 1, kMasterStation, "185", true, "185",
         [](StationCopy& c) { Master(c, 1, 1).Name = "Boss"; },
         [](StationCopy& c) { return Master(c, 1, 1).Name == "Boss"; }},
        {"number with a letter", true, 2, 1, kSubStation, "2O1", false, "201"},
        {"name of 9", false, 1, 1, kMasterName, "Reception", false, "180"},
        {"name with tilde", true, 1, 1, kSubName, "Desk~", false, "101"},
        {"name with 0xA0", true, 1, 1, kSubName, "\xA0", false, "101"},
        {"unassigned station's name", false, 1, 4, kMasterName, "Lobby", false, ""},
        {"flag other text", false, 1, 1, kMasterEmergencyPaging, "yes", false, "-"},
        {"C/O number", false, 1, 1, kMasterCoForwarding, "03-5555-0100", true, "03-5555-0100"},
        {"C/O number of 21", false, 1, 1, kMasterCoForwarding, std::string(21, '1'), false, ""},
        {"C/O number with a letter", false, 1, 1, kMasterCoForwarding, "03x", false, ""},
        {"target one digit", false, 1, 1, kMasterForwarding, "5", true, "5"},
        {"target longer than digits", false, 1, 1, kMasterBusyFwd, "2800", false, ""},
        {"target emptied", false, 1, 1, kMasterNoAnswerFwd, "", true, "",
         [](StationCopy& c) { Master(c, 1, 1).NonRespTelNo = "280"; }},
        {"called exchange", true, 1, 1, kSubCalledExchange, "2", true, "2", nullptr,
         [](StationCopy& c) { return SubCellText(c, 1, 1, kSubCalledStation) == "280"; }},
        {"called exchange beyond count", true, 1, 1, kSubCalledExchange, "3", false, "1"},
        {"called line 4", true, 1, 1, kSubCalledLine, "4", true, "4", nullptr,
         [](StationCopy& c) { return SubCellText(c, 1, 1, kSubCalledName).empty(); }},
        {"called line 5", true, 1, 1, kSubCalledLine, "5", false, "1"},
        {"called station", true, 1, 1, kSubCalledStation, "280", true, "280", nullptr,
         [](StationCopy& c) { return Sub(c, 1, 1).CallSwNo == 2 && Sub(c, 1, 1).CallStNo == 1; }},
        {"called station is a substation", true, 1, 1, kSubCalledStation, "201", false, "180"},
        {"called name ignored", true, 1, 1, kSubCalledName, "Boss", false, "180"},
        {"priority other text", true, 1, 1, kSubPriority, "urgent", true, "Normal",
         [](StationCopy& c) { Sub(c, 1, 1).Level = 1; }},
        {"digit count beyond six: no number", false, 1, 1, kMasterStation, "1234567", false, "180", {}, {}, 7},
        {"digit count beyond six: no target", false, 1, 1, kMasterForwarding, "1234567", false, "", {}, {}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = MakeTwoExchangeModel();
        model->System.NumberSize = c.digits;
        auto copy = LoadStationCopy(*model);
        if (c.before) c.before(*copy);
        const auto untouched = std::make_unique<StationCopy>(*copy);
        const CellEdit e = c.sub ? EditSubCell(*copy, model->System, c.exchange, c.position, c.column, c.input)
                                 : EditMasterCell(*copy, model->System, c.exchange, c.position, c.column, c.input);
        EXPECT_EQ(std::tuple(e.Accepted, e.Text), std::tuple(c.accepted, std::string(c.shown)));
        EXPECT_TRUE(c.accepted || std::ranges::equal(copy->Switch, untouched->Switch));  // refused: nothing changed
        EXPECT_TRUE(!c.after || c.after(*copy));
    }
}

TEST(StationRules, ChangeDetectionAndCommit) {
    auto model = MakeTwoExchangeModel();
    auto copy = LoadStationCopy(*model);
    // Not the editor's fields: neither a change nor written.
    copy->Exchange(1).Line[0].TxNumber = 9;
    EXPECT_FALSE(StationCopyDiffers(*copy, *model));
    EXPECT_FALSE(CommitStations(*copy, *model));
    EXPECT_EQ(model->Modified, 0);
    // Written with the editor's own fields, and then the same again.
    EXPECT_TRUE(EditSubCell(*copy, model->System, 2, 64, kSubStation, "299").Accepted);
    EXPECT_TRUE(CommitStations(*copy, *model));
    EXPECT_EQ(model->Exchange(2).Sub[63].NumberValue, 299);
    EXPECT_EQ(model->Exchange(1).Line[0].TxNumber, 0);
    EXPECT_FALSE(StationCopyDiffers(*copy, *model));
}

// The sheet's focus on a fault is shown through its window; a row beyond a page holds no station.
TEST(StationRules, RowBeyondThePageIsNoStation) { EXPECT_EQ(StationAtRow(kPageMasters, 3, 4).Exchange, 0); }
}  // namespace
