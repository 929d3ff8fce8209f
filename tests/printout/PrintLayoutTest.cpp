// The printed pages without a printer: the plan of pages, the ruling, the frame, the clamps.
#include <gtest/gtest.h>

#include "printout/PageLayout.h"
#include "support/PopulatedSettings.h"

namespace {
std::unique_ptr<PrintJob> Job(int code, int switchCnt, int exchange = 0, int master = 0, int records = 0) {
    auto job = std::make_unique<PrintJob>();
    job->Code = static_cast<uint8_t>(code);
    job->Exchange = static_cast<uint8_t>(exchange);
    job->Master = static_cast<uint8_t>(master);
    job->Data = MakeSettingData();
    job->Data->System.SwitchCnt = static_cast<uint8_t>(switchCnt);
    job->Records.assign(static_cast<std::size_t>(records), std::vector<std::string>(8, "x"));
    return job;
}

// A unit of 100 per line and 10 per character keeps positions readable.
const PageGeometry kUnits{.Width = 2000, .Height = 9000, .LineUnit = 100, .CharUnit = 10};

std::vector<std::string> TextsAtColumn(const PageOps& ops, int chars) {
    std::vector<std::string> texts;
    for (const PageText& t : ops.Texts)
        if (t.At.Chars == chars && !t.At.FromCentre) texts.push_back(t.Text);
    return texts;
}
}  // namespace

TEST(PrintPlan, PageCountsOfJobsAndWhereThePagesLie) {
    const struct {
        const char* name;
        int code, switchCnt, exchange, master, records, pages;
    } cases[] = {
        {"group call, 3 exchanges", PrintGroupCall, 3, 0, 0, 0, 12},
        {"group call, one master", PrintGroupCall, 3, 2, 1, 0, 1},
        {"all, 3 exchanges", PrintAll, 3, 0, 0, 0, 67},
        {"all, a single exchange", PrintAll, 3, 2, 0, 0, 23},
        {"all, 16 exchanges", PrintAll, 16, 0, 0, 0, 353},
        {"exchange count out of range", PrintAll, 200, 0, 0, 0, 353},
        {"substations, 2 exchanges", PrintSubstations, 2, 0, 0, 0, 4},
        {"log data, 41 rows", PrintLogData, 1, 0, 0, 41, 2},
        {"log data, no rows", PrintLogData, 1, 0, 0, 0, 0},
        {"monitor, 13 records", PrintMonitor, 1, 0, 0, 13, 2},
        {"dialing assignment, empty tables", PrintDialingAssignment, 2, 0, 0, 0, 8},
        {"code 0x0A prints nothing", 0x0A, 3, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JobPageCount(PlanJob(*Job(c.code, c.switchCnt, c.exchange, c.master, c.records))), c.pages);
    }

    // Group Call page 5 of three exchanges is exchange 2, master 1.
    const auto group = PlanJob(*Job(PrintGroupCall, 3));
    ASSERT_EQ(group.size(), 1u);
    EXPECT_EQ(std::tuple(group[0].Pages[4].Exchange, group[0].Pages[4].Part), std::tuple(2, 0));
    // A single exchange's "all" job: categories in order, each on that exchange.
    const auto all = PlanJob(*Job(PrintAll, 3, 3));
    const int order[] = {PrintGlobalSetting, PrintMasters, PrintSubstations, PrintCoTrunks, PrintGroupCall,
                         PrintCallForwarding, PrintScanMonitor, PrintPaging, PrintPublicAddress, PrintExternalSource,
                         PrintEmergencyConference, PrintDirectSelect};
    ASSERT_EQ(all.size(), std::size(order));
    EXPECT_EQ(all[0].Code, PrintGlobalSetting);
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_EQ(all[i].Code, order[i]);
        EXPECT_EQ(all[i].First, all[i - 1].First + static_cast<int>(all[i - 1].Pages.size()));
        for (const PageSlice& p : all[i].Pages) EXPECT_EQ(p.Exchange, 3) << PrintTitle(all[i].Code);
    }
    // A grid sorted across exchanges fills whole pages; one in exchange order breaks at each.
    auto sorted = Job(PrintSubstations, 2);
    for (int p = 1; p <= 64; ++p)
        for (uint8_t e : {1, 2}) sorted->Rows.push_back({e, static_cast<uint8_t>(p)});
    EXPECT_EQ(CategoryPages(*sorted, PrintSubstations).size(), 4u);  // 128 rows, 40 a page
    EXPECT_EQ(CategoryPages(*sorted, PrintSubstations)[0].Exchange, 0);
}

