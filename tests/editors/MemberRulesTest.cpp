#include "editors/MemberRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {
void Set(MemberCopy& c, int e, int m, int i, int exchange, int line) {
    MemberRef& entry = c.List(e, m).Entries[i - 1];
    entry.Exchange = static_cast<uint8_t>(exchange);
    entry.Station = static_cast<uint8_t>(line);
}
}  // namespace

TEST(MemberRules, ValidationOfEachFamily) {
    using F = MemberFamily;
    struct Case {
        const char* name;
        F family;
        std::function<void(MemberCopy&, SettingData&)> change;
        int code;
        const char* message;
        int exchange, master, row;
    };
    const Case cases[] = {
        {"time 0 on a master without members", F::Scan, [](MemberCopy& c, SettingData&) { c.List(2, 3).ScanTime = 0; },
         kMemberTime, "Incorrect monitoring time", 2, 3, 0},
        {"time 100 before a bad member", F::Scan, [](MemberCopy& c, SettingData&) {
             Set(c, 1, 1, 1, 1, 65);
             c.List(2, 4).ScanTime = 100;
         }, kMemberTime, "Incorrect monitoring time", 2, 4, 0},
        {"substation 65", F::Scan, [](MemberCopy& c, SettingData&) { Set(c, 1, 1, 2, 1, 65); }, kMemberInvalid,
         "Invalid sub-equipment No.is set.", 1, 1, 2},
        {"same substation twice", F::Scan, [](MemberCopy& c, SettingData&) {
             Set(c, 1, 2, 1, 2, 1);
             Set(c, 1, 2, 4, 2, 1);
         }, kMemberDuplicate, "Exchange1\nMaster Station No.2\nDuplicated exchange-equipment No.(2-1)", 1, 2, 1},
        {"same substation in two lists", F::Scan, [](MemberCopy& c, SettingData&) {
             Set(c, 1, 1, 1, 2, 1);
             Set(c, 2, 1, 1, 2, 1);
         }, 0, "", 0, 0, 0},
        {"station number cleared", F::Scan, [](MemberCopy& c, SettingData& m) {
             Set(c, 2, 1, 3, 1, 2);
             Unassign(m.Exchange(1).Sub[1]);
         }, kMemberInvalid, "Invalid sub-equipment No.is set.", 2, 1, 3},
        {"master lists itself", F::Group, [](MemberCopy& c, SettingData&) { Set(c, 1, 1, 1, 1, 1); }, kMemberInvalid,
         "Invalid master equipment No.is set.", 1, 1, 1},
        {"line without exchange", F::Group, [](MemberCopy& c, SettingData&) { Set(c, 2, 1, 5, 0, 2); },
         kMemberInvalid, "Invalid master equipment No.is set.", 2, 1, 5},
        {"group duplicate", F::Group, [](MemberCopy& c, SettingData&) {
             Set(c, 2, 1, 2, 1, 2);
             Set(c, 2, 1, 9, 1, 2);
         }, kMemberDuplicate, "Exchange2\nMaster Station (Telephone) No.1\nDuplicated exchange-equipment No.(1-2)", 2,
         1, 2},
        {"exchange beyond the installation", F::Meeting, [](MemberCopy& c, SettingData&) { Set(c, 1, 2, 3, 3, 1); },
         kMemberInvalid, "Invalid master equipment No.is set.", 1, 2, 3},
        {"entries beyond the count ignored", F::Meeting, [](MemberCopy& c, SettingData&) {
             c.List(1, 2).Count = 2;
             Set(c, 1, 2, 3, 3, 1);
         }, 0, "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = MakeTwoExchangeModel();
        MemberCopy copy = LoadMemberCopy(*model, c.family);
        c.change(copy, *model);
        const ValidationResult r = ValidateMembers(copy, *model);
        EXPECT_EQ(r.Message, c.message);
        EXPECT_EQ(std::tuple(r.Code, r.Exchange, r.Page, r.Row), std::tuple(c.code, c.exchange, c.master, c.row));
    }
}

TEST(MemberRules, CellEditsAndWhatTheyShow) {
    struct Case {
        const char* name;
        MemberFamily family;
        int entry, column;
        const char* input;
        bool accepted;
        const char* station;  // the entry's Station cell afterwards
        int count;            // the list's count afterwards
    };
    const Case cases[] = {
        {"station number of a substation", MemberFamily::Scan, 2, kMemberStation, "201", true, "201", 16},
        {"a master's number in a scan list", MemberFamily::Scan, 2, kMemberStation, "180", false, "", 16},
        {"exchange beyond the installation", MemberFamily::Scan, 1, kMemberExchange, "3", false, "", 16},
        {"line 65", MemberFamily::Scan, 1, kMemberLine, "65", false, "", 16},
        {"line 5 of a master", MemberFamily::Group, 1, kMemberLine, "5", false, "", 0},
        {"a row beyond the count raises it", MemberFamily::Group, 4, kMemberStation, "280", true, "280", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = MakeTwoExchangeModel();
        for (MasterData& m : model->Exchange(1).Master) m.GroupCnt = 0;
        MemberCopy copy = LoadMemberCopy(*model, c.family);
        const CellEdit edit = EditMemberCell(copy, *model, 1, 1, c.entry, c.column, c.input);
        EXPECT_EQ(edit.Accepted, c.accepted);
        EXPECT_EQ(MemberCellText(copy, *model, 1, 1, c.entry, kMemberStation), c.station);
        EXPECT_EQ(copy.List(1, 1).Count, c.count);
    }
}

TEST(MemberRules, EntriesOutsideTheInstallationShowEmpty) {
    auto model = MakeTwoExchangeModel();
    MemberCopy copy = LoadMemberCopy(*model, MemberFamily::Scan);
    Set(copy, 1, 1, 1, 200, 250);
    EXPECT_EQ(std::tuple(MemberCellText(copy, *model, 1, 1, 1, kMemberStation),
                         MemberCellText(copy, *model, 1, 1, 1, kMemberName)),
              std::tuple("", ""));
}

// A count beyond a list's capacity read from a file is the capacity; the
// whole list stays in use.
TEST(MemberRules, CountsFromAFileHeldToTheCapacity) {
    auto model = MakeTwoExchangeModel();
    TempDir dir;
    RecordingPrompt prompt;
    ASSERT_TRUE(WriteSettingsFile(*model, dir.File("a.txt"), prompt));
    std::string text = ReadWholeFile(dir.File("a.txt"));
    for (std::string key : {"ScanCnt=", "GroupCnt=", "MeetCnt="}) text.insert(text.find(key) + key.size(), "24");
    ASSERT_EQ(ReadSettingsText(*model, text, prompt), SettingsReadResult::Ok);
    const MasterData& m = model->Exchange(1).Master[0];
    EXPECT_EQ(std::tuple(m.ScanCnt, m.GroupCnt, m.MeetCnt), std::tuple(16, 15, 3));

    MasterData& master = model->Exchange(1).Master[0];
    master.GroupMaster[14] = MemberRef{15, 9, 9};
    master.GroupCnt = 40;  // a model built elsewhere
    const ValidationResult r = ValidateMembers(LoadMemberCopy(*model, MemberFamily::Group), *model);
    EXPECT_EQ(std::tuple(r.Code, r.Row), std::tuple(kMemberInvalid, 15));
}
