#pragma once
// Runs nx420-sim as a child process for tests and benchmarks: starts it with the
// given options, reads the pseudo-terminal path it prints, and ends it.
#include <string>
#include <sys/types.h>
#include <vector>

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess() { Stop(); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // stderrPath: where the simulator's log goes ("" keeps the parent's).
    bool Start(const std::string& program, const std::vector<std::string>& options,
               const std::string& stderrPath = {});
    void Stop();
    const std::string& Path() const { return path_; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string path_;
};
