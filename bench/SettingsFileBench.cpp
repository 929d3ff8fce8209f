// Reading and writing a fully populated settings file (every dialing row
// filled), next to a bare line-by-line pass over the same bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"

namespace {

struct Fixture {
    std::unique_ptr<SettingData> data = MakeSettingData();
    std::string path;
    std::string bytes;
    Fixture() {
        FillPopulatedSettings(*data, 1);
        char dir[] = "/tmp/nx420-bench-XXXXXX";
        path = std::string(mkdtemp(dir)) + "/full.txt";
        WriteSettingsFile(*data, path, SilentPrompt());
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(Shared().bytes.size()));
}

void BM_ReadSettingsFile(benchmark::State& state) {
    auto& f = Shared();
    auto target = MakeSettingData();
    for (auto _ : state) benchmark::DoNotOptimize(ReadSettingsFile(*target, f.path, SilentPrompt()));
    SetBytes(state);
}

void BM_BareGetlineRead(benchmark::State& state) {
    auto& f = Shared();
    for (auto _ : state) {
        std::ifstream in(f.path, std::ios::binary);
        std::string line;
        std::size_t lines = 0;
        while (std::getline(in, line)) ++lines;
        benchmark::DoNotOptimize(lines);
    }
    SetBytes(state);
}

void BM_WriteSettingsStream(benchmark::State& state) {
    auto& f = Shared();
    const std::string out = f.path + ".w";
    for (auto _ : state) {
        std::FILE* fp = std::fopen(out.c_str(), "wb");
        std::setvbuf(fp, nullptr, _IOFBF, 1 << 16);
        benchmark::DoNotOptimize(WriteSettings(*f.data, fp));
        std::fclose(fp);
    }
    SetBytes(state);
}

// The whole save: temporary file, flush to the disk, rename over the target.
void BM_WriteSettingsFileDurable(benchmark::State& state) {
    auto& f = Shared();
    const std::string out = f.path + ".s";
    for (auto _ : state) benchmark::DoNotOptimize(WriteSettingsFile(*f.data, out, SilentPrompt()));
    SetBytes(state);
}

void BM_BareBufferedWrite(benchmark::State& state) {
    auto& f = Shared();
    const std::string out = f.path + ".b";
    for (auto _ : state) {
        std::ofstream o(out, std::ios::binary | std::ios::trunc);
        std::size_t start = 0;
        while (start < f.bytes.size()) {
            const std::size_t end = f.bytes.find('\n', start);
            o.write(f.bytes.data() + start, static_cast<std::streamsize>(end - start + 1));
            start = end + 1;
        }
    }
    SetBytes(state);
}

}  // namespace

BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareGetlineRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSettingsStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareBufferedWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSettingsFileDurable)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
