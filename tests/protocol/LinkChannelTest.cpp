#include <gtest/gtest.h>

#include <string>

#include "protocol/LinkTestOwner.h"
#include "protocol/Frame.h"

namespace {

TEST(FrameTest, FramesTextWithBcc) {
    std::uint8_t out[Link::FrameCapacity];
    const struct { std::string text; std::string frame; } rows[] = {
        {"A01", "10 02 41 30 31 10 03 53"},
        {"", "10 02 10 03 13"},
        {"03", "10 02 30 33 10 03 10"},  // a BCC that equals DLE is sent as is
    };
    for (const auto& r : rows) {
        const std::size_t n = BuildFrame(r.text, out, sizeof out);
        EXPECT_EQ(HexBytes(out, n), r.frame) << r.text;
    }
    EXPECT_EQ(BuildFrame(std::string(1019, 'A'), out, sizeof out), 1024u);
    EXPECT_EQ(BuildFrame(std::string(1020, 'A'), out, sizeof out), 0u);
    EXPECT_EQ(BuildFrame("A01", out, 7), 0u);
}

// Scripts that bring a fresh channel into each state.
const char* const kIdle = "";
const char* const kEnquirySent = "Q:A01 I";
const char* const kTextSent = "Q:A01 I 10 06";
const char* const kReceiveReady = "10 05";
const char* const kReceivingText = "10 05 10 02 41";
const char* const kAwaitBcc = "10 05 10 02 41 10 03";
const char* const kLineError = "10 05 41";
const std::string kFrameA01 = "10 02 41 30 31 10 03 53";

struct Row {
    const char* name;
    std::string setup;
    std::string action;
    ChannelState state;
    std::string written;  // during the action
    std::vector<int> codes;
    bool dleSeen = false;
};

using S = ChannelState;

TEST(LinkChannelTest, EveryStateWithItsEvents) {
    const Row rows[] = {
        {"idle read, empty queue", kIdle, "I", S::Idle, "", {}},
        {"idle read takes the queued request", kIdle, "Q:A01 I", S::EnquirySent, "10 05", {}},
        {"request waits for the idle read", kIdle, "Q:A01 41", S::Idle, "", {}},
        {"DLE sets DLE-seen", kIdle, "10", S::Idle, "", {}, true},
        {"exchange bids while idle", kIdle, "10 05", S::ReceiveReady, "10 06", {}},
        {"an idle read keeps DLE-seen", kIdle, "10 I 05", S::ReceiveReady, "10 06", {}},
        {"ENQ without DLE", kIdle, "05", S::Idle, "", {}},
        {"other byte clears DLE-seen", kIdle, "10 41 05", S::Idle, "", {}},
        {"failed read in idle", kIdle, "10 F 05", S::Idle, "", {}},

        {"ACK sends the frame", kEnquirySent, "10 06", S::TextSent, kFrameA01, {}},
        {"ACK without DLE", kEnquirySent, "06", S::EnquirySent, "", {}},
        {"NAK bids again", kEnquirySent, "10 15", S::EnquirySent, "10 05", {}},
        {"send timer runs out on idle", kEnquirySent, "T30 I", S::EnquirySent, "10 05", {}},
        {"send timer one tick short", kEnquirySent, "T29 I", S::EnquirySent, "", {}},
        {"no expiry without an idle read", kEnquirySent, "T40 41", S::EnquirySent, "", {}},
        {"collision: exchange bids too", kEnquirySent, "10 05", S::EnquirySent, "", {}},
        {"other byte clears DLE-seen", kEnquirySent, "10 41 06", S::EnquirySent, "", {}},
        // A char timer left running by a receive time-out runs out here and only clears.
        {"stale char timer", "10 05 10 02 41 T30 I", "Q:A01 I 10 T10 I", S::EnquirySent, "10 05", {}},

        {"ACK ends with EOT", kTextSent, "10 06", S::Idle, "10 04", {0x0101}},
        {"ACK: a queued request bids at once", kTextSent, "Q:B01 10 06", S::EnquirySent, "10 04 10 05", {0x0101}},
        {"NAK sends the frame again", kTextSent, "10 15", S::TextSent, kFrameA01, {}},
        {"time-out sends the frame again", kTextSent, "T30 I", S::TextSent, kFrameA01, {}},
        {"NAK without DLE", kTextSent, "15", S::TextSent, "", {}},
        {"failed read clears", kTextSent, "10 F 06", S::TextSent, "", {}},

        {"DLE DLE", kReceiveReady, "10 10", S::LineError, "", {}},
        {"repeated bid is acknowledged", kReceiveReady, "10 05", S::ReceiveReady, "10 06", {}},
        {"ENQ without DLE", kReceiveReady, "05", S::LineError, "", {}},
        {"DLE STX opens a text", kReceiveReady, "10 02", S::ReceivingText, "", {}},
        {"STX without DLE", kReceiveReady, "02", S::LineError, "", {}},
        {"DLE EOT ends", kReceiveReady, "10 04", S::Idle, "", {}},
        {"DLE EOT: a waiting request bids at once", kReceiveReady, "Q:A01 10 04", S::EnquirySent, "10 05", {}},
        {"EOT without DLE", kReceiveReady, "04", S::LineError, "", {}},
        {"other byte", kReceiveReady, "41", S::LineError, "", {}},
        {"failed read", kReceiveReady, "F", S::LineError, "", {}},
        {"char time-out clears DLE-seen", kReceiveReady, "10 T10 I", S::ReceiveReady, "", {}, false},
        {"receive time-out returns silently", kReceiveReady, "T30 I", S::Idle, "", {}},

        {"doubled DLE is one byte", kReceivingText, "10 10", S::ReceivingText, "", {}},
        {"DLE STX inside a text", kReceivingText, "10 02", S::LineError, "", {}},
        {"control bytes without DLE are data", kReceivingText, "05 02 04 06 15", S::ReceivingText, "", {}},
        {"DLE ETX ends the text", kReceivingText, "10 03", S::AwaitBcc, "", {}},
        {"failed read", kReceivingText, "F", S::LineError, "", {}},
        {"gap of 1 s answers NAK", kReceivingText, "T10 I", S::ReceiveReady, "10 15", {}},
        {"receive time-out wins over the char timer", kReceivingText, "T30 I", S::Idle, "", {}},

        {"good BCC", kAwaitBcc, "52", S::ReceiveReady, "10 06", {0x0201}},
        {"wrong BCC", kAwaitBcc, "53", S::ReceiveReady, "10 15", {}},
        {"failed read", kAwaitBcc, "F", S::ReceiveReady, "10 15", {}},
        {"no BCC within 1 s", kAwaitBcc, "T10 I", S::ReceiveReady, "10 15", {}},
        {"BCC equal to DLE", "10 05 10 02 30 33 10 03", "10", S::ReceiveReady, "10 06", {0x0201}},

        {"bytes restart the char timer", kLineError, "T9 41 T9 I", S::LineError, "", {}},
        {"silence of 1 s answers NAK", kLineError, "T10 I", S::ReceiveReady, "10 15", {}},
        {"receive time-out", kLineError, "T30 41 T9 I", S::Idle, "", {}},
        {"failed read restarts the char timer", kLineError, "T9 F T9 I", S::LineError, "", {}},

        // Limits: the fourth bad text in a row, and a text too long for a frame.
        {"fourth NAK gives up", "10 05 10 02 41 10 03 00 10 02 41 10 03 00 10 02 41 10 03 00", "10 02 41 10 03 00",
         S::Idle, "10 15", {0x8501}},
        // A request queued to follow another goes only straight after it was acknowledged.
        {"follower after its acknowledged text", kIdle, "Q:A01 Q+:B01 I 10 06 10 06", S::EnquirySent,
         "10 05 " + kFrameA01 + " 10 04 10 05", {0x0101}},
        {"follower of a failed text comes back unsent", "Q:A01 Q+:B01 I", "T30 I T30 I T30 I T30 I I", S::Idle,
         "10 05 10 05 10 05", {0x8401, 0x8601}},
        {"text too long fails unsent", kIdle, "Q:" + std::string(1020, 'A') + " I", S::Idle, "", {0x8401}},
    };
    for (const Row& r : rows) {
        LinkTestOwner owner;
        owner.Run(r.setup);
        owner.written.clear();
        owner.Run(r.action);
        const std::string where =
            std::string(r.name) + " [" + r.setup.substr(0, 60) + "] + [" + r.action.substr(0, 60) + "]";
        EXPECT_EQ(owner.channel.State(), r.state) << where;
        EXPECT_EQ(owner.written, r.written) << where;
        EXPECT_EQ(owner.Codes(), r.codes) << where;
        EXPECT_EQ(owner.channel.DleSeen(), r.dleSeen) << where;
    }
}

TEST(LinkChannelTest, RetryLimitIsSharedByBidAndText) {
    const struct { const char* name; const char* script; int transmissions; } rows[] = {
        {"four NAKs to the text", "Q:A01 I 10 06 10 15 10 15 10 15 10 15", 5},
        {"two to the bid, two to the text", "Q:A01 I 10 15 10 15 10 06 10 15 10 15", 5},
        {"silence", "Q:A01 I T30 I T30 I T30 I T30 I", 4},
    };
    for (const auto& r : rows) {
        LinkTestOwner owner(2);
        owner.Run(r.script);
        ASSERT_EQ(owner.Codes(), std::vector<int>{0x8403}) << r.name;
        EXPECT_EQ(owner.outcomes[0].Request->LinkText(), "A01");
        EXPECT_EQ(owner.channel.State(), ChannelState::Idle);
        EXPECT_FALSE(owner.channel.Sending());
        // ENQ and frames together: the fourth failure sends nothing more.
        const std::string& w = owner.written;
        int sent = 0;
        for (std::size_t p = 0; (p = w.find("10 05", p)) != std::string::npos; ++p) ++sent;
        for (std::size_t p = 0; (p = w.find("10 02", p)) != std::string::npos; ++p) ++sent;
        EXPECT_EQ(sent, r.transmissions) << r.name << ": " << w;
        EXPECT_EQ(w.find("10 04"), std::string::npos);
    }
}

TEST(LinkChannelTest, ReceivedTextsBecomeBlocks) {
    const struct { const char* name; std::string bytes; std::string text; bool block; } rows[] = {
        {"doubled DLE", "10 05 10 02 41 10 10 42 10 03 10", std::string("A\x10" "B"), true},
        {"lone ETX", "10 05 10 02 41 03 42 10 03 13", "A\x03" "B", true},
        {"empty text", "10 05 10 02 10 03 13", "", false},
    };
    for (const auto& r : rows) {
        LinkTestOwner owner;
        owner.Run(r.bytes + " 10 04");
        EXPECT_EQ(owner.written, "10 06 10 06") << r.name;
        EXPECT_EQ(owner.channel.State(), ChannelState::Idle) << r.name;
        ASSERT_EQ(owner.outcomes.size(), r.block ? 1u : 0u) << r.name;
        if (r.block) {
            EXPECT_EQ(owner.outcomes[0].Code, 0x0201);
            EXPECT_EQ(owner.outcomes[0].Block->Text(), r.text) << r.name;
        }
    }
}

TEST(LinkChannelTest, ReceiveBufferHoldsAtMost1024Bytes) {
    for (const int extra : {0, 1}) {
        LinkTestOwner owner;
        LinkChannel& ch = owner.channel;
        owner.Run("10 05 10 02");
        // 1023 text bytes and the ETX fill the buffer exactly.
        const int letters = 1023 + extra;
        for (int i = 0; i < letters; ++i) ch.FeedByte('A');
        owner.Run("10 03");
        EXPECT_LE(ch.ReceiveCount(), 1024u);
        if (extra) {
            EXPECT_EQ(ch.State(), ChannelState::LineError);
            continue;
        }
        ASSERT_EQ(ch.State(), ChannelState::AwaitBcc);
        ch.FeedByte(static_cast<std::uint8_t>('A' ^ 0x10 ^ 0x03));  // odd count of 'A'
        ASSERT_EQ(owner.Codes(), std::vector<int>{0x0201});
        EXPECT_EQ(owner.outcomes[0].Block->Length(), 1023u);
    }
}

TEST(LinkChannelTest, ResetReturnsTheRequestAndClearsEverything) {
    LinkTestOwner owner;
    LinkChannel& ch = owner.channel;
    owner.Run("Q:A01 I 10 06 10");
    ASSERT_EQ(ch.State(), ChannelState::TextSent);
    ch.Reset();
    EXPECT_EQ(owner.resets, std::vector<std::string>{"A01"});
    EXPECT_EQ(ch.State(), ChannelState::Idle);
    EXPECT_FALSE(ch.DleSeen());
    EXPECT_FALSE(ch.TimerRunning(LinkChannel::SendTimer));
    EXPECT_EQ(ch.TimerCount(LinkChannel::SendTimer), 0);
    EXPECT_FALSE(ch.Sending());
    owner.Run("R");
    EXPECT_EQ(owner.resets, (std::vector<std::string>{"A01", ""}));
}

}  // namespace
