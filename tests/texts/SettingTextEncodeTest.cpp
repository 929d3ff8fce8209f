#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "texts/SettingTextSample.h"
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

TEST(SettingTextEncode, RequestTexts) {
    auto d = MakeSettingData();
    struct Case {
        char Letter;
        int Exchange, Index;
        std::string_view Extra, Expected;
    } cases[] = {
        {'N', 2, 3, "12*#", "N02312*#                            "},
        {'O', 5, 0, "0123456789ABCDEFGH", "O050123456789ABCDEF"},
        {'P', 5, 0, "12", "P0512" "00000000000000"},
        {'Q', 0, 0, {}, "Q00"},
        {'Q', 16, 0, {}, "Q16"},
        {'T', 1, 4, {}, "T014"},
    };
    for (const Case& c : cases) EXPECT_EQ(Encode(*d, c.Letter, c.Exchange, c.Index, 0, c.Extra), c.Expected);
}

TEST(SettingTextEncode, RecordsThatDoNotExistGiveNoText) {
    auto d = MakeSettingData();
    struct Case {
        char Letter;
        int Exchange, Index, Block;
    } cases[] = {
        {'B', 0, 1, 0}, {'B', 17, 1, 0}, {'B', 1, 0, 0}, {'B', 1, 5, 0}, {'C', 1, 65, 0}, {'D', 0, 0, 0},
        {'H', 1, 0, 0}, {'I', 1, 20, 0}, {'J', 1, 20, 0}, {'K', 1, 1, 1}, {'K', 1, 1, -1}, {'T', 1, 0, 0},
        {'U', 1, 5, 0}, {'A', -1, 0, 0}, {'Q', 17, 0, 0}, {'R', 1, 0, 0}, {'o', 1, 0, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Encode(*d, c.Letter, c.Exchange, c.Index, c.Block), "") << c.Letter;
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
    EXPECT_EQ(DialTextCount(1024), 103);
    EXPECT_EQ(Encode(*d, 'K', 1, 1, 102).substr(5, 7), "1024" "2" "04");
    EXPECT_EQ(Encode(*d, 'K', 1, 1, 103), "");
    EXPECT_EQ(Encode(*d, 'K', 1, 1, 101).substr(5, 7), "1024" "0" "10");
    // A row count given by the caller (an exchange answering with all rows).
    EncodedText out;
    ASSERT_TRUE(EncodeSettingText('K', EncodeRequest{*d, 2, 4, 102, kDialRows}, out));
    EXPECT_EQ(out.View().substr(0, 16), "K0240" "1024" "2" "04" "1021");
    EXPECT_EQ(DialTextCount(25), 3);
    EXPECT_EQ(DialTextCount(10), 1);
}

TEST(ProgressTitles, ByCommandLetter) {
    EXPECT_STREQ(ProgressTitle('A'), "Global Setting");
    EXPECT_STREQ(ProgressTitle('F'), "Call Forwarding/Time-Out");
    EXPECT_STREQ(ProgressTitle('P'), "Communication Monitoring Request");
    EXPECT_STREQ(ProgressTitle('Q'), "Start Dwnload");
    EXPECT_STREQ(ProgressTitle('U'), "Transfer Setting");
    for (char letter : {'R', 'S', 'V', 'Z', 'a', 'o', 'p', 'z', '\0'}) EXPECT_EQ(ProgressTitle(letter), nullptr) << letter;
}
