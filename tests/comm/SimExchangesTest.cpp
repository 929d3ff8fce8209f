#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimExchanges.h"

namespace {

TEST(SimExchangesTest, UploadOrderCountsAsTheDownloadExpects) {
    for (int n : {1, 2, 16}) {
        EXPECT_EQ(UploadOrder(n, 0).size(), 144u * n + 1) << n;
        EXPECT_EQ(UploadOrder(n, n).size(), 4u * n + 141) << n;
    }
    const auto order = UploadOrder(2, 2);
    EXPECT_EQ(order[0], (SimRecordKey{'A', 0, 0}));
    EXPECT_EQ(order[1], (SimRecordKey{'B', 1, 1}));   // masters of every exchange
    EXPECT_EQ(order[9], (SimRecordKey{'C', 2, 1}));
    EXPECT_EQ(order.back(), (SimRecordKey{'M', 2, 0}));
}

TEST(SimExchangesTest, RecordKeysOfReceivedTexts) {
    const struct { const char* text; bool ok; SimRecordKey key; } rows[] = {
        {"A010", true, {'A', 0, 0}},   {"B023xx", true, {'B', 2, 3}}, {"C0164", true, {'C', 1, 64}},
        {"H0130019", true, {'H', 1, 19}}, {"I0107", true, {'I', 1, 7}}, {"M011", true, {'M', 1, 0}},
        {"U114", true, {'U', 11, 4}},  {"K01", false, {}},            {"B0", false, {}},
        {"Cx101", false, {}},
    };
    for (const auto& r : rows) {
        const auto key = RecordKeyOf(r.text);
        ASSERT_EQ(key.has_value(), r.ok) << r.text;
        if (key) {
            EXPECT_EQ(*key, r.key) << r.text;
        }
    }
}

TEST(SimExchangesTest, AnswersRequestsAndHooksDefaults) {
    std::vector<std::string> sent;
    SimConfig config;
    config.Exchanges = 1;
    config.NakTexts = {2};
    SimExchanges sim(config, [&](std::string t) { sent.push_back(std::move(t)); });
    sim.SetDefaultText([](const SimRecordKey& k) -> std::optional<std::string> {
        if (k.Letter == 'M') return std::string("M011");
        return std::nullopt;
    });
    EXPECT_TRUE(sim.Receive("C0102abc", 0));
    EXPECT_FALSE(sim.Receive("C0103abc", 0));  // the second text is NAKed and not kept
    const std::string row = "0011" + std::string("123") + std::string(13, ' ') + "   5";
    EXPECT_TRUE(sim.Receive("K0121" "0011" "3" "01" + row, 0));
    EXPECT_TRUE(sim.Receive("Q00", 0));
    EXPECT_EQ(sent, (std::vector<std::string>{"C0102abc", "M011"}));

    sent.clear();
    EXPECT_TRUE(sim.Receive("T012", 0));
    ASSERT_EQ(sent.size(), 103u);
    EXPECT_EQ(sent[0].substr(0, 12), "K01211024110");
    EXPECT_EQ(sent[1].substr(12, 24), row);  // row 11 is the first of the second text
    EXPECT_EQ(sent[102].substr(0, 12), "K01211024204");
    EXPECT_EQ(sent[102].size(), 12u + 24 * 4);
}

}  // namespace
