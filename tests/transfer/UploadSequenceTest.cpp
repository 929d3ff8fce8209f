#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "transfer/UploadSequence.h"

namespace {

// "A00:1 B01:4 ...": runs of letter and exchange field of the texts an upload
// sends when every one is acknowledged; "release/2" for the release request.
std::string UploadRuns(int switchCnt, int selected, int& count) {
    auto data = MakeSettingData();
    data->System.SwitchCnt = static_cast<uint8_t>(switchCnt);
    UploadSequence seq(*data);
    std::string runs, key;
    int run = 0;
    count = 0;
    for (SequenceStep step = seq.Start(selected); step.Send && count < 5000; step = seq.OnResult(kTransferDone)) {
        const SequenceRequest& r = step.Request;
        EXPECT_EQ(r.ProgressMode, ++count == 1 ? kProgressOpen : kProgressRetitle);
        EXPECT_EQ(r.ProgressTotal, UploadTextCount(switchCnt, selected));
        const std::string k = r.IsRelease() ? "release/" + std::to_string(r.ClearBits) : std::string(r.Text.View().substr(0, 3));
        if (!r.IsRelease()) {
            EXPECT_EQ(r.SetBits * 10 + r.ClearBits, 20) << r.Text.View();
            EXPECT_EQ(r.ExchangeIndex, k == "A00" ? 0 : std::stoi(k.substr(1)) - 1) << r.Text.View();
        }
        if (k != key && run) runs += (runs.empty() ? "" : " ") + key + ":" + std::to_string(run), run = 0;
        key = k, ++run;
    }
    EXPECT_EQ(seq.Phase(), SequencePhase::Completed);
    EXPECT_EQ(seq.Progress().Percent(), 100);
    return runs + " " + key + ":" + std::to_string(run);
}

TEST(UploadSequenceTest, SendsEveryTextInOrderThenTheRelease) {
    const char* one = "A00:1 B01:4 C01:64 D01:1 E01:4 F01:1 G01:4 H01:19 I01:19 J01:19 U01:4 L01:4 M01:1 release/2:1";
    const struct { int SwitchCnt, Selected, Count; const char* Runs; } cases[] = {
        {1, 0, 146, one},
        {1, 1, 146, one},
        {2, 0, 290, "A00:1 B01:4 B02:4 C01:64 C02:64 D01:1 D02:1 E01:4 E02:4 F01:1 F02:1 G01:4 G02:4 H01:19 H02:19 "
                    "I01:19 I02:19 J01:19 J02:19 U01:4 U02:4 L01:4 L02:4 M01:1 M02:1 release/2:1"},
        {2, 2, 150, "A00:1 B01:4 B02:4 C02:64 D02:1 E02:4 F02:1 G02:4 H02:19 I02:19 J02:19 U02:4 L02:4 M02:1 release/2:1"},
    };
    for (const auto& c : cases) {
        int count = 0;
        EXPECT_EQ(UploadRuns(c.SwitchCnt, c.Selected, count), c.Runs) << c.SwitchCnt << "/" << c.Selected;
        EXPECT_EQ(count, c.Count) << c.SwitchCnt << "/" << c.Selected;
    }
}

// After four acknowledged texts: a result, or the user's cancel and then an
// acknowledgement (Cancel+0) or the 120th tick (Cancel+tick), or 120 ticks.
TEST(UploadSequenceTest, ResultsSupervisionAndCancel) {
    enum { Tick = -1, CancelThenDone = -2, CancelThenTick = -3 };
    const struct {
        int Event;
        const char* Message;
        SequencePhase Phase;
        int Release;  // clear-bits of the release sent, -1 none; +10 as a cancel
    } cases[] = {
        {kTransferFailed, "Failed to transmit", SequencePhase::Failed, -1},
        {kTransferOpenFailed, "Failed to open the device", SequencePhase::Failed, -1},
        {kTransferCancelled, "", SequencePhase::Cancelled, -1},
        {kTransferReceived, "", SequencePhase::Running, -1},
        {Tick, "Failed to transmit", SequencePhase::Failed, 3},
        {CancelThenDone, "", SequencePhase::Cancelled, 13},
        {CancelThenTick, "", SequencePhase::Cancelled, 3},
    };
    auto data = MakeSettingData();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Event);
        UploadSequence seq(*data);
        ASSERT_TRUE(seq.Start(0).Send);
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(seq.OnResult(kTransferDone).Send);
        for (int i = 1; i < 120; ++i) ASSERT_FALSE(seq.OnTick().Send);  // an answer restarted the count
        if (c.Event <= CancelThenDone) seq.Cancel();
        const SequenceStep step = c.Event == CancelThenDone ? seq.OnResult(kTransferDone)
                                  : c.Event < 0             ? seq.OnTick()
                                                            : seq.OnResult(c.Event);
        EXPECT_STREQ(step.Message ? step.Message : "", c.Message);
        EXPECT_TRUE(!step.Send || step.Request.IsRelease());
        const bool running = c.Phase == SequencePhase::Running;
        EXPECT_EQ(std::tuple(seq.Phase(), step.Send ? step.Request.ClearBits + 10 * step.Request.AsCancel : -1,
                             step.ProgressEnd, step.ForgetRegistration, seq.TimerRunning(), seq.Progress().Count),
                  std::tuple(c.Phase, c.Release, !running, c.Event == kTransferCancelled, running,
                             4 + (c.Event == CancelThenDone)));
        // A late answer (the release's own included) starts nothing once it ended.
        EXPECT_EQ(seq.OnResult(kTransferDone).Send, c.Phase == SequencePhase::Running);
        EXPECT_TRUE(seq.OnResult(kTransferCancelled).ForgetRegistration);
    }
    UploadSequence outside(*data);
    EXPECT_FALSE(outside.Start(2).Send);  // SwitchCnt is 1
    EXPECT_EQ(outside.Phase(), SequencePhase::Idle);
}

TEST(TransferSequenceTest, ExchangeNumberTyped) {
    const struct { const char* Typed; int Value; } cases[] = {
        {"", 0}, {"  ", 0}, {"abc", 0}, {"0", 0}, {"1", 1}, {" 2 ", 2}, {"02", 2}, {"3", 0}, {"-1", 0}, {"1x", 0}, {"002", 0}};
    for (const auto& c : cases) EXPECT_EQ(ParseExchangeNo(c.Typed, 2), c.Value) << '"' << c.Typed << '"';
}

}  // namespace
