// The modem's rules: the number as dialled, its result texts, the call's states.
#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// What a step asks for, in words.
std::string Asked(const ModemCall::Step& s) {
    std::string out;
    const std::pair<bool, const char*> flags[] = {{s.Dial, "dial "},         {s.StartReading, "read "},
                                                  {s.HangUp, "hangup "},     {s.NotifyOpened, "opened "},
                                                  {s.NotifyClosed, "closed "}, {s.NotifyFailed, "failed "}};
    for (const auto& [on, word] : flags)
        if (on) out += word;
    return out;
}

TEST(ModemRules, CallStepsThroughItsStates) {
    using S = ModemCall::State;
    // Events in turn: o open, c close, C connected, F dial failed, D disconnected,
    // i informational, h hung up; what the last asked for and the state after.
    struct Case {
        const char* events;
        const char* asked;
        S after;
    } const cases[] = {
        {"o", "dial ", S::Dialling},
        {"oo", "", S::Dialling},  // one dial at a time
        {"oC", "read opened ", S::Connected},
        {"oCo", "opened ", S::Connected},  // a request on the call: no second dial
        {"oCi", "", S::Connected},
        {"oCc", "hangup ", S::HangingUp},
        {"oCch", "closed ", S::Idle},
        {"oc", "closed ", S::Dialling},  // a close while dialling is answered at once
        {"ocC", "hangup ", S::HangingUp},  // and the connect does not open the loop
        {"ocCh", "", S::Idle},  // told once
        {"ocCho", "dial ", S::Dialling},
        {"ocF", "failed ", S::Idle},
        {"oCD", "hangup ", S::HangingUp},  // the far end hung up
        {"oCDh", "closed ", S::Idle},
    };
    for (const Case& c : cases) {
        ModemCall call;
        ModemCall::Step last;
        for (const char* e = c.events; *e; ++e) {
            switch (*e) {
            case 'o': last = call.Open(); break;
            case 'c': last = call.Close(); break;
            case 'C': last = call.Notice(ModemConnected); break;
            case 'F': last = call.Notice(ModemDialFailed); break;
            case 'D': last = call.Notice(ModemDisconnected); break;
            case 'i': last = call.Notice(6152); break;
            default: last = call.HungUp(); break;
            }
        }
        EXPECT_EQ(Asked(last), c.asked) << c.events;
        EXPECT_EQ(call.Current(), c.after) << c.events;
    }
}

}  // namespace
