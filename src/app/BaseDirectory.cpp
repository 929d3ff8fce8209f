#include "app/BaseDirectory.h"

#include "maintenance/WorkFile.h"

std::string BaseDirectory(const std::string& programPath) {
    const std::size_t slash = programPath.rfind('/');
    if (slash == std::string::npos) return "./";
    std::string dir = programPath.substr(0, slash + 1);
    // ".../bin/" becomes ".../": installed programs keep their data beside bin.
    constexpr std::string_view kBin = "/bin/";
    if (dir.size() >= kBin.size() && dir.compare(dir.size() - kBin.size(), kBin.size(), kBin) == 0)
        dir.resize(dir.size() - kBin.size() + 1);
    return dir;
}

std::string WorkFilePath(const std::string& baseDirectory) { return WorkFileFolder(baseDirectory) + kWorkFileName; }
