#pragma once
// The File menu's list of recently used settings files, newest first.
#include <string>
#include <vector>

inline constexpr int kRecentFileCount = 4;

class RecentFiles {
public:
    // Puts path first (moving it up when listed already); the oldest drops off.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    void Assign(const std::vector<std::string>& paths);  // as stored, newest first
    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};
