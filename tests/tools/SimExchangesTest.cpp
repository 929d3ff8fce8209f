#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimExchanges.h"
#include "texts/SettingTextEncode.h"

namespace {

std::string Text(char letter, const SettingData& data, int exchange, int index = 0) {
    return std::string(EncodeSettingText(letter, EncodeRequest{data, exchange, index}).View());
}

TEST(SimExchangesTest, RecordKeysOfReceivedTexts) {
    auto data = MakeSettingData();
    data->System.SwitchCnt = 16;
    const std::string c = Text('C', *data, 1, 64);
    const struct { std::string text; bool ok; SimRecordKey key; } rows[] = {
        {Text('A', *data, 0), true, {'A', 0, 0}},  {Text('B', *data, 2, 3), true, {'B', 2, 3}},
        {c, true, {'C', 1, 64}},                   {Text('H', *data, 1, 19), true, {'H', 1, 19}},
        {Text('I', *data, 1, 7), true, {'I', 1, 7}}, {Text('M', *data, 1), true, {'M', 1, 0}},
        {Text('U', *data, 11, 4), true, {'U', 11, 4}}, {Text('K', *data, 1, 1), false, {}},
        {"B0", false, {}},                          {c.substr(0, c.size() - 1), false, {}},
        {"Cx" + c.substr(2), false, {}},            {Text('Q', *data, 1), false, {}},
    };
    for (const auto& r : rows) {
        const auto key = RecordKeyOf(r.text);
        ASSERT_EQ(key.has_value(), r.ok) << r.text;
        if (key) {
            EXPECT_EQ(*key, r.key) << r.text;
        }
    }
}

TEST(SimExchangesTest, AnswersRequestsFromWhatItReceived) {
    std::vector<std::string> sent;
    SimConfig config;
    config.Exchanges = 1;
    config.NakTexts = {2};
    SimExchanges sim(config, [&](std::string t) { sent.push_back(std::move(t)); });
    auto src = MakeSettingData();
    SubData& sub = src->Exchange(1).Sub[1];
    sub.Number = "2002", sub.NumberValue = 2002, sub.Name = "DOOR";
    src->Exchange(1).Sub[2] = sub;
    const std::string sub2 = Text('C', *src, 1, 2);
    EXPECT_TRUE(sim.Receive(sub2, 0));
    EXPECT_FALSE(sim.Receive(Text('C', *src, 1, 3), 0));  // the second text is NAKed and not kept
    EXPECT_EQ(sim.Settings().Exchange(1).Sub[1].Name.View(), "DOOR");
    const std::string row = "0011" + std::string("123") + std::string(13, ' ') + "   5";
    EXPECT_TRUE(sim.Receive("K0121" "0011" "3" "01" + row, 0));
    EXPECT_TRUE(sim.Receive("Q00", 0));
    auto defaults = MakeSettingData();
    ASSERT_EQ(sent.size(), 145u);
    EXPECT_EQ(sent[6], sub2);                            // A, four B, C 1, C 2
    EXPECT_EQ(sent[7], Text('C', *defaults, 1, 3));      // never received: the default
    EXPECT_EQ(sent.back(), "M010");

    sent.clear();
    EXPECT_TRUE(sim.Receive("Q02", 0));  // no such exchange
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(sim.Receive("T012", 0));
    ASSERT_EQ(sent.size(), 103u);
    EXPECT_EQ(sent[0].substr(0, 12), "K01211024110");
    EXPECT_EQ(sent[1].substr(12, 24), row);  // row 11 is the first of the second text
    EXPECT_EQ(sent[102].substr(0, 12), "K01211024204");
    EXPECT_EQ(sent[102].size(), 12u + 24 * 4);
}

}  // namespace
