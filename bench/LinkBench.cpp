// The link's own cost next to the line's: LinkChannel's byte rate, and the round
// trip of one short text over a pseudo-terminal against nx420-sim.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "support/BareLink.h"
#include "SimProcess.h"
#include "protocol/Frame.h"
#include "protocol/LinkChannel.h"

namespace {

struct CountingOwner : LinkChannelOwner {
    std::size_t written = 0, outcomes = 0;
    void WriteLink(const std::uint8_t*, std::size_t n) override { written += n; }
    void ReportOutcome(LinkOutcome) override { ++outcomes; }
    void ChannelWasReset(int, std::unique_ptr<LinkRequest>) override {}
    std::unique_ptr<LinkRequest> TakeRequest(int) override { return nullptr; }
};

// What an exchange streaming log texts puts on the line: bid, framed 'o' text, EOT.
std::vector<std::uint8_t> LogTextExchange() {
    const std::string text = "o01123456   101   201   CO1      42";
    std::vector<std::uint8_t> bytes{Link::DLE, Link::ENQ};
    std::uint8_t frame[Link::FrameCapacity];
    const std::size_t n = BuildFrame(text, frame, sizeof frame);
    bytes.insert(bytes.end(), frame, frame + n);
    bytes.push_back(Link::DLE);
    bytes.push_back(Link::EOT);
    return bytes;
}

void BM_LinkChannelBytes(benchmark::State& state) {
    const auto bytes = LogTextExchange();
    CountingOwner owner;
    LinkChannel channel;
    channel.Bind(0, &owner);
    for (auto _ : state) {
        for (std::uint8_t b : bytes) channel.FeedByte(b);
        channel.IdleRead();
    }
    if (owner.outcomes != static_cast<std::size_t>(state.iterations())) state.SkipWithError("texts lost");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["line_bytes_per_second"] = 19200.0 / 11.0;
}
BENCHMARK(BM_LinkChannelBytes);

// Bid, frame, acknowledgement and EOT of "A01" over a pseudo-terminal: argument 0
// unthrottled (1000 texts), 1 with the simulator pacing the line at 19200 8E1
// (200 texts; the figure should then sit near the wire time).
void BM_ShortTextRoundTripOverPty(benchmark::State& state) {
    const bool pace = state.range(0) != 0;
    SimProcess sim;
    std::vector<std::string> options;
    if (pace) options.push_back("--pace");
    if (!sim.Start(NX420_SIM_PROGRAM, options, "/dev/null")) return state.SkipWithError("simulator did not start");
    BareLink pc;
    if (!pc.Open(sim.Path())) return state.SkipWithError("pseudo-terminal did not open");
    const int texts = pace ? 200 : 1000;
    std::vector<double> us;
    us.reserve(texts);
    for (auto _ : state) {
        for (int i = 0; i < texts; ++i) {
            pc.outcomes.clear();
            const auto t0 = std::chrono::steady_clock::now();
            pc.Queue("A01");
            if (!pc.RunUntil([&] { return !pc.outcomes.empty(); }, 10000) || pc.outcomes[0].Code != 0x0101)
                return state.SkipWithError("text not acknowledged");
            us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        }
    }
    std::sort(us.begin(), us.end());
    // PC: DLE ENQ, frame of 3 + 5 bytes, DLE EOT; exchange: two DLE ACK.
    constexpr double wireBytes = 2 + 8 + 2 + 2 + 2;
    state.counters["median_round_trip_us"] = us[us.size() / 2];
    state.counters["p99_round_trip_us"] = us[us.size() * 99 / 100];
    state.counters["wire_time_19200_8E1_us"] = wireBytes * 11.0 / 19200.0 * 1e6;
    state.counters["texts"] = static_cast<double>(us.size());
}
BENCHMARK(BM_ShortTextRoundTripOverPty)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
