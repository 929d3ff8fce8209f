// The modem's rules: the number as dialled, its result texts, the call's states.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/ModemRules.h"

namespace {

TEST(ModemRules, DialStringTurnsDashesIntoPauses) {
    EXPECT_EQ(DialString("0-123-4567"), "0,123,4567");
    EXPECT_EQ(DialString("--9"), ",,9");
    EXPECT_EQ(DialString(""), "");
}

// Feeds the reads in turn; the results that ended lines, in order.
std::vector<ModemResult> Results(ModemResponseParser& p, const std::vector<std::string>& reads) {
    std::vector<ModemResult> out;
    for (const std::string& r : reads)
        for (char c : r)
            if (const ModemResult m = p.Feed(static_cast<std::uint8_t>(c)); m != ModemResult::None) out.push_back(m);
    return out;
}

TEST(ModemRules, ResponsesAreReadLineByLineAcrossReads) {
    using R = ModemResult;
    struct Case {
        const char* name;
        std::vector<std::string> reads;
        std::vector<R> results;
        long speed;
    } const cases[] = {
        {"echo then OK", {"ATZ\r\r\nOK\r\n"}, {R::Echo, R::Ok}, 0},
        {"connect with a speed split over reads", {"\r\nCONN", "ECT 96", "00/ARQ\r", "\n"}, {R::Connect}, 9600},
        {"connect without a speed", {"\r\nCONNECT\r\n"}, {R::Connect}, 0},
        {"failures", {"BUSY\rNO CARRIER\nNO DIALTONE\r\nNO ANSWER\r\nERROR\r\n"},
         {R::Busy, R::NoCarrier, R::NoDialtone, R::NoAnswer, R::Error}, 0},
        {"words that only begin like a result", {"CONNECTED\r\nOKAY\r\nRING\r\n"}, {}, 0},
        {"a line past any result is dropped whole", {std::string(200, 'O') + "K\r\nOK\r\n"}, {R::Ok}, 0},
        {"a speed of endless digits stays bounded", {"CONNECT " + std::string(50, '9') + "\r"}, {R::Connect}, -1},
    };
    for (const Case& c : cases) {
        ModemResponseParser p;
        EXPECT_EQ(Results(p, c.reads), c.results) << c.name;
        if (c.speed >= 0) EXPECT_EQ(p.ConnectSpeed(), c.speed) << c.name;
        else EXPECT_GT(p.ConnectSpeed(), 0) << c.name;
    }
}

TEST(ModemRules, CarrierLossIsSeenInTheDataStream) {
    struct Case {
        std::string stream;
        int seen;
    } const cases[] = {
        {"\x10\x02" "F01\r\nNO CARRIER\r\n", 1},
        {"\r\r\nNO CARRIER\r", 1},
        {"NO CARRIER\r\n", 0},  // not at a line's start: the exchanges' own bytes
        {"\r\nNO CARRIEr\r\n\r\nNO CARRIER\r\n", 1},
    };
    for (const Case& c : cases) {
        CarrierWatch w;
        int seen = 0;
        for (char ch : c.stream) seen += w.Feed(static_cast<std::uint8_t>(ch)) ? 1 : 0;
        EXPECT_EQ(seen, c.seen) << c.stream;
    }
}

TEST(ModemRules, CallMovesThroughItsStates) {
    using S = ModemCall::State;
    ModemCall call;
    auto s = call.Open();
    EXPECT_TRUE(s.Dial);
    EXPECT_EQ(call.Current(), S::Dialling);
    EXPECT_FALSE(call.Open().Dial);  // one dial at a time
    s = call.Notice(ModemConnected);
    EXPECT_TRUE(s.StartReading && s.NotifyOpened);
    s = call.Open();  // a request on the call: answered at once
    EXPECT_TRUE(s.NotifyOpened && !s.Dial);
    EXPECT_FALSE(call.Notice(6152).HangUp);  // informational
    s = call.Close();
    EXPECT_TRUE(s.HangUp && !s.NotifyClosed);
    EXPECT_EQ(call.Current(), S::HangingUp);
    s = call.HungUp();
    EXPECT_TRUE(s.NotifyClosed);
    EXPECT_EQ(call.Current(), S::Idle);
}

TEST(ModemRules, CloseWhileDiallingKeepsTheCallFromOpening) {
    ModemCall call;
    call.Open();
    auto s = call.Close();
    EXPECT_TRUE(s.NotifyClosed && call.ClosePending());
    s = call.Notice(ModemConnected);
    EXPECT_FALSE(s.StartReading || s.NotifyOpened);
    EXPECT_TRUE(s.HangUp);
    EXPECT_FALSE(call.HungUp().NotifyClosed);  // told once, at the close
    EXPECT_TRUE(call.Open().Dial);  // and the next request dials anew
}

TEST(ModemRules, FailedDialAndRemoteHangUp) {
    ModemCall call;
    call.Open();
    call.Close();
    auto s = call.Notice(ModemDialFailed);
    EXPECT_TRUE(s.NotifyFailed && !call.ClosePending());
    EXPECT_EQ(call.Current(), ModemCall::State::Idle);
    call.Open();
    call.Notice(ModemConnected);
    s = call.Notice(ModemDisconnected);
    EXPECT_TRUE(s.HangUp);
    EXPECT_TRUE(call.HungUp().NotifyClosed);
}

}  // namespace
