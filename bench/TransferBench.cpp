// Whole-installation transfers against nx420-sim over a pseudo-terminal, with
// the upload and download sequences driven as the program drives them:
//  - unthrottled: texts per second up and down;
//  - paced at 19200 8E1 both ways: the elapsed time of the upload next to the
//    wire time of every byte exchanged (frames and control sequences, both
//    sides), and their ratio.
// Usage: bench_transfer [--exchanges N] [--no-pace]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BareLink.h"
#include "SequenceDriver.h"
#include "SimProcess.h"
#include "comm/DownloadSequence.h"
#include "comm/UploadSequence.h"
#include "support/PopulatedSettings.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kByteSeconds = 11.0 / 19200.0;  // start, 8 data, parity, stop

struct Figures {
    bool Ok = false;
    int Texts = 0;
    double Seconds = 0;
    long Bytes = 0;  // both directions
};

Figures Transfer(BareLink& pc, SettingData& data, bool upload) {
    Figures f;
    const long before = pc.bytesRead + pc.bytesWritten;
    const auto start = Clock::now();
    SequenceDriver driver(pc);
    if (upload) {
        UploadSequence seq(data);
        f.Ok = driver.Run(seq.Start(0), [&](int code, const std::string&) { return seq.OnResult(code); },
                          [&] { return seq.Phase() == SequencePhase::Running; }) &&
               seq.Phase() == SequencePhase::Completed;
        f.Texts = static_cast<int>(driver.sent.size());
    } else {
        DownloadSequence seq(data);
        f.Ok = driver.Run(seq.Start(0), [&](int code, const std::string& text) { return seq.OnResult(code, text); },
                          [&] { return seq.Phase() == SequencePhase::Running; }) &&
               seq.Phase() == SequencePhase::Completed;
        f.Texts = static_cast<int>(driver.received.size());
    }
    f.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.Bytes = pc.bytesRead + pc.bytesWritten - before;
    for (const auto& m : driver.messages) std::fprintf(stderr, "bench_transfer: %s\n", m.c_str());
    return f;
}

// The sequences' own work per text, without a line: upload steps acknowledged
// at once, then the same texts decoded by a download.
void SequenceAlone(const SettingData& data) {
    std::vector<std::string> texts;
    auto start = Clock::now();
    UploadSequence up(data);
    for (SequenceStep step = up.Start(0); step.Send; step = up.OnResult(kTransferDone))
        if (!step.Request.IsRelease()) texts.emplace_back(step.Request.Text.View());
    const double upUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    auto back = MakeSettingData();
    DownloadSequence down(*back);
    down.Start(0);
    start = Clock::now();
    down.OnResult(kTransferDone);
    for (const auto& t : texts) down.OnResult(kTransferReceived, t);
    const double downUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (down.Decoded() != static_cast<int>(texts.size())) std::fprintf(stderr, "bench_transfer: %d of %zu texts decoded\n", down.Decoded(), texts.size());
    const double n = static_cast<double>(texts.size());
    std::printf("sequences alone, %zu texts: upload %.2f us a text, download %.2f us a text "
                "(a 30-byte text takes %.0f us on the wire)\n",
                texts.size(), upUs / n, downUs / n, 30 * kByteSeconds * 1e6);
}

bool StartSim(SimProcess& sim, BareLink& pc, bool pace) {
    std::vector<std::string> options;
    if (pace) options.push_back("--pace");
    return sim.Start(NX420_SIM_PROGRAM, options, "/dev/null") && pc.Open(sim.Path());
}

}  // namespace

int main(int argc, char** argv) {
    int exchanges = 16;
    bool pace = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--exchanges") && i + 1 < argc) exchanges = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--no-pace")) pace = false;
        else return std::fprintf(stderr, "usage: bench_transfer [--exchanges N] [--no-pace]\n"), 2;
    }
    if (exchanges < 1 || exchanges > kMaxExchanges) return std::fprintf(stderr, "bench_transfer: 1 to 16 exchanges\n"), 2;
    auto data = MakeSettingData();
    FillPopulatedSettings(*data);
    data->System.SwitchCnt = static_cast<uint8_t>(exchanges);

    SequenceAlone(*data);
    {
        SimProcess sim;
        BareLink pc;
        if (!StartSim(sim, pc, false)) return std::fprintf(stderr, "bench_transfer: simulator did not start\n"), 1;
        const Figures up = Transfer(pc, *data, true);
        auto back = MakeSettingData();
        const Figures down = Transfer(pc, *back, false);
        if (!up.Ok || !down.Ok) return std::fprintf(stderr, "bench_transfer: unpaced transfer failed\n"), 1;
        std::printf("unpaced, %d exchanges: upload %d texts in %.3f s = %.0f texts/s; download %d texts in %.3f s = %.0f texts/s\n",
                    exchanges, up.Texts, up.Seconds, up.Texts / up.Seconds, down.Texts, down.Seconds,
                    down.Texts / down.Seconds);
    }
    if (pace) {
        SimProcess sim;
        BareLink pc;
        if (!StartSim(sim, pc, true)) return std::fprintf(stderr, "bench_transfer: simulator did not start\n"), 1;
        const Figures up = Transfer(pc, *data, true);
        if (!up.Ok) return std::fprintf(stderr, "bench_transfer: paced upload failed\n"), 1;
        const double wire = static_cast<double>(up.Bytes) * kByteSeconds;
        std::printf("paced 19200 8E1, %d exchanges: upload %d texts, %ld bytes on the line, wire time %.3f s, "
                    "elapsed %.3f s, ratio %.4f (goal <= 1.03)\n",
                    exchanges, up.Texts, up.Bytes, wire, up.Seconds, up.Seconds / wire);
    }
    return 0;
}
