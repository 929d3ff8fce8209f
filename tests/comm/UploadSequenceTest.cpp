#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/UploadSequence.h"

namespace {

// Runs an upload in which every request is acknowledged; returns every request.
std::vector<SequenceRequest> UploadAll(const SettingData& data, int selected, SequenceStep* last = nullptr) {
    UploadSequence seq(data);
    std::vector<SequenceRequest> sent;
    SequenceStep step = seq.Start(selected);
    while (step.Send && sent.size() < 5000) {
        sent.push_back(step.Request);
        step = seq.OnResult(kTransferDone);
    }
    EXPECT_EQ(seq.Phase(), SequencePhase::Completed);
    EXPECT_EQ(seq.Progress().Percent(), 100);
    if (last) *last = step;
    return sent;
}

// "A00:1 B01:4 ..." runs of letter and exchange field; "release/2" for a release.
std::string Runs(const std::vector<SequenceRequest>& sent) {
    std::string runs, key;
    int count = 0;
    auto flush = [&] {
        if (count) runs += (runs.empty() ? "" : " ") + key + ":" + std::to_string(count);
    };
    for (const auto& r : sent) {
        const std::string k = r.IsRelease() ? "release/" + std::to_string(r.ClearBits)
                                            : std::string(r.Text.View().substr(0, 3));
        if (k != key) flush(), key = k, count = 0;
        ++count;
    }
    flush();
    return runs;
}

TEST(UploadSequenceTest, SendsEveryTextInOrderThenTheRelease) {
    const struct {
        int SwitchCnt, Selected, Count;
        const char* Runs;
    } cases[] = {
        {1, 0, 146, "A00:1 B01:4 C01:64 D01:1 E01:4 F01:1 G01:4 H01:19 I01:19 J01:19 U01:4 L01:4 M01:1 release/2:1"},
        {1, 1, 146, "A00:1 B01:4 C01:64 D01:1 E01:4 F01:1 G01:4 H01:19 I01:19 J01:19 U01:4 L01:4 M01:1 release/2:1"},
        {2, 0, 290,
         "A00:1 B01:4 B02:4 C01:64 C02:64 D01:1 D02:1 E01:4 E02:4 F01:1 F02:1 G01:4 G02:4 H01:19 H02:19 "
         "I01:19 I02:19 J01:19 J02:19 U01:4 U02:4 L01:4 L02:4 M01:1 M02:1 release/2:1"},
        {2, 2, 150, "A00:1 B01:4 B02:4 C02:64 D02:1 E02:4 F02:1 G02:4 H02:19 I02:19 J02:19 U02:4 L02:4 M02:1 release/2:1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.SwitchCnt) + "/" + std::to_string(c.Selected));
        auto data = MakeSettingData();
        data->System.SwitchCnt = static_cast<uint8_t>(c.SwitchCnt);
        SequenceStep last;
        const auto sent = UploadAll(*data, c.Selected, &last);
        ASSERT_EQ(static_cast<int>(sent.size()), c.Count);
        EXPECT_EQ(Runs(sent), c.Runs);
        EXPECT_TRUE(last.ProgressStep && last.ProgressEnd && !last.Message && !last.Send);
        for (std::size_t i = 0; i < sent.size(); ++i) {
            const SequenceRequest& r = sent[i];
            EXPECT_EQ(r.ProgressMode, i == 0 ? kProgressOpen : kProgressRetitle) << i;
            EXPECT_EQ(r.FirstText, i == 0) << i;
            EXPECT_EQ(r.ProgressTotal, c.Count) << i;
            EXPECT_FALSE(r.AsCancel);
            if (r.IsRelease()) continue;
            EXPECT_EQ(r.SetBits, 2) << i;
            EXPECT_EQ(r.ClearBits, 0) << i;
            const int exchange = std::stoi(std::string(r.Text.View().substr(1, 2)));
            EXPECT_EQ(r.ExchangeIndex, exchange ? exchange - 1 : 0) << r.Text.View();
        }
    }
}

TEST(UploadSequenceTest, ResultCodes) {
    const struct {
        int Code;
        const char* Message;
        SequencePhase Phase;
        bool Forget;
    } cases[] = {
        {kTransferFailed, "Failed to transmit", SequencePhase::Failed, false},
        {kTransferOpenFailed, "Failed to open the device", SequencePhase::Failed, false},
        {kTransferCancelled, nullptr, SequencePhase::Cancelled, true},
        {kTransferReceived, nullptr, SequencePhase::Running, false},
    };
    auto data = MakeSettingData();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Code);
        UploadSequence seq(*data);
        ASSERT_TRUE(seq.Start(0).Send);
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(seq.OnResult(kTransferDone).Send);
        const SequenceStep step = seq.OnResult(c.Code);
        EXPECT_EQ(step.Message ? std::string(step.Message) : "", c.Message ? c.Message : "");
        EXPECT_EQ(seq.Phase(), c.Phase);
        EXPECT_EQ(step.ForgetRegistration, c.Forget);
        EXPECT_FALSE(step.Send);
        EXPECT_EQ(step.ProgressEnd, c.Phase != SequencePhase::Running);
        EXPECT_EQ(seq.TimerRunning(), c.Phase == SequencePhase::Running);
        EXPECT_EQ(seq.Progress().Count, 4);
        // A late acknowledgement starts nothing once the upload has ended.
        EXPECT_EQ(seq.OnResult(kTransferDone).Send, c.Phase == SequencePhase::Running);
    }
}

