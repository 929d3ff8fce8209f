#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editors/EditorUpload.h"
#include "editors/UploadSupervision.h"

namespace {
// An event the supervision sees: a tick (cancelled or not) or a result code.
struct Event {
    bool IsTick;
    int Value;  // tick: cancelled (0/1); result: the code
};
Event Tick(bool cancelled = false) { return {true, cancelled ? 1 : 0}; }
Event Result(int code) { return {false, code}; }
}  // namespace

TEST(UploadSupervision, OutcomesOfTicksAndResults) {
    struct Case {
        const char* Name;
        std::vector<Event> Before;  // each must leave it waiting
        Event Last;
        UploadOutcome Outcome;
        const char* Message;
        bool Releases;
    };
    std::vector<Event> ticks119(119, Tick());
    const Case cases[] = {
        {"done", {Tick(), Tick()}, Result(0), UploadOutcome::Done, nullptr, false},
        {"transmit failure", {}, Result(1), UploadOutcome::FailedToTransmit, "Failed to transmit", false},
        {"open failure", {Tick()}, Result(2), UploadOutcome::FailedToOpen, "Failed to open the device", false},
        {"received text is no answer", {Result(3)}, Result(0), UploadOutcome::Done, nullptr, false},
        {"manager cancelled", {}, Result(4), UploadOutcome::Withdrawn, nullptr, false},
        {"user cancelled", {Tick()}, Tick(true), UploadOutcome::Cancelled, nullptr, true},
        {"limit", ticks119, Tick(), UploadOutcome::TimedOut, "Failed to transmit", true},
        {"answer on the last second", ticks119, Result(0), UploadOutcome::Done, nullptr, false},
    };
    for (const Case& c : cases) {
        UploadSupervision s;
        s.Start();
        for (const Event& e : c.Before)
            ASSERT_EQ(e.IsTick ? s.Tick(e.Value != 0) : s.Result(e.Value), UploadOutcome::Waiting) << c.Name;
        const UploadOutcome o = c.Last.IsTick ? s.Tick(c.Last.Value != 0) : s.Result(c.Last.Value);
        EXPECT_EQ(o, c.Outcome) << c.Name;
        EXPECT_FALSE(s.Running()) << c.Name;
        const char* message = UploadOutcomeMessage(o);
        if (c.Message) {
            ASSERT_NE(message, nullptr) << c.Name;
        }
        EXPECT_STREQ(message, c.Message) << c.Name;
        EXPECT_EQ(UploadOutcomeReleasesLink(o), c.Releases) << c.Name;
        // Whatever comes after the end is ignored: nothing is reported twice.
        EXPECT_EQ(s.Result(0), UploadOutcome::Waiting) << c.Name;
        EXPECT_EQ(s.Tick(true), UploadOutcome::Waiting) << c.Name;
    }
}

TEST(UploadSupervision, IdleWatchIgnoresEverythingAndRestartsFromZero) {
    UploadSupervision s;
    EXPECT_EQ(s.Tick(false), UploadOutcome::Waiting);
    EXPECT_EQ(s.Result(1), UploadOutcome::Waiting);
    s.Start();
    for (int i = 0; i < 50; ++i) s.Tick(false);
    EXPECT_EQ(s.Result(1), UploadOutcome::FailedToTransmit);
    s.Start();
    EXPECT_EQ(s.Ticks(), 0);
    for (int i = 1; i < UploadSupervision::kLimit; ++i) ASSERT_EQ(s.Tick(false), UploadOutcome::Waiting) << i;
    EXPECT_EQ(s.Tick(false), UploadOutcome::TimedOut);
}

TEST(EditorUpload, StepsOfEachCategoryAndSelection) {
    auto d = MakeSettingData();
    d->System.SwitchCnt = 3;
    auto letters = [](const std::vector<EditorUploadStep>& steps) {
        std::string out;
        for (const EditorUploadStep& s : steps) out += s.Letter;
        return out;
    };
    const auto system = SystemUploadSteps();
    ASSERT_EQ(system.size(), 1u);
    EXPECT_EQ(system[0].Letter, 'A');
    EXPECT_EQ(system[0].Exchange, 0);

    // One exchange: its four masters as B, then the same four as U.
    const auto single = StationUploadSteps(*d, 0, 2);
    EXPECT_EQ(letters(single), "BBBBUUUU");
    for (std::size_t i = 0; i < single.size(); ++i) {
        EXPECT_EQ(single[i].Exchange, 2);
        EXPECT_EQ(single[i].Index, int(i % 4) + 1);
    }
    // "ALL": every exchange in use, all B texts before the U texts.
    const auto all = StationUploadSteps(*d, 0, 0);
    ASSERT_EQ(all.size(), 24u);
    EXPECT_EQ(letters(all), std::string(12, 'B') + std::string(12, 'U'));
    EXPECT_EQ(all[4].Exchange, 2);
    EXPECT_EQ(all[4].Index, 1);
    EXPECT_EQ(all[23].Exchange, 3);
    EXPECT_EQ(all[23].Index, 4);
    const auto subs = StationUploadSteps(*d, 1, 0);
    ASSERT_EQ(subs.size(), 192u);
    EXPECT_EQ(subs[64].Exchange, 2);
    EXPECT_EQ(subs[64].Index, 1);
    EXPECT_EQ(letters(StationUploadSteps(*d, 1, 3)), std::string(64, 'C'));
    EXPECT_TRUE(StationUploadSteps(*d, 1, 17).empty());

    const std::vector<EncodedText> texts = EncodeUploadSteps(*d, all);
    ASSERT_EQ(texts.size(), all.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_GT(texts[i].Length, 0u);
        EXPECT_EQ(texts[i].Text[0], all[i].Letter) << i;
    }
}
