// The dialing assignment and remote dialing rules.
#include <gtest/gtest.h>

#include "editors/DialRules.h"
#include "editors/EditorChecks.h"
#include "editors/RemoteDialRules.h"

namespace {
TEST(DialRules, DialsAcceptedAndRefusedWithTheirExchangeMasterAndRow) {
    const std::pair<const char*, bool> cases[] = {{"0123456789*#Aa-", false}, {"x", false}, {"B", false}, {"?", false},
                                                  {"12B", true}, {"1 2", true}, {"xx", true}, {"a-z", true}};
    auto model = MakeSettingData();
    model->System.SwitchCnt = 3;
    for (const auto& [dial, reported] : cases) {
        auto copy = LoadDialCopy(*model);
        copy->Master(2, 3)[40].Dial = dial;
        const ValidationResult r = ValidateDialing(*copy, 3);
        EXPECT_EQ(!r.Passed(), reported) << dial;
        if (!reported) continue;
        EXPECT_EQ(r.Message, "Exchange2\nMaster Station No.3\nIncorrect dial number");
        EXPECT_EQ(r.Exchange * 100 + r.Page * 10, 230);
        EXPECT_EQ(r.Row, 41);
    }
    // Exchanges beyond the installation are not looked at, and the check joins nx420ctl's table.
    model->DirectSelect.Rows[3][0][0].Dial = "9Z";
    EXPECT_FALSE(ValidateDialingModel(*model));
    model->System.SwitchCnt = 4;
    EXPECT_EQ(ValidateDialingModel(*model).value_or(""), "Exchange4\nMaster Station No.1\nIncorrect dial number");
}

TEST(DialRules, DoorLockEditsMarkAndUnmarkTheRowsTheyName) {
    auto model = MakeSettingData();
    auto copy = LoadDialCopy(*model);
    DialEntry* rows = copy->Master(1, 2);
    rows[0].Shot = "2000";  // from a file: marks nothing, stays
    for (const char* refused : {"0", "1025", "12345", "a1", "1 "})
        EXPECT_FALSE(EditDoorLock(*copy, 1, 2, 5, refused).Accepted) << refused;
    EXPECT_TRUE(EditDoorLock(*copy, 1, 2, 5, "10").Accepted);
    EXPECT_EQ(DoorLockCellText(rows[9]), "x");
    EXPECT_EQ(rows[9].Dial, "x");
    EXPECT_EQ(rows[0].Shot, "2000");
    EXPECT_TRUE(EditDoorLock(*copy, 1, 2, 5, "").Accepted);
    EXPECT_TRUE(rows[9].Dial.Empty());
    EXPECT_FALSE(EditDial(*copy, 1, 2, 7, "12345678901234567").Accepted);
    EXPECT_TRUE(EditDial(*copy, 1, 2, 7, "1234567890123456").Accepted);

    // Delete ALL: the selected master's rows and time only.
    copy->Master(1, 1)[0].Dial = "11";
    copy->ShotT[0][1] = 3;
    DeleteAllDialRows(*copy, 1, 2);
    EXPECT_TRUE(rows[0].Shot.Empty() && rows[6].Dial.Empty());
    EXPECT_EQ(copy->ShotT[0][1], 0);
    EXPECT_EQ(copy->Master(1, 1)[0].Dial, "11");
    EXPECT_TRUE(OverwriteDialing(*copy, *model).Passed());
    EXPECT_EQ(model->Modified, 1);
    EXPECT_FALSE(DialCopyDiffers(*copy, *model));
}

TEST(RemoteDialRules, ChecksInOrder) {
    auto model = MakeSettingData();
    model->Exchange(1).Master[1].NumberValue = kNotAssigned;
    const struct {
        int Exchange, Master;
        std::string Dial;
        RemoteDialFault Fault;
    } cases[] = {{2, 9, "", RemoteDialFault::Exchange},          {1, 5, "", RemoteDialFault::Master},
                 {1, 2, "123", RemoteDialFault::NotRegistered},   {1, 1, std::string(33, '1'), RemoteDialFault::TelNo},
                 {1, 1, "12 3", RemoteDialFault::TelNo},          {1, 1, "12Z", RemoteDialFault::TelNo},
                 {1, 1, "", RemoteDialFault::TelNo},              {1, 1, std::string(32, 'y'), RemoteDialFault::None},
                 {1, 1, "0-9*#ABCDEIOPQRTUWXYabcdeiopqrtuwxy", RemoteDialFault::TelNo},  // 35: too long
                 {1, 1, "ABCDEIOPQRTUWXYabcdeiopqrtuwxy", RemoteDialFault::None}};
    for (const auto& c : cases)
        EXPECT_EQ(CheckRemoteDial(*model, c.Exchange, c.Master, c.Dial), c.Fault) << c.Dial;
    EXPECT_EQ(std::string(RemoteDialText(*model, 1, 1, "12*#").View()), "N01112*#" + std::string(28, ' '));
}

TEST(RemoteDialRules, HistoryKeepsFiveNewestFirst) {
    const struct {
        const char* Dial;
        const char* Before[5];
        int Count;
        const char* After[5];
        uint8_t Modified;
    } cases[] = {
        {"0123", {"1", "2", "0123", "4", "5"}, 5, {"0123", "1", "2", "4", "5"}, 0},
        {"9", {"1", "2", "3", "4", "5"}, 5, {"9", "1", "2", "3", "4"}, 1},
        {"9", {"1"}, 1, {"9", "1"}, 1},
        {"1", {"1"}, 1, {"1"}, 0},
    };
    for (const auto& c : cases) {
        RemoteDialData history;
        history.TelCnt = static_cast<uint8_t>(c.Count);
        for (int i = 0; i < c.Count; ++i) history.TelNo[i] = c.Before[i];
        uint8_t modified = 0;
        UpdateDialHistory(history, modified, c.Dial);
        EXPECT_EQ(modified, c.Modified) << c.Dial;
        int after = 0;
        while (after < 5 && c.After[after]) ++after;
        ASSERT_EQ(history.TelCnt, after) << c.Dial;
        for (int i = 0; i < after; ++i) EXPECT_EQ(history.TelNo[i], c.After[i]) << c.Dial << i;
    }
}
}  // namespace
