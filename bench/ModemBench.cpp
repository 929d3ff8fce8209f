// The upload of one exchange over nx420-sim's modem at the paced line rate,
// through the program's path (nx420ctl's link): the time from the request to
// the last answer, next to the wire time of every byte the simulator counted
// (AT commands and the hang-up included) plus its connect delay.
// With --serial the same upload goes over the RS-232C path, for comparison.
// Usage: bench_modem [--connect-delay MS] [--serial]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "CtlLink.h"
#include "SimProcess.h"
#include "link/TransferEngine.h"
#include "support/PopulatedSettings.h"
#include "transfer/UploadSequence.h"

namespace {
constexpr double kByteSeconds = 11.0 / 19200.0;

long SimLineBytes(const std::string& log) {
    std::ifstream in(log);
    long received = -1, sent = -1;
    for (std::string line; std::getline(in, line);)
        std::sscanf(line.c_str(), "sim: %ld bytes received, %ld bytes sent", &received, &sent);
    return received < 0 || sent < 0 ? -1 : received + sent;
}
}  // namespace

int main(int argc, char** argv) {
    long delayMs = 2000;
    bool serial = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--connect-delay") && i + 1 < argc) delayMs = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--serial")) serial = true;
        else return std::fprintf(stderr, "usage: bench_modem [--connect-delay MS] [--serial]\n"), 2;
    }
    if (serial) delayMs = 0;
    QCoreApplication app(argc, argv);
    auto data = MakeSettingData();
    FillPopulatedSettings(*data);
    data->System.SwitchCnt = 2;

    const std::string log = "/tmp/bench_modem_sim_" + std::to_string(getpid()) + ".log";
    SimProcess sim;
    std::vector<std::string> options{"--pace"};
    if (!serial) options.insert(options.end(), {"--modem", "--connect-delay", std::to_string(delayMs)});
    if (!sim.Start(NX420_SIM_PROGRAM, options, log))
        return std::fprintf(stderr, "bench_modem: simulator did not start\n"), 1;
    double seconds = 0;
    int texts = 0;
    bool ok = false;
    {
        SerialDeviceMap devices;
        devices.SetModem(sim.Path());
        devices.Set(0, sim.Path());
        PortSetting setting;
        setting.Method = serial ? 0 : 1;
        setting.TelNo = "0-123";
        CtlLink pc(setting, devices);
        RunUntil([&] { return pc.Session().Mask() == 0; }, 5000);  // the serial port's start-up open
        TransferEngine engine(pc.Session());
        engine.OnMessage = [](std::string_view m, std::string_view why) {
            std::fprintf(stderr, "bench_modem: %.*s %.*s\n", int(m.size()), m.data(), int(why.size()), why.data());
        };
        const auto start = std::chrono::steady_clock::now();
        if (engine.Start(std::make_unique<UploadSequence>(*data), 1)) RunUntil([&] { return !engine.Running(); }, 600000);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ok = engine.Phase() == SequencePhase::Completed;
        texts = engine.Progress().Count;
        RunUntil([&] { return pc.Session().Mask() == 0; }, 5000);
    }  // the hang-up ends with the link
    sim.Stop();
    const long bytes = SimLineBytes(log);
    std::remove(log.c_str());
    if (!ok || bytes <= 0) return std::fprintf(stderr, "bench_modem: the upload failed\n"), 1;
    const double wire = static_cast<double>(bytes) * kByteSeconds + static_cast<double>(delayMs) / 1000.0;
    std::printf("paced %s upload of exchange 1 of 2: %d texts, %ld bytes on the line, wire time + connect delay "
                "%.3f s, elapsed %.3f s, ratio %.4f (goal <= 1.03)\n",
                serial ? "RS-232C" : "modem", texts, bytes, wire, seconds, seconds / wire);
    return 0;
}
