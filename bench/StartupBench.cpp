// Start-up time of the program (start to main window shown and idle), without
// and with a start-up settings file, against an empty QMainWindow program; the
// three run in turn. The program's exit (idle to the end of the process,
// through the whole exit procedure) is timed too.
//   bench_startup [runs]      default 20 runs of each
// Runs offscreen unless QT_QPA_PLATFORM says otherwise; each run gets a fresh
// private runtime folder so the instance lock never meets another program.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/Prompt.h"
#include "model/SettingsFile.h"

namespace {
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Start to idle (both programs say "idle" on their output then) in ms;
// exitMs: idle to the end of the process.
double RunOnce(const char* program, bool isShell, const std::string& folder, double* exitMs = nullptr) {
    int out[2];
    if (::pipe(out) != 0) std::exit(1);
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        if (::chdir(folder.c_str()) != 0) _exit(126);
        if (isShell) {
            ::execl(program, program, "--report-idle", "--exit-when-idle", static_cast<char*>(nullptr));
        } else {
            ::execl(program, program, static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    ::close(out[1]);
    char buf[16];
    (void)!::read(out[0], buf, sizeof buf);  // "idle", or nothing when it failed
    const auto idle = Clock::now();
    int status = 0;
    ::waitpid(pid, &status, 0);
    const auto end = Clock::now();
    ::close(out[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_startup: %s ended with status %d\n", program, status);
        std::exit(1);
    }
    if (exitMs) *exitMs = Ms(idle, end);
    return Ms(start, idle);
}

struct Figures {
    double min, median, mean;
};

Figures Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (const double x : v) sum += x;
    return {v.front(), v[v.size() / 2], sum / static_cast<double>(v.size())};
}
}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "nx420-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 1;
    const fs::path folder = pattern;
    const fs::path withFile = folder / "with-file";
    fs::create_directory(withFile);
    {  // the default configuration as the start-up settings file
        auto data = MakeSettingData();
        if (!WriteSettingsFile(*data, (withFile / kStartupSettingsFile).string(), AppPrompt())) return 1;
    }
    const fs::path runtime = folder / "runtime";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 1);
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);

    // One warm-up run of each so both start from a warm file cache.
    RunOnce(NX420_PROGRAM, true, folder);
    RunOnce(NX420_PROGRAM, true, withFile);
    RunOnce(NX420_EMPTY_WINDOW, false, folder);
    std::vector<double> shell, shellWithFile, empty, exits;
    for (int i = 0; i < runs; ++i) {
        double exitMs = 0;
        shell.push_back(RunOnce(NX420_PROGRAM, true, folder, &exitMs));
        exits.push_back(exitMs);
        shellWithFile.push_back(RunOnce(NX420_PROGRAM, true, withFile, &exitMs));
        exits.push_back(exitMs);
        empty.push_back(RunOnce(NX420_EMPTY_WINDOW, false, folder));
    }
    const Figures s = Summarise(shell), f = Summarise(shellWithFile), e = Summarise(empty), x = Summarise(exits);
    std::printf("start-up to main window idle, %d runs each (ms)   min  median    mean\n", runs);
    std::printf("  nx420 (no NX420.txt)                       %7.1f %7.1f %7.1f\n", s.min, s.median, s.mean);
    std::printf("  nx420 (default NX420.txt, %7ju bytes)    %7.1f %7.1f %7.1f\n",
                static_cast<std::uintmax_t>(fs::file_size(withFile / kStartupSettingsFile)), f.min, f.median, f.mean);
    std::printf("  empty QMainWindow                          %7.1f %7.1f %7.1f\n", e.min, e.median, e.mean);
    std::printf("  ratio of medians to the empty window: %.2f without, %.2f with NX420.txt (goal at most 1.50)\n",
                s.median / e.median, f.median / e.median);
    std::printf("exit, idle to the end of the process (ms)         %7.1f %7.1f %7.1f (goal at most 200)\n", x.min,
                x.median, x.mean);
    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
