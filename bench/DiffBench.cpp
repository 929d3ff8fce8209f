// Comparing two full 16-exchange settings files (every dialing row filled)
// against only reading them: the comparison should add little to the reads.
// "Other" files differ almost everywhere (two seeds), "same" not at all.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "editors/ConfigDiff.h"
#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"

namespace {

struct Files {
    std::string a, b;
    Files() {
        char dir[] = "/tmp/nx420-bench-XXXXXX";
        const std::string base = mkdtemp(dir);
        a = base + "/a.txt";
        b = base + "/b.txt";
        for (const auto& [path, seed] : {std::pair{a, 1u}, std::pair{b, 2u}}) {
            auto data = MakeSettingData();
            FillPopulatedSettings(*data, seed);
            data->System.SwitchCnt = kMaxExchanges;
            WriteSettingsFile(*data, path, SilentPrompt());
        }
    }
};

const Files& Shared() {
    static Files f;
    return f;
}

void ReadBoth(benchmark::State& state, bool compare) {
    const std::string& second = state.range(0) ? Shared().b : Shared().a;
    auto x = MakeSettingData(), y = MakeSettingData();
    std::size_t found = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadSettingsFile(*x, Shared().a, SilentPrompt()));
        benchmark::DoNotOptimize(ReadSettingsFile(*y, second, SilentPrompt()));
        if (compare) found = CompareSettings(*x, *y).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["differences"] = static_cast<double>(found);
}

void BM_ReadTwoFiles(benchmark::State& state) { ReadBoth(state, false); }
void BM_DiffTwoFiles(benchmark::State& state) { ReadBoth(state, true); }

}  // namespace

BENCHMARK(BM_ReadTwoFiles)->ArgName("other")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiffTwoFiles)->ArgName("other")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