TEST(PageOps, TableRulingRowPositionsAndFrame) {
    PageOps ops;
    PageBuilder out(ops);
    out.Table(12, 15, {5, 15, 25, 37, 51});
    out.Cell(12, 0, 7, "Exchange");
    out.Cell(12, 3, 9, " 2");
    const PageGeometry g = kUnits;
    // Frame (4) + inner boundaries (3) + a rule under the heading and 14 data rows.
    ASSERT_EQ(ops.Lines.size(), 4u + 3u + 15u);
    const int bottom = (12 + 16) * 100 + 16 * 16;
    // The frame's right side and top, then the first inner boundary.
    EXPECT_EQ(std::tuple(g.Y(ops.Lines[1].To), g.X(ops.Lines[0].From), g.X(ops.Lines[0].To)),
              std::tuple(bottom, 100 + 50, 100 + 510));
    EXPECT_EQ(std::tuple(g.X(ops.Lines[4].From), g.Y(ops.Lines[4].To)), std::tuple(100 + 150, bottom));
    for (int i = 1; i <= 15; ++i) EXPECT_EQ(g.Y(ops.Lines[static_cast<std::size_t>(6 + i)].From), (12 + i) * 100 + 16 * i);
    EXPECT_EQ(std::tuple(g.Y(ops.Texts[0].At), g.Y(ops.Texts[1].At), g.X(ops.Texts[1].At)),
              std::tuple(12 * 100 + 8, 15 * 100 + 8 + 48, 100 + 90));

    // The frame's top line: the date and the file's path, or its name when the path is too long.
    const struct {
        std::string path, text;
    } cases[] = {
        {"/srv/NX420.txt", "Dec 06, 2026 (/srv/NX420.txt)"},
        {"/home/installer/" + std::string(120, 'd') + "/site NX420.txt", "Dec 06, 2026 (site NX420.txt)"},
        {std::string(130, 'n'), "Dec 06, 2026 (" + std::string(130, 'n') + ")"},
    };
    for (const auto& c : cases) {
        std::string text;
        const int column = TopLine(PrintDate(2026, 12, 6), c.path, text);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(column, std::max(0, 120 - static_cast<int>(c.text.size())));
    }
    PageOps frame;
    PageBuilder(frame).Frame("Jan 01, 2027", "a.txt", "Group Call", 3);
    ASSERT_EQ(frame.Texts.size(), 4u);
    // The title centred (half of 21 large characters), the heading, the page number.
    EXPECT_EQ(std::tuple(frame.Texts[1].Font, g.X(frame.Texts[1].At)), std::tuple(PrintFont::Large, 1000 - 21 * 10));
    EXPECT_EQ(std::tuple(frame.Texts[2].Font, g.Y(frame.Texts[2].At)), std::tuple(PrintFont::Heading, 400));
    EXPECT_EQ(std::tuple(frame.Texts[3].Text, g.X(frame.Texts[3].At), g.Y(frame.Texts[3].At)),
              std::tuple(std::string("-3-"), 1000 - 10, 9000 - 200));
}

TEST(PageLayout, MemberRowsNeverPassTheirList) {
    const struct {
        int code, capacity;
    } cases[] = {{PrintGroupCall, kGroupMembers}, {PrintScanMonitor, kScanMembers}, {PrintEmergencyConference, kMeetMembers}};
    for (const auto& c : cases) {
        SCOPED_TRACE(PrintTitle(c.code));
        auto job = Job(c.code, 2);
        FillPopulatedSettings(*job->Data);
        job->Data->System.SwitchCnt = 2;
        MasterData& m = job->Data->Exchange(1).Master[0];
        m.GroupCnt = m.ScanCnt = m.MeetCnt = 50;
        // A member naming an exchange and station beyond the tables prints what it holds.
        MemberRef& first = c.code == PrintScanMonitor ? m.ScanSub[0] : c.code == PrintGroupCall ? m.GroupMaster[0] : m.MeetMaster[0];
        first.Exchange = 40;
        first.Station = 99;
        const PageOps ops = LayoutPage(*job, c.code, PageSlice{1, 0, 0, 0}, 1, "d");
        const auto exchanges = TextsAtColumn(ops, 9);
        ASSERT_EQ(exchanges.size(), static_cast<std::size_t>(c.capacity));
        EXPECT_EQ(std::pair(exchanges[0], TextsAtColumn(ops, 19)[0]), std::pair(std::string("40"), std::string("99")));
        EXPECT_EQ(TextsAtColumn(ops, 28).size(), static_cast<std::size_t>(c.capacity - 1));  // no number for it
    }
}

TEST(PageOps, GeometryFitsEightyLinesAndHundredTwentyLetters) {
    struct Metrics : PrintMetrics {
        int LineHeight(int h) const override { return h + h / 5; }
        int LetterWidth(int, int w) const override { return w + 3; }
    } metrics;
    // N = 96 is the first with 80 lines of h + h / 5 within 14030; M = 125 the first with 120 letters.
    const PageGeometry g = ComputeGeometry(9920, 14030, metrics);
    EXPECT_EQ(g.FontHeight, 146);
    EXPECT_EQ(g.LineUnit, 175);
    EXPECT_EQ(g.CharWidth, 79);
    EXPECT_EQ(g.CharUnit, 82);
}
