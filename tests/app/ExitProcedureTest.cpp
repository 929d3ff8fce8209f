#include "app/ExitProcedure.h"

#include <gtest/gtest.h>

#include "app/FakeServices.h"
#include "protocol/LinkActivity.h"
#include "protocol/TransferResult.h"
#include "support/RecordingPrompt.h"

namespace {
using Strings = std::vector<std::string>;

TEST(ExitProcedure, QuestionsAndTheirAnswers) {
    const struct {
        const char* name;
        int modified, mask;
        bool log, monitor, canSend;
        std::deque<PromptAnswer> answers;
        ExitStep step;
        Strings texts, calls;
    } cases[] = {
        {"nothing to ask", 0, 0, false, false, false, {}, ExitStep::Close, {}, {"CloseLinkForExit"}},
        {"unsaved and log reading, No to the first", 1, 0, true, false, true, {PromptAnswer::No}, ExitStep::Stay,
         {kExitNotSaved}, {}},
        {"unsaved and log reading, No to the second", 1, 0, true, false, true, {PromptAnswer::Yes, PromptAnswer::No},
         ExitStep::Stay, {kExitNotSaved, kStopLogReading}, {}},
        {"log reading, Yes: stop request sent", 0, 0, true, false, true, {PromptAnswer::Yes}, ExitStep::Stopping,
         {kStopLogReading}, {"SendStopReading O"}},
        {"monitor reading, Yes: stop request sent", 0, 0, false, true, true, {PromptAnswer::Yes}, ExitStep::Stopping,
         {kStopMonitorReading}, {"SendStopReading P"}},
        // Without a link nothing can be sent: the exit goes on instead of hanging.
        {"log reading, no link", 0, 0, true, false, false, {PromptAnswer::Yes}, ExitStep::Close, {kStopLogReading},
         {"SendStopReading O", "CloseLinkForExit"}},
        // A close request while the port closes is let through; the link is not told twice.
        {"already closing", 0, LinkActivity::Closing, false, false, false, {}, ExitStep::Close, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShellState state;
        state.Model->Modified = static_cast<uint8_t>(c.modified);
        state.ActivityMask = c.mask;
        state.LogReadingActive = c.log;
        state.MonitorReadingActive = c.monitor;
        FakeServices services;
        services.CanSendStop = c.canSend;
        RecordingPrompt prompt;
        prompt.Answers = c.answers;
        ExitProcedure exit(state, services);
        EXPECT_EQ(exit.Begin(prompt), c.step);
        EXPECT_EQ(prompt.Texts(), c.texts);
        for (const auto& m : prompt.Messages)
            EXPECT_EQ(std::pair(m.Icon, m.Buttons), std::pair(PromptIcon::Question, PromptButtons::YesNo));
        EXPECT_EQ(services.Calls, c.calls);
        if (c.step == ExitStep::Close) {
            EXPECT_EQ(state.ActivityMask, LinkActivity::Closing);
        }
        if (c.step == ExitStep::Stay) {
            EXPECT_EQ(state.LogReadingActive, c.log);
            EXPECT_EQ(state.ActivityMask, 0);
        }
    }
}

// The log is stopped first. A stop that worked leaves the monitor reading on, whose
// question comes next; a failed one clears both flags so that the exit can end.
TEST(ExitProcedure, StopResultThenResume) {
    const Strings closes{"SendStopReading O", "CloseLinkForExit"};
    const struct {
        int code;
        Strings texts, calls;
    } cases[] = {
        {0, {kStopLogReading, kStopMonitorReading}, {"SendStopReading O", "SendStopReading P"}},
        {1, {kStopLogReading, kFailedToTransmitText}, closes},
        {2, {kStopLogReading, kFailedToOpenDeviceText}, closes},
        {4, {kStopLogReading}, closes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ShellState state;
        state.LogReadingActive = true;
        state.MonitorReadingActive = true;
        state.LogRequestFlags[0] = state.MonitorRequestFlags[0] = true;
        FakeServices services;
        services.CanSendStop = true;
        RecordingPrompt prompt;
        prompt.Answers = {PromptAnswer::Yes, PromptAnswer::Yes};
        ExitProcedure exit(state, services);
        ASSERT_EQ(exit.Begin(prompt), ExitStep::Stopping);
        EXPECT_TRUE(exit.Pending());
        EXPECT_TRUE(state.LogRequestFlags == RequestFlags{});  // cleared with the request
        EXPECT_TRUE(state.MonitorRequestFlags[0]);
        EXPECT_EQ(exit.Begin(prompt), ExitStep::Stopping);  // a second close request waits too
        exit.OnStopResult(c.code, prompt);
        EXPECT_FALSE(exit.Pending());
        EXPECT_EQ(state.LogReadingActive, c.code != 0);  // a failure clears it only when resuming
        EXPECT_EQ(exit.Resume(prompt), c.code == 0 ? ExitStep::Stopping : ExitStep::Close);
        EXPECT_FALSE(state.LogReadingActive);
        EXPECT_EQ(state.MonitorReadingActive, c.code == 0);
        EXPECT_EQ(prompt.Texts(), c.texts);
        EXPECT_EQ(services.Calls, c.calls);
    }
}
}  // namespace
