#include <gtest/gtest.h>

#include "SimExchanges.h"
#include "texts/SettingTextEncode.h"

namespace {

std::string Text(char letter, const SettingData& data, int exchange, int index = 0) {
    return std::string(EncodeSettingText(letter, EncodeRequest{data, exchange, index}).View());
}

// What the simulator keeps and answers with for whole uploads and downloads is
// shown by the command-line tool's round trip against it; here the texts it
// must not keep and the requests that round trip does not make.
TEST(SimExchangesTest, RecordKeysOfReceivedTexts) {
    auto data = MakeSettingData();
    data->System.SwitchCnt = 16;
    const std::string c = Text('C', *data, 1, 64);
    const struct { std::string text; bool ok; SimRecordKey key; } rows[] = {
        {c, true, {'C', 1, 64}},             {Text('M', *data, 1), true, {'M', 1, 0}},
        {Text('K', *data, 1, 1), false, {}}, {"B0", false, {}},
        {c.substr(0, c.size() - 1), false, {}}, {"Cx" + c.substr(2), false, {}}, {Text('Q', *data, 1), false, {}},
    };
    for (const auto& r : rows) {
        const auto key = RecordKeyOf(r.text);
        ASSERT_EQ(key.has_value(), r.ok) << r.text;
        EXPECT_EQ(key.value_or(SimRecordKey{}), r.key) << r.text;
    }
}

TEST(SimExchangesTest, AnswersRequestsFromWhatItReceived) {
    std::vector<std::string> sent;
    SimConfig config;
    config.Exchanges = 1;
    config.NakTexts = {1};
    SimExchanges sim(config, [&](std::string t) { sent.push_back(std::move(t)); });
    auto src = MakeSettingData();
    src->Exchange(1).Sub[0].Name = "DOOR";
    EXPECT_FALSE(sim.Receive(Text('C', *src, 1, 1), 0));  // NAKed and not kept
    const std::string row = "0011" + std::string("123") + std::string(13, ' ') + "   5";
    EXPECT_TRUE(sim.Receive("K0121" "0011" "3" "01" + row, 0));
    EXPECT_TRUE(sim.Receive("Q02", 0));  // no such exchange
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(sim.Receive("Q01", 0));
    ASSERT_EQ(sent.size(), 145u);
    EXPECT_EQ(sent[5], Text('C', *MakeSettingData(), 1, 1));  // A, four B, C 1

    sent.clear();
    EXPECT_TRUE(sim.Receive("T012", 0));
    ASSERT_EQ(sent.size(), 103u);
    EXPECT_EQ(sent[0].substr(0, 12), "K01211024110");
    EXPECT_EQ(sent[1].substr(12, 24), row);  // row 11 is the first of the second text
    EXPECT_EQ(sent[102].substr(0, 12), "K01211024204");
    EXPECT_EQ(sent[102].size(), 12u + 24 * 4);
}

}  // namespace
