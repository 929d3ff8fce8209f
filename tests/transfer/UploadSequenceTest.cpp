#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "transfer/EditorUpload.h"
#include "transfer/SingleRequest.h"
#include "transfer/UploadSequence.h"

namespace {

// "A00:1 B01:4 ...": runs of letter and exchange field of the texts an upload
// sends when every one is acknowledged; "release/2" for the release request.
std::string Runs(UploadSequence& seq, int selected, int total) {
    std::string runs, key;
    int run = 0, count = 0;
    for (SequenceStep step = seq.Start(selected); step.Send && count < 5000; step = seq.OnResult(kTransferDone)) {
        const SequenceRequest& r = step.Request;
        EXPECT_EQ(r.ProgressMode, ++count == 1 ? kProgressOpen : kProgressRetitle);
        EXPECT_EQ(r.ProgressTotal, total);
        const std::string k =
            r.IsRelease() ? "release/" + std::to_string(r.ClearBits) : std::string(r.Text.View().substr(0, 3));
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
    auto data = MakeSettingData();
    data->System.SwitchCnt = 2;
    const struct { int Selected, Total; const char* Runs; } cases[] = {
        {0, 290, "A00:1 B01:4 B02:4 C01:64 C02:64 D01:1 D02:1 E01:4 E02:4 F01:1 F02:1 G01:4 G02:4 H01:19 H02:19 "
                 "I01:19 I02:19 J01:19 J02:19 U01:4 U02:4 L01:4 L02:4 M01:1 M02:1 release/2:1"},
        {2, 150, "A00:1 B01:4 B02:4 C02:64 D02:1 E02:4 F02:1 G02:4 H02:19 I02:19 J02:19 U02:4 L02:4 M02:1 release/2:1"},
    };
    for (const auto& c : cases) {
        UploadSequence seq(*data);
        EXPECT_EQ(Runs(seq, c.Selected, c.Total), c.Runs) << c.Selected;
    }
}

// An editor's Upload: the texts of the page shown, each under the same
// supervision, then the release.
TEST(UploadSequenceTest, EditorTextsInTheWholeUploadsOrder) {
    auto data = MakeSettingData();
    data->System.SwitchCnt = 2;
    const struct { int Page, Selection; const char* Runs; } cases[] = {
        {-1, 0, "A00:1 release/2:1"},  // Global Setting
        {0, 0, "B01:4 B02:4 U01:4 U02:4 release/2:1"},
        {0, 2, "B01:4 B02:4 U02:4 release/2:1"},  // every exchange's masters, one exchange's U texts
        {1, 2, "C02:64 release/2:1"},
        {1, 0, "C01:64 C02:64 release/2:1"},
    };
    for (const auto& c : cases) {
        const auto steps = c.Page < 0 ? SystemUploadSteps() : StationUploadSteps(*data, c.Page, c.Selection);
        UploadSequence seq(EncodeUploadSteps(*data, steps));
        EXPECT_EQ(Runs(seq, 0, static_cast<int>(steps.size()) + 1), c.Runs) << c.Page << "/" << c.Selection;
    }
    UploadSequence none(std::vector<EncodedText>{});
    EXPECT_FALSE(none.Start().Send);
    EXPECT_EQ(none.Phase(), SequencePhase::Idle);
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
        int Outcome;
    } cases[] = {
        {kTransferFailed, "Failed to transmit", SequencePhase::Failed, -1, 1},
        {kTransferOpenFailed, "Failed to open the device", SequencePhase::Failed, -1, 2},
        {kTransferCancelled, "", SequencePhase::Cancelled, -1, 4},
        {kTransferReceived, "", SequencePhase::Running, -1, 0},
        {Tick, "Failed to transmit", SequencePhase::Failed, 3, 1},
        {CancelThenDone, "", SequencePhase::Cancelled, 13, 4},
        {CancelThenTick, "", SequencePhase::Cancelled, 3, 4},
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
                             step.ProgressEnd, step.ForgetRegistration, seq.TimerRunning(), seq.Progress().Count,
                             seq.Outcome()),
                  std::tuple(c.Phase, c.Release, !running, c.Event == kTransferCancelled, running,
                             4 + (c.Event == CancelThenDone), c.Outcome));
        // A late answer (the release's own included) starts nothing once it ended.
        EXPECT_EQ(seq.OnResult(kTransferDone).Send, c.Phase == SequencePhase::Running);
        EXPECT_TRUE(seq.OnResult(kTransferCancelled).ForgetRegistration);
    }
    UploadSequence outside(*data);
    EXPECT_FALSE(outside.Start(2).Send);  // SwitchCnt is 1
    EXPECT_EQ(outside.Phase(), SequencePhase::Idle);
}

// A single request: one text with the reading bit, one answer. Its answers and
// its time-out come back as the transfer path test's codes; here the withdrawals.
TEST(SingleRequestTest, OneAnswerEndsIt) {
    enum { Cancel = -1 };
    const struct {
        int Event;
        SequencePhase Phase;
        int Outcome;
        int Release;  // clear-bits of the release sent, -1 none; +10 as a cancel
    } cases[] = {
        {kTransferCancelled, SequencePhase::Cancelled, 4, -1},
        {Cancel, SequencePhase::Running, 0, 11},  // withdrawn: the reset's code 4 ends it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Event);
        SingleRequest request("O00" + std::string(16, '0'));
        const SequenceStep first = request.Start();
        ASSERT_TRUE(first.Send);
        EXPECT_EQ(std::tuple(first.Request.SetBits, first.Request.ClearBits, first.Request.ProgressMode,
                             first.Request.FirstText, std::string(first.Request.Text.View())),
                  std::tuple(1, 1, kProgressOpen, true, "O00" + std::string(16, '0')));
        for (int i = 1; i < 120; ++i) ASSERT_FALSE(request.OnTick().Send);
        if (c.Event == Cancel) request.Cancel();
        const SequenceStep step = c.Event < 0 ? request.OnTick() : request.OnResult(c.Event, {});
        EXPECT_EQ(std::tuple(request.Phase(), request.Outcome(),
                             step.Send ? step.Request.ClearBits + 10 * step.Request.AsCancel : -1, step.ProgressEnd),
                  std::tuple(c.Phase, c.Outcome, c.Release, true));
        EXPECT_FALSE(request.OnTick().Send);  // a cancel goes once
    }
}

TEST(TransferSequenceTest, ExchangeNumberTyped) {
    const struct { const char* Typed; int Value; } cases[] = {
        {"  ", 0}, {"0", 0}, {" 2 ", 2}, {"02", 2}, {"1x", 0}, {"002", 0}};  // "3" and "2": through the window
    for (const auto& c : cases) EXPECT_EQ(ParseExchangeNo(c.Typed, 2), c.Value) << '"' << c.Typed << '"';
}

}  // namespace
