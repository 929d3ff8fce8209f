// The serial port and the bare channel 0 against nx420-sim's fault options on a pseudo-terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "SimProcess.h"
#include "support/BareLink.h"
#include "support/TempDir.h"

namespace {

constexpr int kDeadlineMs = 20000;

struct SimRun {
    TempDir dir;
    SimProcess sim;
    BareLink pc;
    void Start(const std::vector<std::string>& options) {
        ASSERT_TRUE(sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log")));
        ASSERT_TRUE(pc.Open(sim.Path())) << sim.Path();
    }
};

TEST(LinkSimTest, FaultsEndInRetriesOrFailures) {
    const struct {
        const char* name;
        std::vector<std::string> options;
        const char* send;  // "" when the simulator speaks first
        int code;
        const char* received;  // the block that came in, if any
        std::vector<const char*> logged;  // lines the simulator must have written
    } rows[] = {
        {"one NAK then a retry", {"--nak-text", "1"}, "A01", 0x0101, "", {"rx A01 NAK (fault)", "rx A01 ACK"}},
        // 0x84 comes only after four 3 s time-outs.
        {"silent from the start", {"--silent-after", "0"}, "A01", 0x8401, "", {"fallen silent"}},
        {"ACK lost on the line", {"--drop-byte", "3"}, "A01", 0x0101, "", {"dropped byte 3"}},
        {"BCC corrupted once: NAKed and repeated", {"--corrupt-bcc", "1", "--status", "0:01:0"}, "", 0x0201, "z010",
         {"corrupting the BCC of z010", "tx z010 acknowledged"}},
        {"every frame corrupted", {"--corrupt-every", "1", "--status", "0:01:1"}, "", 0x8501, "", {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SimRun run;
        run.Start(r.options);
        if (*r.send) run.pc.Queue(r.send);
        // Until the closing DLE EOT has brought the channel back to Idle.
        ASSERT_TRUE(run.pc.RunUntil(
            [&] { return !run.pc.outcomes.empty() && run.pc.channel.State() == ChannelState::Idle; }, kDeadlineMs));
        ASSERT_EQ(run.pc.outcomes.size(), 1u);
        EXPECT_EQ(run.pc.outcomes[0].Code, r.code);
        if (*r.received) {
            EXPECT_EQ(run.pc.outcomes[0].Block->Text(), r.received);
        }
        run.sim.Stop();
        const std::string log = ReadWholeFile(run.dir.File("sim.log"));
        for (const char* line : r.logged) EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
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

TEST(SerialPortTest, OpenFailuresDeviceMapAndTheGroupToJoin) {
    SerialPort port;
    std::string why;
    EXPECT_FALSE(port.Open("/dev/null", &why));
    EXPECT_EQ(why, "/dev/null: not a serial line (exclusive: Inappropriate ioctl for device)");
    EXPECT_FALSE(port.IsOpen());

    SerialDeviceMap map;
    EXPECT_EQ(map.PathOf("COM1"), "/dev/ttyS0");
    EXPECT_EQ(map.PathOf(3), "/dev/ttyS3");
    EXPECT_EQ(map.PathOf("COM9"), "");

    // A user without the right to the device is told which group to join: the
    // device's own group when it may read and write, else dialout.
    if (geteuid() != 0) GTEST_SKIP() << "needs root to open as another user";
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    const std::string device = ptsname(master);
    ASSERT_EQ(chown(device.c_str(), 0, 5), 0);  // group tty, as Debian's /etc/group has it
    const struct {
        mode_t mode;
        const char* group;
    } cases[] = {{0620, "dialout"}, {0660, "tty"}};
    for (const auto& c : cases) {
        ASSERT_EQ(chmod(device.c_str(), c.mode), 0);
        // Files are opened as nobody: without root's right to override the mode.
        std::string why;
        setfsgid(65534);
        setfsuid(65534);
        SerialPort().Open(device, &why);
        setfsuid(0);
        setfsgid(0);
        EXPECT_EQ(why, device + ": permission denied: the user must be in the group " + c.group +
                           " (sudo usermod -aG " + c.group + " $USER, then log in again) (open: Permission denied)");
    }
    close(master);
}

}  // namespace
