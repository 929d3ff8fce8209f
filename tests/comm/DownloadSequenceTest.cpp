#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "comm/DownloadSequence.h"
#include "comm/SettingTextEncode.h"
#include "comm/SettingTextSequence.h"

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
    } cases[] = {
        {1, 0, 145, 3, 433}, {1, 1, 145, 3, 153}, {2, 0, 289, 16, 2305},
        {2, 2, 149, 2, 149}, {16, 5, 205, 1, 145}, {16, 0, 2305, 4, 577},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.SwitchCnt) + "/" + std::to_string(c.Selected));
        auto data = MakeSettingData();
        data->System.SwitchCnt = static_cast<uint8_t>(c.SwitchCnt);
        DownloadSequence seq(*data);
        const SequenceStep start = seq.Start(c.Selected);
        ASSERT_TRUE(start.Send);
        char q[4];
        std::snprintf(q, sizeof q, "Q%02d", c.Selected);
        EXPECT_EQ(start.Request.Text.View(), q);
        EXPECT_EQ(start.Request.SetBits, c.Selected ? 2 : 3);
        EXPECT_EQ(start.Request.ExchangeIndex, c.Selected ? c.Selected - 1 : 0);
        EXPECT_TRUE(start.Request.FirstText);
        EXPECT_EQ(start.Request.ProgressMode, kProgressOpen);
        EXPECT_FALSE(seq.Receiving());

        const SequenceStep ack = seq.OnResult(kTransferDone);
        EXPECT_TRUE(ack.ProgressReceiving);
        EXPECT_TRUE(seq.Receiving());
        EXPECT_EQ(seq.Progress().Total, c.Expected);

        const SequenceStep a = seq.OnResult(kTransferReceived, TextA(c.NewSwitchCnt));
        EXPECT_TRUE(a.ProgressStep);
        EXPECT_FALSE(a.Send);
        EXPECT_EQ(seq.Expected(), c.Recounted);
        EXPECT_EQ(data->System.SwitchCnt, c.NewSwitchCnt);
        EXPECT_EQ(data->Modified, 1);
    }
}

TEST(DownloadSequenceTest, DecodesEveryTextThenReleases) {
    auto src = MakeSettingData();
    src->System.SwitchCnt = 2;
    src->Exchange(2).Master[3].Number = "2104";
    src->Exchange(2).Master[3].NumberValue = 2104;
    src->Exchange(2).Master[3].Name = "LAST";
    src->DirectSelect.OutMode[1] = 7;
    auto data = MakeSettingData();
    data->System.SwitchCnt = 2;
    DownloadSequence seq(*data);
    seq.Start(0);
    seq.OnResult(kTransferDone);
    const int count = UploadTextCount(2, 0) - 1;
    EncodedText text;
    SequenceStep step;
    for (int i = 1; i <= count; ++i) {
        ASSERT_FALSE(step.Send) << i;
        ASSERT_TRUE(EncodeUploadText(*src, 0, i, text));
        step = seq.OnResult(kTransferReceived, text.View());
        ASSERT_TRUE(step.ProgressStep);
        ASSERT_EQ(seq.TimerRunning(), i < count) << i;
    }
    ASSERT_TRUE(step.Send);
    EXPECT_TRUE(step.Request.IsRelease());
    EXPECT_EQ(step.Request.ClearBits, 3);
    EXPECT_EQ(seq.Decoded(), count);
    EXPECT_EQ(data->Exchange(2).Master[3].Name.View(), "LAST");
    EXPECT_EQ(data->DirectSelect.OutMode[1], 7);

    const SequenceStep done = seq.OnResult(kTransferDone);  // the release came back
    EXPECT_TRUE(done.ProgressEnd);
    EXPECT_EQ(done.Message, nullptr);
    EXPECT_EQ(seq.Phase(), SequencePhase::Completed);
    EXPECT_EQ(seq.Progress().Percent(), 100);
}

TEST(DownloadSequenceTest, ResultCodesAndSupervision) {
    const struct {
        const char* Name;
        bool Receiving;   // the Q text was acknowledged first
        int Code;         // -1: run the watch out instead
        const char* Message;
        bool Release;
        SequencePhase Phase;
    } cases[] = {
        {"send fails", false, kTransferFailed, "Failed to receive", false, SequencePhase::Failed},
        {"receive fails", true, kTransferFailed, "Failed to receive", false, SequencePhase::Failed},
        {"no device", false, kTransferOpenFailed, "Failed to open the device", false, SequencePhase::Failed},
        {"withdrawn", true, kTransferCancelled, nullptr, false, SequencePhase::Cancelled},
        {"Q never acknowledged", false, -1, "Failed to transmit", true, SequencePhase::Failed},
        {"texts stop arriving", true, -1, "Communications time-out", true, SequencePhase::Failed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto data = MakeSettingData();
        DownloadSequence seq(*data);
        seq.Start(0);
        if (c.Receiving) {
            seq.OnResult(kTransferDone);
            seq.OnResult(kTransferReceived, TextA(1));
        }
        SequenceStep step;
        if (c.Code >= 0) {
            step = seq.OnResult(c.Code);
        } else {
            for (int i = 1; i < 120; ++i) ASSERT_FALSE(seq.OnTick().ProgressEnd) << i;
            step = seq.OnTick();
        }
        EXPECT_EQ(step.Message ? std::string(step.Message) : "", c.Message ? c.Message : "");
        EXPECT_EQ(step.Send, c.Release);
        if (c.Release) {
            EXPECT_EQ(step.Request.ClearBits, 3);
        }
        EXPECT_TRUE(step.ProgressEnd);
        EXPECT_EQ(step.ForgetRegistration, c.Code == kTransferCancelled);
        EXPECT_EQ(seq.Phase(), c.Phase);
        EXPECT_FALSE(seq.TimerRunning());
        // What arrived before stays decoded; the release's own answer and
        // late texts change nothing.
        EXPECT_EQ(data->Modified, c.Receiving ? 1 : 0);
        EXPECT_FALSE(seq.OnResult(kTransferDone).ProgressReceiving);
        EXPECT_FALSE(seq.OnResult(kTransferReceived, TextA(3)).ProgressStep);
        EXPECT_EQ(data->System.SwitchCnt, 1);
    }
}

TEST(DownloadSequenceTest, CancelStopsDecodingAndReleasesOnTheNextTick) {
    auto data = MakeSettingData();
    DownloadSequence seq(*data);
    seq.Start(0);
    seq.OnResult(kTransferDone);
    seq.Cancel();
    const SequenceStep text = seq.OnResult(kTransferReceived, TextA(4));
    EXPECT_FALSE(text.ProgressStep);
    EXPECT_EQ(data->System.SwitchCnt, 1);
    EXPECT_EQ(data->Modified, 0);
    EXPECT_EQ(seq.Received(), 1);
    const SequenceStep tick = seq.OnTick();
    ASSERT_TRUE(tick.Send);
    EXPECT_TRUE(tick.Request.IsRelease());
    EXPECT_EQ(tick.Request.ClearBits, 3);
    EXPECT_TRUE(tick.ProgressEnd);
    EXPECT_EQ(tick.Message, nullptr);
    EXPECT_EQ(seq.Phase(), SequencePhase::Cancelled);
}

}  // namespace
