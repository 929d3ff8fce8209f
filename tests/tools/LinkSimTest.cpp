// The serial port and channel 0 against nx420-sim over a real pseudo-terminal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/BareLink.h"
#include "SimProcess.h"
#include "texts/SettingTextEncode.h"
#include "support/TempDir.h"

namespace {

constexpr int kDeadlineMs = 20000;

struct SimRun {
    TempDir dir;
    SimProcess sim;
    BareLink pc;
    std::string log() const { return ReadWholeFile(dir.File("sim.log")); }

    void Start(std::vector<std::string> options) {
        ASSERT_TRUE(sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log")));
        ASSERT_TRUE(pc.Open(sim.Path())) << sim.Path();
    }
    std::vector<int> Codes() const {
        std::vector<int> c;
        for (const auto& o : pc.outcomes) c.push_back(o.Code);
        return c;
    }
};

TEST(LinkSimTest, SendsTextsAndProducesRetriesAndFailures) {
    const struct {
        const char* name;
        std::vector<std::string> options;
        std::vector<int> codes;
        const char* logged;  // a line the simulator must have written
    } rows[] = {
        {"acknowledged", {}, {0x0101}, "rx A01 ACK"},
        {"one NAK then a retry", {"--nak-text", "1"}, {0x0101}, "rx A01 NAK (fault)"},
        {"NAK every try", {"--nak-every", "1"}, {0x8401}, "rx A01 NAK (fault)"},
        {"silent from the start", {"--silent-after", "0"}, {0x8401}, "fallen silent"},
        {"ACK lost on the line", {"--drop-byte", "3"}, {0x0101}, "dropped byte 3"},
    };
    for (const auto& r : rows) {
        SimRun run;
        run.Start(r.options);
        run.pc.Queue("A01");
        // 0x84 comes only after four 3 s time-outs when the simulator is silent.
        EXPECT_TRUE(run.pc.RunUntil([&] { return !run.pc.outcomes.empty(); }, kDeadlineMs)) << r.name;
        EXPECT_EQ(run.Codes(), r.codes) << r.name;
        run.sim.Stop();
        EXPECT_NE(run.log().find(r.logged), std::string::npos) << r.name << "\n" << run.log();
    }
}

TEST(LinkSimTest, ReceivesLogAndMonitorStreams) {
    SimRun run;
    run.Start({"--exchanges", "2", "--rate", "50"});
    run.pc.Queue("O00" + std::string("01") + std::string(14, '0'));
    run.pc.Queue("P00" + std::string("10") + std::string(14, '0'));
    int logs = 0, monitors = 0;
    ASSERT_TRUE(run.pc.RunUntil([&] {
        for (auto& o : run.pc.outcomes) {
            if (o.Code != 0x0201) continue;
            const std::string_view t = o.Block->Text();
            if (t[0] == 'o') {
                EXPECT_EQ(t.substr(0, 3), "o02");
                EXPECT_EQ(t.size(), 35u);
                ++logs;
            } else if (t[0] == 'p') {
                EXPECT_EQ(t.substr(0, 3), "p01");
                ++monitors;
            }
            o.Code = 0;  // counted
        }
        return logs >= 3 && monitors >= 3;
    }, kDeadlineMs));
}

TEST(LinkSimTest, CorruptedBccIsNakedAndRepeated) {
    SimRun run;
    run.Start({"--corrupt-bcc", "1", "--status", "0:01:0"});
    // Until the simulator's DLE EOT has brought the channel back to Idle.
    ASSERT_TRUE(run.pc.RunUntil(
        [&] { return !run.pc.outcomes.empty() && run.pc.channel.State() == ChannelState::Idle; }, kDeadlineMs));
    ASSERT_EQ(run.Codes(), std::vector<int>{0x0201});
    EXPECT_EQ(run.pc.outcomes[0].Block->Text(), "z010");
    run.sim.Stop();
    EXPECT_NE(run.log().find("corrupting the BCC of z010"), std::string::npos) << run.log();
    EXPECT_NE(run.log().find("tx z010 acknowledged"), std::string::npos) << run.log();
}

TEST(LinkSimTest, BadFramesEveryTimeEndInReceiveFailure) {
    SimRun run;
    run.Start({"--corrupt-every", "1", "--status", "0:01:1"});
    ASSERT_TRUE(run.pc.RunUntil([&] { return !run.pc.outcomes.empty(); }, kDeadlineMs));
    EXPECT_EQ(run.Codes(), std::vector<int>{0x8501});
    EXPECT_EQ(run.pc.channel.State(), ChannelState::Idle);
}

TEST(LinkSimTest, DownloadReturnsWhatWasUploadedInUploadOrder) {
    SimRun run;
    run.Start({"--exchanges", "1"});
    auto src = MakeSettingData();
    for (int s = 0; s < 2; ++s) {
        SubData& sub = src->Exchange(1).Sub[s];
        sub.Number = "300" + std::to_string(s + 1), sub.NumberValue = 3001 + s, sub.Name = "SUB" + std::to_string(s + 1);
    }
    src->Exchange(1).Master[0].Name = "M1";
    auto text = [&](char letter, int exchange, int index) {
        return std::string(EncodeSettingText(letter, EncodeRequest{*src, exchange, index}).View());
    };
    const std::string a = text('A', 0, 0), b = text('B', 1, 1), c1 = text('C', 1, 1), c2 = text('C', 1, 2);
    for (const auto& t : {a, c2, b, c1}) run.pc.Queue(t);
    run.pc.Queue("Q00");
    std::vector<std::string> got;
    ASSERT_TRUE(run.pc.RunUntil([&] {
        for (auto& o : run.pc.outcomes)
            if (o.Code == 0x0201) got.emplace_back(o.Block->Text()), o.Code = 0;
        return got.size() >= 145;
    }, kDeadlineMs));
    EXPECT_EQ(got[0], a);
    EXPECT_EQ(got[1], b);
    EXPECT_EQ(got[5], c1);
    EXPECT_EQ(got[6], c2);
}

TEST(SerialPortTest, OpenFailuresAndDeviceMap) {
    SerialPort port;
    std::string why;
    EXPECT_FALSE(port.Open("/nonexistent/tty", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(port.Open("/dev/null", &why));  // not a terminal
    EXPECT_FALSE(port.IsOpen());

    SerialDeviceMap map;
    EXPECT_EQ(map.PathOf("COM1"), "/dev/ttyS0");
    EXPECT_EQ(map.PathOf(3), "/dev/ttyS3");
    EXPECT_TRUE(map.SetFromOption("COM2=/dev/pts/7"));
    EXPECT_EQ(map.PathOf("COM2"), "/dev/pts/7");
    for (const char* bad : {"COM5=/dev/x", "COM1", "COM1=", "LPT1=/dev/x"}) EXPECT_FALSE(map.SetFromOption(bad)) << bad;
    EXPECT_EQ(map.PathOf("COM9"), "");
}

}  // namespace
