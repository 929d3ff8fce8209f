#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "texts/SettingTextEncode.h"
#include "transfer/DialingDownloadSequence.h"
#include "transfer/DownloadSequence.h"

namespace {

std::string TextA(int switchCnt) {
    auto src = MakeSettingData();
    src->System.SwitchCnt = static_cast<uint8_t>(switchCnt);
    return std::string(EncodeSettingText('A', EncodeRequest{*src, 0}).View());
}

TEST(DownloadSequenceTest, ExpectedCountsAndTheRecountAfterTextA) {
    const struct {
        int SwitchCnt, Selected, Expected;
        int NewSwitchCnt, Recounted;  // after a text A with that SwitchCnt
        const char* Q;
    } cases[] = {
        {1, 1, 145, 3, 153, "Q01"}, {16, 5, 205, 1, 145, "Q05"}, {16, 0, 2305, 4, 577, "Q00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.SwitchCnt) + "/" + std::to_string(c.Selected));
        auto data = MakeSettingData();
        data->System.SwitchCnt = static_cast<uint8_t>(c.SwitchCnt);
        DownloadSequence seq(*data);
        const SequenceRequest q = seq.Start(c.Selected).Request;
        EXPECT_EQ(q.Text.View(), c.Q);
        EXPECT_EQ(std::tuple(int(q.SetBits), q.ExchangeIndex, q.FirstText, q.ProgressMode),
                  std::tuple(c.Selected ? 2 : 3, c.Selected ? c.Selected - 1 : 0, true, int(kProgressOpen)));
        EXPECT_TRUE(seq.OnResult(kTransferDone).ProgressReceiving);
        EXPECT_EQ(seq.Progress().Total, c.Expected);
        EXPECT_TRUE(seq.OnResult(kTransferReceived, TextA(c.NewSwitchCnt)).ProgressStep);
        EXPECT_EQ(std::tuple(seq.Expected(), int(data->System.SwitchCnt), int(data->Modified)),
                  std::tuple(c.Recounted, c.NewSwitchCnt, 1));
    }
    // A text A that lowers the count below what has arrived closes the download.
    auto data = MakeSettingData();
    data->System.SwitchCnt = 2;
    DownloadSequence seq(*data);
    seq.Start(0);
    seq.OnResult(kTransferDone);
    for (int i = 0; i < 150; ++i) seq.OnResult(kTransferReceived, "M011");
    const SequenceStep last = seq.OnResult(kTransferReceived, TextA(1));
    EXPECT_TRUE(last.Send && last.Request.IsRelease() && last.Request.ClearBits == 3);
    EXPECT_TRUE(seq.OnResult(kTransferDone).ProgressEnd);
    EXPECT_EQ(seq.Phase(), SequencePhase::Completed);
}

TEST(DownloadSequenceTest, ResultsSupervisionAndCancel) {
    enum { Tick = -1, CancelThenText = -2 };
    const struct {
        const char* Name;
        bool Receiving;   // the Q text was acknowledged and a text A arrived
        int Event;
        const char* Message;
        bool Release;
        SequencePhase Phase;
    } cases[] = {
        {"receive fails", true, kTransferFailed, "Failed to receive", false, SequencePhase::Failed},
        {"no device", false, kTransferOpenFailed, "Failed to open the device", false, SequencePhase::Failed},
        {"withdrawn", true, kTransferCancelled, "", false, SequencePhase::Cancelled},
        {"Q never acknowledged", false, Tick, "Failed to transmit", true, SequencePhase::Failed},
        {"cancelled", true, CancelThenText, "", true, SequencePhase::Cancelled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto data = MakeSettingData();
        DownloadSequence seq(*data);
        seq.Start(0);
        if (c.Receiving) seq.OnResult(kTransferDone), seq.OnResult(kTransferReceived, TextA(1));
        SequenceStep step;
        if (c.Event == CancelThenText) {
            seq.Cancel();
            // Counted, not decoded; the next tick releases the link.
            EXPECT_FALSE(seq.OnResult(kTransferReceived, TextA(4)).ProgressStep);
            EXPECT_EQ(seq.Received(), 2);
            step = seq.OnTick();
        } else if (c.Event == Tick) {
            for (int i = 1; i < 120; ++i) ASSERT_FALSE(seq.OnTick().ProgressEnd) << i;
            step = seq.OnTick();
        } else {
            step = seq.OnResult(c.Event);
        }
        EXPECT_STREQ(step.Message ? step.Message : "", c.Message);
        EXPECT_TRUE(!step.Send || (step.Request.IsRelease() && step.Request.ClearBits == 3 && !step.Request.AsCancel));
        EXPECT_EQ(std::tuple(step.Send, step.ProgressEnd, step.ForgetRegistration, seq.Phase(), seq.TimerRunning()),
                  std::tuple(c.Release, true, c.Event == kTransferCancelled, c.Phase, false));
        // What arrived before stays decoded; the release's own answer and
        // late texts change nothing.
        EXPECT_EQ(data->Modified, c.Receiving ? 1 : 0);
        EXPECT_FALSE(seq.OnResult(kTransferDone).ProgressReceiving);
        EXPECT_FALSE(seq.OnResult(kTransferReceived, TextA(3)).ProgressStep);
        EXPECT_EQ(data->System.SwitchCnt, 1);
    }
}

// How the dialing assignment download ends: its messages, the release, and
// the texts it takes into the model.
TEST(DialingDownloadSequence, EndsWithTheMessageOfWhereItFailed) {
    const struct {
        const char* Name;
        bool Acknowledged;  // the T request went through first
        int Code;           // then this result; -1: 120 seconds pass instead
        const char* Message;
        bool Release;
    } endings[] = {
        {"request fails", false, kTransferFailed, "Failed to transmit", false},
        {"port fails", false, kTransferOpenFailed, "Failed to open the device", false},
        {"receiving fails", true, kTransferFailed, "Failed to receive", false},
        {"no answer", false, -1, "Communications time-out", true},
        {"texts stop", true, -1, "Communications time-out", true},
    };
    for (const auto& e : endings) {
        auto data = MakeSettingData();
        DialingDownloadSequence seq(*data, 2, 3);
        EXPECT_EQ(seq.Start().Request.Text.View(), "T023") << e.Name;
        if (e.Acknowledged) {
            EXPECT_TRUE(seq.OnResult(kTransferDone, {}).ProgressReceiving) << e.Name;
        }
        SequenceStep step;
        if (e.Code >= 0) step = seq.OnResult(e.Code, {});
        for (int s = 0; e.Code < 0 && s < SecondsWatch::kLimit; ++s) step = seq.OnTick();
        EXPECT_STREQ(step.Message, e.Message) << e.Name;
        EXPECT_EQ(step.Send && step.Request.IsRelease(), e.Release) << e.Name;
        EXPECT_EQ(seq.Phase(), SequencePhase::Failed) << e.Name;
    }
}

TEST(DialingDownloadSequence, TakesOnlyItsMastersTextsAndReleasesAfterTheLast) {
    auto source = MakeSettingData();
    source->DirectSelect.Rows[1][2][1023].Dial = "1023";
    auto data = MakeSettingData();
    DialingDownloadSequence seq(*data, 2, 3);
    seq.Start();
    seq.OnResult(kTransferDone, {});
    const std::string foreign(EncodeSettingText('K', EncodeRequest{*source, 2, 2, 0, kDialRows}).View());
    EXPECT_FALSE(seq.OnResult(kTransferReceived, foreign).ProgressStep);
    SequenceStep step;
    for (int b = 0; b < DialingDownloadSequence::Expected(); ++b)
        step = seq.OnResult(kTransferReceived, EncodeSettingText('K', EncodeRequest{*source, 2, 3, b, kDialRows}).View());
    EXPECT_TRUE(step.Send && step.Request.IsRelease());
    EXPECT_EQ(data->DirectSelect.Rows[1][2][1023].Dial, "1023");
    EXPECT_EQ(data->Modified, 1);
    seq.OnResult(kTransferDone, {});
    EXPECT_EQ(seq.Phase(), SequencePhase::Completed);
}

}  // namespace
