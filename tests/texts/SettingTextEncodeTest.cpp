#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "support/PopulatedSettings.h"
#include "texts/ProgressTitles.h"
#include "texts/SettingTextDecode.h"
#include "texts/SettingTextEncode.h"

namespace {
std::string Encode(const SettingData& d, char letter, int exchange, int index = 0, int block = 0,
                   std::string_view extra = {}) {
    EncodedText out;
    const bool ok = EncodeSettingText(letter, EncodeRequest{d, exchange, index, block, -1, extra}, out);
    EXPECT_EQ(ok, out.Length != 0);
    return std::string(out.View());
}
std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string Zeros(int n) { return std::string(static_cast<std::size_t>(n), '0'); }

struct SampleText { char Letter; int Exchange, Index, Block; std::string Text; };
// What FillSampleSettings must encode to.
std::vector<SampleText> SampleTexts() {
    std::string h1 = "H01" "2" "99" "03" + Zeros(64), h2 = "H02" "1" "05" "19" + Zeros(64);
    h1[8 + 0] = h1[8 + 9] = h2[8] = '1';
    std::string k1 = "K0123" "0025" "1" "10", k2 = "K0123" "0025" "0" "10";
    for (int r = 1; r <= 10; ++r) {
        k1 += (r < 10 ? "000" : "00") + std::to_string(r) + std::to_string(499 + r) + Sp(13) + Sp(4);
        k2 += "00" + std::to_string(10 + r) + std::to_string(509 + r) + Sp(13) + Sp(4);
    }
    return {
        {'A', 0, 0, 0, "A00" "2026" "12" "06" "07" "05" "09" "1" "03" "3" "1010" "100   " "200   " "-1    "},
        {'B', 1, 2, 0, "B012" "201   " "Front   " "1" "0" "03-1234-5678" + Sp(8)},
        {'B', 2, 3, 0, "B023" + Sp(6) + Sp(8) + "00" + Sp(20)},
        {'C', 1, 12, 0, "C0112" "112   " "Room 12 " "02" "4" "1"},
        {'C', 1, 64, 0, "C0164" + Sp(6) + Sp(8) + "01" "0" "0"},
        {'C', 1, 5, 0, "C0105" "105   " "Lobby   " "01" "1" "0"},
        {'C', 2, 1, 0, "C0201" "200   " + Sp(8) + "02" "1" "0"},
        {'D', 1, 0, 0, "D01" "45" "Trunk A " "1014" "012" "000" "024" "000" "TRUNK-B2" "1300" + Zeros(12)},
        {'E', 1, 1, 0, "E011" "02" "012" "034"},
        {'F', 1, 0, 0, "F01" "1" "0830" "1705" "1" "07" "45" "12"},
        {'G', 1, 4, 0, "G014" "15" "02" "0105" "0264"},
        {'H', 1, 3, 0, h1},
        {'H', 2, 19, 0, h2},
        {'I', 1, 2, 0, "I01" "02" "1000000000000001"},
        {'J', 3, 19, 0, "J03" "19" "0101"},
        {'U', 1, 1, 0,
         "U011" "201   " "012" "Front   " "3     " "012" "TRUNK-B2" "105   " "015" "Lobby   " "999   " + Sp(11)},
        {'L', 1, 3, 0, "L013" "02" "164" "011"},
        {'M', 1, 0, 0, "M011"},
        {'K', 1, 2, 0, k1},
        {'K', 1, 2, 1, k2},
        {'K', 1, 2, 2, "K0123" "0025" "2" "05" "0021" "*21#            " "    " "0022" "x               "
                       "    " "0023" "A-1             " "  22" "0024" "1234567890123456" "1024"
                       "0025" "a               " "    "},
        {'K', 2, 1, 0, "K0210" "0000" "3" "00"},
    };
}
}  // namespace

TEST(SettingTextEncode, SampleTextsByteForByte) {
    FixedClock clock;
    auto d = MakeSettingData();
    FillSampleSettings(*d);
    for (const SampleText& s : SampleTexts()) {
        EncodedText out;
        ASSERT_TRUE(EncodeSettingText(s.Letter, EncodeRequest{*d, s.Exchange, s.Index, s.Block}, out)) << s.Text;
        EXPECT_EQ(out.View(), s.Text) << s.Letter << s.Exchange << "/" << s.Index << "/" << s.Block;
        // The send routine takes the length and the text as one block.
        uint32_t length = 0;
        std::memcpy(&length, &out, sizeof length);
        EXPECT_EQ(length, s.Text.size());
        EXPECT_EQ(reinterpret_cast<const char*>(&out) + 4, out.Text);
        TextRecordKey key;
        ASSERT_TRUE(IdentifySettingText(s.Text, key)) << s.Text;
        EXPECT_EQ((std::tuple{key.Letter, key.Exchange, key.Index, key.Block}),
                  (std::tuple{s.Letter, s.Exchange, s.Index, s.Block}));
    }
}

