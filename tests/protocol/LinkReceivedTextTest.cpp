#include <gtest/gtest.h>

#include <cstring>

#include "protocol/ExchangeStatusText.h"
#include "protocol/ReceivedBlock.h"

namespace {

TEST(ReceivedBlockTest, HeaderHoldsLengthAtOffset16) {
    const ReceivedBlock block(std::string_view("o01\x00z", 5));
    EXPECT_EQ(block.Size(), 25u);
    const std::uint8_t header[20] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0};
    EXPECT_EQ(std::memcmp(block.Bytes(), header, 20), 0);
    EXPECT_EQ(block.Text(), std::string_view("o01\x00z", 5));
}

TEST(ReceivedBlockTest, DispatchByFirstByte) {
    using K = ReceivedTextKind;
    const struct { const char* letters; K kind; } rows[] = {
        {"ABCDEFGHIJLMNOPQU", K::SettingData},
        {"K", K::DialingAssignment},
        {"o", K::LogData},
        {"p", K::MonitorData},
        {"z", K::ExchangeStatus},
        {"RSTVWXYZsa0", K::Unused},
    };
    for (const auto& r : rows) {
        for (const char* c = r.letters; *c; ++c)
            EXPECT_EQ(ClassifyReceivedText(std::string(1, *c) + "01"), r.kind) << *c;
    }
    EXPECT_EQ(ClassifyReceivedText(""), K::Unused);
    EXPECT_EQ(ClassifyReceivedText(std::string_view("\0", 1)), K::Unused);
}

TEST(ExchangeStatusTextTest, MessagesByStatus) {
    const struct { std::string text; bool decodes; std::string message; } rows[] = {
        {"z161", true, "Exchange No. 16\nCommunication Error"},
        {"z012", true, ""},
        {"z01", false, ""},  // too short: nothing is read past the text
        {"o010", false, ""},
    };
    for (const auto& r : rows) {
        const auto status = ExchangeStatusText::Decode(r.text);
        ASSERT_EQ(status.has_value(), r.decodes) << r.text;
        if (status) {
            EXPECT_EQ(status->Message(), r.message) << r.text;
        }
    }
}

}  // namespace
