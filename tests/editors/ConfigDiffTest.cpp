// The comparison names each change by its editor, place and label, shows the
// values as the editor does, and ignores what the installation does not use.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "editors/ConfigDiff.h"
#include "support/PopulatedSettings.h"

namespace {

struct Case {
    const char* Name;
    std::function<void(SettingData&)> Change;
    const char* Category = nullptr;  // nullptr: nothing may be reported
    const char* Place = nullptr;
    const char* Field = nullptr;
    const char* New = nullptr;  // nullptr: any value
};

std::unique_ptr<SettingData> Base() {
    auto data = MakeSettingData();
    FillPopulatedSettings(*data, 7);
    data->System.SwitchCnt = 3;
    data->Exchange(1).ZoneSize = 1;  // nine zones offered, nineteen stored
    for (SwitchData& s : data->Switch)
        for (MasterData& m : s.Master) m.MeetCnt = kMeetMembers;
    data->Exchange(1).Master[0].ScanCnt = 5;
    data->RemoteDial.TelCnt = 2;
    data->Exchange(1).Sub[9].Paging = 0;  // its priority alone changes below
    data->Exchange(1).Sub[5].Level = 0;   // takes paging
    data->Exchange(1).Sub[6].Level = 1;   // takes none
    return data;
}

const Case kCases[] = {
    {"digits", [](SettingData& d) { d.System.NumberSize = 5; }, "Global Setting", "", "Station Digits", "5"},
    {"master name katakana", [](SettingData& d) { d.Exchange(2).Master[3].Name = "\xB1"; }, "Stations",
     "Exchange 2, Master 4", "Name", "\xEF\xBD\xB1"},
    {"sub priority", [](SettingData& d) { d.Exchange(1).Sub[9].Level = 1 - d.Exchange(1).Sub[9].Level; }, "Stations",
     "Exchange 1, Substation 10", "Call Priority", nullptr},
    {"receiving station", [](SettingData& d) { d.Exchange(3).Line[1].RxMaster[2].Station ^= 3; }, "C/O Trunks",
     "Exchange 3, C/O Line 2, Member2", "Line", nullptr},
    {"conversation time", [](SettingData& d) { d.Function[0].TalkTime = 990; }, "Call Forwarding/Time-Out",
     "Exchange 1", "Conversation Time-Out", "990"},
    {"start time by value", [](SettingData& d) { d.Function[1].StartTime = {0x0102, "1:02"}; },
     "Call Forwarding/Time-Out", "Exchange 2", "Start Time", "1:02"},
    {"scan member", [](SettingData& d) { d.Exchange(1).Master[0].ScanSub[4].Exchange = 16; }, "Scan Monitor",
     "Exchange 1, Master 1, No 5", "Exchange", "16"},
    {"meeting member", [](SettingData& d) { d.Exchange(3).Master[2].MeetMaster[2].Station = 0; },
     "Emergency Conference", "Exchange 3, Master 3, No 3", "Line", ""},
    {"zone beyond the digits", [](SettingData& d) { d.Exchange(1).Sub[5].Paging ^= 1u << 18; }, "Paging",
     "Exchange 1, Substation 6", "Zone 19", nullptr},
    {"PA output", [](SettingData& d) { d.Exchange(2).SpeakerPaging[2] ^= 1u; }, "Paging", "Exchange 2, PA Output 3",
     "Zone 1", nullptr},
    {"output mode", [](SettingData& d) { d.DirectSelect.OutMode[0] = 1 - d.DirectSelect.OutMode[0]; },
     "Direct Select", "Exchange 1", "Control Outputs", nullptr},
    {"dialing row", [](SettingData& d) { d.DirectSelect.Rows[1][2][500].Dial = "4711"; }, "Dialing Assignment",
     "Exchange 2, Master 3, Switch No. 501", "Dial", "4711"},
    {"remote dialing", [](SettingData& d) { d.RemoteDial.TelNo[1] = "0123"; }, "Remote Dialing", "No. 2",
     "Dialing Data", "0123"},
    // Nothing in use changes.
    {"unchanged", [](SettingData&) {}},
    {"exchange beyond SwitchCnt", [](SettingData& d) {
         d.Exchange(4).Master[0].Name = "OTHER";
         d.Function[5].CallCnt = 1;
         d.DirectSelect.Rows[3][0][0].Dial = "1";
     }},
    {"member beyond its count", [](SettingData& d) { d.Exchange(1).Master[0].ScanSub[9].Exchange = 2; }},
    {"zone of an emergency substation", [](SettingData& d) { d.Exchange(1).Sub[6].Paging ^= 1u; }},
    {"number beyond TelCnt", [](SettingData& d) { d.RemoteDial.TelNo[3] = "555"; }},
    {"same time, other text", [](SettingData& d) { d.Function[0].StartTime.Text = "  8:00"; }},
};

TEST(ConfigDiffTest, OneChangeIsReportedByEditorPlaceAndLabel) {
    const auto a = Base();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.Name);
        auto b = MakeSettingData();
        *b = *a;
        c.Change(*b);
        const std::vector<ConfigDifference> found = CompareSettings(*a, *b);
        if (!c.Category) {
            EXPECT_TRUE(found.empty()) << found.front().Category << " / " << found.front().Place << " / "
                                        << found.front().Field;
            continue;
        }
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(std::tuple(found[0].Category, found[0].Place, found[0].Field), std::tuple(c.Category, c.Place, c.Field));
        EXPECT_NE(found[0].Old, found[0].New);
        EXPECT_EQ(found[0].New, c.New ? std::string(c.New) : found[0].New);
    }
}

}  // namespace
