#include "editors/PagingRules.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/PopulatedSettings.h"

TEST(PagingRules, TimeOutValidationAndEdits) {
    struct Case {
        const char* name;
        uint32_t first, second;  // the two exchanges' time-outs
        int exchange;            // reported, 0 when it passes
    };
    const Case cases[] = {
        {"off and limits", 0, 990, 0},
        {"995", 10, 995, 2},
        {"15", 15, 10, 1},
        {"beyond 990 before a step off 10", 15, 1000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = MakeTwoExchangeModel();
        PagingCopy copy = LoadPagingCopy(*model);
        copy.PagingTimeLimit[0] = c.first;
        copy.PagingTimeLimit[1] = c.second;
        copy.PagingTimeLimit[2] = 5;  // beyond SwitchCnt: not checked
        const ValidationResult r = ValidatePaging(copy, *model);
        EXPECT_EQ(std::tuple(r.Message, r.Exchange), std::tuple(std::string(c.exchange ? kPagingTimeText : ""), c.exchange));
    }

    auto model = MakeTwoExchangeModel();
    PagingCopy copy = LoadPagingCopy(*model);
    EXPECT_FALSE(EditPagingTime(copy, *model, 2, "995"));
    EXPECT_TRUE(EditPagingTime(copy, *model, 2, "15"));
    SetPagingTimeOut(copy, *model, kPagingSelectAll, true);
    EXPECT_EQ(std::tuple(copy.PagingTimeLimit[0], copy.PagingTimeLimit[1], copy.PagingTimeLimit[2]),
              std::tuple(10u, 15u, 0u));
    SetPagingTimeOut(copy, *model, 2, false);
    EXPECT_EQ(copy.PagingTimeLimit[1], 0u);

    const std::tuple<int, int, int> spins[] = {{0, 1, 20}, {15, 1, 20}, {15, -1, 10}, {990, 1, 990}, {995, -1, 980}};
    for (const auto& [value, step, result] : spins) EXPECT_EQ(SpinTalkTime(value, step), result) << value;
}

TEST(PagingRules, ZoneDigitsAndZoneCells) {
    auto model = MakeTwoExchangeModel();
    model->System.SwitchCnt = 3;
    PagingCopy copy = LoadPagingCopy(*model);
    SetZoneDigits(copy, *model, kPagingSelectAll, 2);
    EXPECT_EQ(std::tuple(copy.ZoneSize[0], copy.ZoneSize[2], copy.ZoneSize[3]), std::tuple(2, 2, 1));
    EXPECT_EQ(PagingZoneColumns(copy, kPagingPageSubs, kPagingSelectAll), 19);

    const int zone12 = PagingLeadingColumns(kPagingPageSubs) + 11;
    // Substation 101 takes zone 12; 103 (no number) takes none.
    EXPECT_TRUE(TogglePagingZone(copy, *model, kPagingPageSubs, 1, 0, zone12));
    EXPECT_FALSE(TogglePagingZone(copy, *model, kPagingPageSubs, 1, 2, zone12));
    const auto cell = [&](int row, int column) {
        return PagingCellText(copy, *model, kPagingPageSubs, 1, row, column);
    };
    EXPECT_EQ(std::tuple(cell(0, zone12), cell(0, zone12 - 1)), std::tuple("v", "-"));

    // Fewer digits hide zone 12 without forgetting it.
    SetZoneDigits(copy, *model, 1, 1);
    EXPECT_EQ(PagingZoneColumns(copy, kPagingPageSubs, 1), 9);
    EXPECT_EQ(cell(0, zone12), "");
    SetZoneDigits(copy, *model, 1, 2);
    EXPECT_EQ(cell(0, zone12), "v");

    // Under ALL the rows run through every exchange in use; other pages keep 19 zones.
    const int speakZone1 = PagingLeadingColumns(kPagingPageSpeak);
    EXPECT_TRUE(TogglePagingZone(copy, *model, kPagingPageSpeak, kPagingSelectAll, 16 + 2, speakZone1));
    EXPECT_EQ(copy.SpeakerPaging[1][2], 1u);
    EXPECT_EQ(PagingCellText(copy, *model, kPagingPageSpeak, kPagingSelectAll, 18, 2), "PA03");
    EXPECT_EQ(PagingCellText(copy, *model, kPagingPageOutIn, 2, 3, 2), "ch4");
    EXPECT_FALSE(TogglePagingZone(copy, *model, kPagingPageOutIn, kPagingSelectAll, 3 * 4, speakZone1));

    EXPECT_TRUE(PagingCopyDiffers(copy, *model));
    EXPECT_TRUE(OverwritePaging(copy, *model).Passed());
    EXPECT_EQ(std::tuple(model->Exchange(1).Sub[0].Paging, model->Exchange(3).ZoneSize, int(model->Modified)),
              std::tuple(1u << 11, 2, 1));
    EXPECT_FALSE(PagingCopyDiffers(copy, *model));
}