TEST(UploadSequenceTest, SupervisionAndCancel) {
    auto data = MakeSettingData();
    {
        UploadSequence seq(*data);
        seq.Start(0);
        for (int i = 1; i < 120; ++i) ASSERT_FALSE(seq.OnTick().Send) << i;
        seq.OnResult(kTransferDone);  // an answer restarts the count
        for (int i = 1; i < 120; ++i) ASSERT_FALSE(seq.OnTick().Send) << i;
        const SequenceStep step = seq.OnTick();
        ASSERT_TRUE(step.Send);
        EXPECT_TRUE(step.Request.IsRelease());
        EXPECT_EQ(step.Request.ClearBits, 3);
        EXPECT_FALSE(step.Request.AsCancel);
        EXPECT_STREQ(step.Message, "Failed to transmit");
        EXPECT_TRUE(step.ProgressEnd);
        EXPECT_EQ(seq.Phase(), SequencePhase::Failed);
        EXPECT_FALSE(seq.TimerRunning());
        EXPECT_FALSE(seq.OnTick().Send);
        EXPECT_FALSE(seq.OnResult(kTransferDone).Send);  // the release's own answer
    }
    {
        // Cancelled while a text is in flight: its answer brings a cancel
        // instead of the next text, and the channel reset's code 4 follows.
        UploadSequence seq(*data);
        seq.Start(1);
        seq.Cancel();
        const SequenceStep step = seq.OnResult(kTransferDone);
        ASSERT_TRUE(step.Send);
        EXPECT_TRUE(step.Request.IsRelease() && step.Request.AsCancel);
        EXPECT_TRUE(step.ProgressEnd);
        EXPECT_EQ(step.Message, nullptr);
        EXPECT_EQ(seq.Counter(), 1);
        EXPECT_EQ(seq.Phase(), SequencePhase::Cancelled);
        EXPECT_TRUE(seq.OnResult(kTransferCancelled).ForgetRegistration);
    }
    {
        // Cancelled and no answer: the next tick releases the link.
        UploadSequence seq(*data);
        seq.Start(0);
        seq.Cancel();
        const SequenceStep step = seq.OnTick();
        ASSERT_TRUE(step.Send);
        EXPECT_TRUE(step.Request.IsRelease() && !step.Request.AsCancel);
        EXPECT_EQ(step.Request.ClearBits, 3);
        EXPECT_EQ(step.Message, nullptr);
        EXPECT_EQ(seq.Phase(), SequencePhase::Cancelled);
    }
}

TEST(UploadSequenceTest, RefusesAnExchangeOutsideTheInstallation) {
    auto data = MakeSettingData();
    data->System.SwitchCnt = 2;
    for (int selected : {-1, 3}) {
        UploadSequence seq(*data);
        EXPECT_FALSE(seq.Start(selected).Send) << selected;
        EXPECT_EQ(seq.Phase(), SequencePhase::Idle);
    }
}

TEST(TransferSequenceTest, ExchangeNumberTyped) {
    const struct {
        const char* Typed;
        int Value;
    } cases[] = {{"", 0}, {"  ", 0}, {"abc", 0}, {"0", 0}, {"1", 1}, {" 2 ", 2}, {"02", 2},
                 {"3", 0}, {"-1", 0}, {"1x", 0}, {"002", 0}};
    for (const auto& c : cases) EXPECT_EQ(ParseExchangeNo(c.Typed, 2), c.Value) << '"' << c.Typed << '"';
}

}  // namespace
