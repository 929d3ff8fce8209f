#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "editors/EditorUpload.h"
#include "editors/UploadSupervision.h"

TEST(UploadSupervision, OutcomesOfTicksAndResults) {
    // Events: -1 a tick, -2 a tick after the user cancelled, 0.. a result code.
    struct Case {
        const char* Name;
        int Ticks;  // plain ticks first
        int Last;
        UploadOutcome Outcome;
        const char* Message;
        bool Releases;
    };
    const Case cases[] = {
        {"done", 2, 0, UploadOutcome::Done, nullptr, false},
        {"transmit failure", 0, 1, UploadOutcome::FailedToTransmit, "Failed to transmit", false},
        {"open failure", 1, 2, UploadOutcome::FailedToOpen, "Failed to open the device", false},
        {"manager cancelled", 0, 4, UploadOutcome::Withdrawn, nullptr, false},
        {"user cancelled", 1, -2, UploadOutcome::Cancelled, nullptr, true},
        {"limit", 119, -1, UploadOutcome::TimedOut, "Failed to transmit", true},
        {"answer on the last second", 119, 0, UploadOutcome::Done, nullptr, false},
    };
    for (const Case& c : cases) {
        UploadSupervision s;
        EXPECT_EQ(s.Tick(false), UploadOutcome::Waiting) << c.Name;  // idle: nothing happens
        s.Start();
        EXPECT_EQ(s.Result(3), UploadOutcome::Waiting) << c.Name;  // a received text is no answer
        for (int i = 0; i < c.Ticks; ++i) ASSERT_EQ(s.Tick(false), UploadOutcome::Waiting) << c.Name << i;
        const UploadOutcome o = c.Last < 0 ? s.Tick(c.Last == -2) : s.Result(c.Last);
        const char* message = UploadOutcomeMessage(o);
        EXPECT_EQ(std::tuple(o, s.Running(), std::string(message ? message : ""), UploadOutcomeReleasesLink(o)),
                  std::tuple(c.Outcome, false, std::string(c.Message ? c.Message : ""), c.Releases))
            << c.Name;
        // Whatever comes after the end is ignored: nothing is reported twice.
        EXPECT_EQ(std::pair(s.Result(1), s.Tick(true)), std::pair(UploadOutcome::Waiting, UploadOutcome::Waiting))
            << c.Name;
    }
}

TEST(EditorUpload, StepsOfEachPageAndSelection) {
    auto d = MakeSettingData();
    d->System.SwitchCnt = 3;
    auto letters = [](const std::vector<EditorUploadStep>& steps) {
        std::string out;
        for (const EditorUploadStep& s : steps) out += s.Letter + std::to_string(s.Exchange) + std::to_string(s.Index);
        return out;
    };
    EXPECT_EQ(letters(SystemUploadSteps()), "A00");
    // One exchange: its four masters as B, then the same four as U.
    EXPECT_EQ(letters(StationUploadSteps(*d, 0, 2)), "B21B22B23B24U21U22U23U24");
    // "ALL": every exchange in use, every B text before the U texts.
    const auto all = StationUploadSteps(*d, 0, 0);
    EXPECT_EQ(letters(all).substr(0, 15), "B11B12B13B14B21");
    EXPECT_EQ(letters(all).substr(36), "U11U12U13U14U21U22U23U24U31U32U33U34");
    const auto subs = StationUploadSteps(*d, 1, 0);
    ASSERT_EQ(subs.size(), 192u);
    EXPECT_EQ(letters({subs[64]}), "C21");
    EXPECT_TRUE(StationUploadSteps(*d, 1, 17).empty());

    const std::vector<EncodedText> texts = EncodeUploadSteps(*d, all);
    ASSERT_EQ(texts.size(), all.size());
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].Text[0], all[i].Letter) << i;
}