TEST(SettingTextEncode, RequestTextsAndRecordsThatDoNotExist) {
    auto d = MakeSettingData();
    const struct { char Letter; int Exchange, Index; std::string_view Extra, Expected; } requests[] = {
        {'N', 2, 3, "12*#", "N02312*#                            "},
        {'O', 5, 0, "0123456789ABCDEFGH", "O050123456789ABCDEF"}, {'P', 5, 0, "12", "P0512" "00000000000000"},
        {'Q', 0, 0, {}, "Q00"}, {'T', 1, 4, {}, "T014"},
    };
    for (const auto& c : requests) EXPECT_EQ(Encode(*d, c.Letter, c.Exchange, c.Index, 0, c.Extra), c.Expected);
    const std::tuple<char, int, int, int> none[] = {
        {'B', 0, 1, 0}, {'B', 17, 1, 0}, {'A', -1, 0, 0}, {'Q', 17, 0, 0}, {'B', 1, 0, 0}, {'U', 1, 5, 0},
        {'C', 1, 65, 0}, {'H', 1, 0, 0}, {'I', 1, 20, 0}, {'K', 1, 1, 1}, {'K', 1, 1, -1}, {'R', 1, 0, 0},
    };
    for (const auto& [letter, e, i, b] : none) EXPECT_EQ(Encode(*d, letter, e, i, b), "") << letter << e << "/" << i;
}

TEST(SettingTextEncode, ValuesCutToTheirFieldWidth) {
    FixedClock clock;
    auto d = MakeSettingData();
    d->Function[0].TalkTime = 995;
    d->Function[0].CallCnt = 123;
    d->Switch[0].PagingTimeLimit = 5;
    d->Switch[1].PagingTimeLimit = 1000;
    d->Switch[0].Master[0].MeetMaster[0] = MemberRef{1, 2, 12};
    d->DirectSelect.ShotT[0][0] = 10;
    EXPECT_EQ(Encode(*d, 'F', 1).substr(13), "120099");
    EXPECT_EQ(Encode(*d, 'H', 1, 1).substr(3, 5), "10001");
    EXPECT_EQ(Encode(*d, 'H', 2, 1).substr(3, 5), "11001");
    EXPECT_EQ(Encode(*d, 'L', 1, 1), "L011" "01" "021");
    EXPECT_EQ(Encode(*d, 'K', 1, 1).substr(0, 5), "K0111");
    // More exchanges than the model holds: only the sixteen that exist are sent.
    d->System.SwitchCnt = 20;
    EXPECT_EQ(Encode(*d, 'A', 0).size(), 25u + 6 * 16);
}

TEST(SettingTextEncode, DialingAssignmentBlocks) {
    auto d = MakeSettingData();
    EXPECT_EQ(DialRowsInUse(*d, 1, 1), 0);
    d->DirectSelect.Rows[0][0][1023].Shot = "5";
    EXPECT_EQ(DialRowsInUse(*d, 1, 1), 1024);
    EXPECT_EQ(std::tuple(DialTextCount(1024), DialTextCount(25), DialTextCount(10)), std::tuple(103, 3, 1));
    EXPECT_EQ(Encode(*d, 'K', 1, 1, 102).substr(5, 7), "1024" "2" "04");
    EXPECT_EQ(Encode(*d, 'K', 1, 1, 103), "");
    EXPECT_EQ(Encode(*d, 'K', 1, 1, 101).substr(5, 7), "1024" "0" "10");
}

TEST(ProgressTitles, ByCommandLetter) {
    EXPECT_STREQ(ProgressTitle('A'), "Global Setting");
    EXPECT_STREQ(ProgressTitle('F'), "Call Forwarding/Time-Out");
    EXPECT_STREQ(ProgressTitle('P'), "Communication Monitoring Request");
    EXPECT_STREQ(ProgressTitle('Q'), "Start Dwnload");
    EXPECT_STREQ(ProgressTitle('U'), "Transfer Setting");
    for (char letter : {'R', 'S', 'V', 'a', 'z', '\0'}) EXPECT_EQ(ProgressTitle(letter), nullptr) << letter;
}
