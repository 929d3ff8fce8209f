// How the dialing assignment download ends: its messages, the release, and
// the texts it takes into the model.
#include <gtest/gtest.h>

#include "texts/SettingTextEncode.h"
#include "transfer/DialingDownloadSequence.h"

namespace {
struct Ending {
    const char* Name;
    bool Acknowledged;  // the T request went through first
    int Code;           // then this result; -1: 120 seconds pass instead
    const char* Message;
    bool Release;
};

TEST(DialingDownloadSequence, EndsWithTheMessageOfWhereItFailed) {
    const Ending endings[] = {
        {"request fails", false, kTransferFailed, "Failed to transmit", false},
        {"port fails", false, kTransferOpenFailed, "Failed to open the device", false},
        {"receiving fails", true, kTransferFailed, "Failed to receive", false},
        {"no answer", false, -1, "Communications time-out", true},
        {"texts stop", true, -1, "Communications time-out", true},
    };
    for (const Ending& e : endings) {
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
