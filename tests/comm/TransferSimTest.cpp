// The upload and download sequences end to end against nx420-sim over a
// pseudo-terminal: a populated configuration goes up and comes back down into
// a default one.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BareLink.h"
#include "SequenceDriver.h"
#include "SimProcess.h"
#include "comm/DownloadSequence.h"
#include "comm/SettingTextSequence.h"
#include "comm/UploadSequence.h"
#include "support/PopulatedSettings.h"
#include "support/TempDir.h"

namespace {

constexpr int kDeadlineMs = 120000;

struct SimRun {
    TempDir dir;
    SimProcess sim;
    BareLink pc;
    void Start(int exchanges, std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"--exchanges", std::to_string(exchanges)});
        ASSERT_TRUE(sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log")));
        ASSERT_TRUE(pc.Open(sim.Path())) << sim.Path();
    }
};

bool Upload(BareLink& pc, const SettingData& data, int selected, std::vector<std::string>* sent = nullptr) {
    UploadSequence up(data);
    SequenceDriver driver(pc);
    const bool ran = driver.Run(
        up.Start(selected), [&](int code, const std::string&) { return up.OnResult(code); },
        [&] { return up.Phase() == SequencePhase::Running; });
    EXPECT_TRUE(driver.messages.empty()) << driver.messages.front();
    EXPECT_EQ(static_cast<int>(driver.sent.size()) + 1, UploadTextCount(data.System.SwitchCnt, selected));
    if (sent) *sent = driver.sent;
    return ran && up.Phase() == SequencePhase::Completed;
}

bool Download(BareLink& pc, SettingData& data, int selected, std::vector<std::string>* received = nullptr) {
    DownloadSequence down(data);
    SequenceDriver driver(pc);
    const bool ran = driver.Run(
        down.Start(selected), [&](int code, const std::string& text) { return down.OnResult(code, text); },
        [&] { return down.Phase() == SequencePhase::Running; });
    EXPECT_TRUE(driver.messages.empty()) << driver.messages.front();
    if (received) *received = driver.received;
    return ran && down.Phase() == SequencePhase::Completed;
}

// The i-th upload text of a model, with what a download does not carry into
// the model blanked: the clock fields of A and the forwarding targets of U.
std::string UploadText(const SettingData& data, int selected, int i) {
    EncodedText text;
    if (!EncodeUploadText(data, selected, i, text)) return "none";
    std::string t(text.View());
    if (t[0] == 'A') t.replace(3, 15, 15, '-');
    if (t[0] == 'U')
        for (std::size_t at = 10; at + 11 <= t.size(); at += 17) t.replace(at, 11, 11, '-');
    return t;
}

// Every upload text of both models is the same.
void ExpectSameTexts(const SettingData& want, const SettingData& got, int selected, int from = 1, int to = 0) {
    if (to == 0) to = UploadTextCount(want.System.SwitchCnt, selected) - 1;
    for (int i = from; i <= to; ++i) EXPECT_EQ(UploadText(want, selected, i), UploadText(got, selected, i)) << "text " << i;
}

std::unique_ptr<SettingData> Populated(int switchCnt, uint32_t seed = 1) {
    auto data = MakeSettingData();
    FillPopulatedSettings(*data, seed);
    data->System.SwitchCnt = static_cast<uint8_t>(switchCnt);
    return data;
}

TEST(TransferSimTest, PopulatedInstallationUpAndDownAgain) {
    for (int switchCnt : {16, 2}) {
        SCOPED_TRACE(switchCnt);
        auto src = Populated(switchCnt);
        SimRun run;
        run.Start(1);  // the text A tells the simulator how many exchanges there are
        std::vector<std::string> sent, received;
        ASSERT_TRUE(Upload(run.pc, *src, 0, &sent));
        auto got = MakeSettingData();
        ASSERT_TRUE(Download(run.pc, *got, 0, &received));
        EXPECT_EQ(received, sent);  // the texts came back as they went, in order
        EXPECT_EQ(got->Modified, 1);
        EXPECT_EQ(got->System.SwitchCnt, switchCnt);
        ExpectSameTexts(*src, *got, 0);
    }
}

TEST(TransferSimTest, SingleExchangeTouchesOnlyItsOwnRecords) {
    auto src = Populated(2), other = Populated(2, 2), defaults = MakeSettingData();
    defaults->System.SwitchCnt = 2;
    SimRun run;
    run.Start(2);
    ASSERT_TRUE(Upload(run.pc, *src, 2));  // A, the masters of both, exchange 2
    auto got = MakeSettingData();
    ASSERT_TRUE(Download(run.pc, *got, 0));
    auto mixed = Populated(2, 2);
    ASSERT_TRUE(Download(run.pc, *mixed, 1));  // A, the masters of both, exchange 1
    for (int i = 1; i < UploadTextCount(2, 0); ++i) {
        UploadStep step;
        ASSERT_TRUE(UploadStepAt(2, 0, i, step));
        const bool global = step.Letter == 'A' || step.Letter == 'B';
        // The simulator holds what exchange 2 got, and its defaults for exchange 1.
        EXPECT_EQ(UploadText(*got, 0, i), UploadText(global || step.Exchange == 2 ? *src : *defaults, 0, i)) << i;
        EXPECT_EQ(UploadText(*mixed, 0, i), UploadText(global || step.Exchange == 1 ? *got : *other, 0, i)) << i;
    }
}

TEST(TransferSimTest, SimulatorFallingSilentMidDownloadLeavesWhatArrived) {
    auto src = Populated(1);
    SimRun run;
    run.Start(1, {"--silent-after-sent", "40"});
    ASSERT_TRUE(Upload(run.pc, *src, 0));

    auto got = MakeSettingData();
    DownloadSequence down(*got);
    SequenceDriver driver(run.pc);
    ASSERT_TRUE(driver.Run(
        down.Start(0), [&](int code, const std::string& text) { return down.OnResult(code, text); },
        [&] { return down.Phase() == SequencePhase::Running && down.Received() < 40; }));
    // Nothing more comes once the simulator has fallen silent; the watch runs out.
    ASSERT_TRUE(run.pc.RunUntil(
        [&] { return ReadWholeFile(run.dir.File("sim.log")).find("fallen silent") != std::string::npos; }, kDeadlineMs));
    SequenceStep step;
    for (int i = 0; i < SecondsWatch::kLimit && !step.ProgressEnd; ++i) step = down.OnTick();
    EXPECT_STREQ(step.Message, "Communications time-out");
    EXPECT_TRUE(step.Send && step.Request.IsRelease());
    EXPECT_EQ(down.Phase(), SequencePhase::Failed);
    EXPECT_EQ(down.Received(), 40);
    EXPECT_EQ(down.Decoded(), 40);
    EXPECT_EQ(got->Modified, 1);
    // What arrived stays decoded; the rest is untouched.
    ExpectSameTexts(*src, *got, 0, 1, 40);
    auto defaults = MakeSettingData();
    EXPECT_EQ(UploadText(*got, 0, 41), UploadText(*defaults, 0, 41));
    EXPECT_NE(UploadText(*got, 0, 40), UploadText(*defaults, 0, 40));
}

}  // namespace
