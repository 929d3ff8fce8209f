// Any bytes as the work file: read back (rewritten when a key is missing),
// then the remembered names taken apart as the history worker does; a usable
// name gives a date of two-digit numbers and a folder shorter than the name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "maintenance/HistoryNames.h"
#include "maintenance/WorkFile.h"

namespace {
void Check(const std::string& name) {
    const StoredName s = ParseStoredName(name);
    if (!s.Usable()) {
        if (!s.Folder.empty() || s.Sequence != 0) std::abort();
        return;
    }
    for (int v : {s.Date.Year, s.Date.Month, s.Date.Day, s.Sequence})
        if (v < 0 || v > 99) std::abort();
    if (s.Folder.size() >= name.size()) std::abort();
    (void)AutoFileName(s.Folder, kLogPrefix, s.Date, s.Sequence);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/dev/shm/nx420-fuzz-work-" + std::to_string(getpid()) + ".txt";
    unlink(path.c_str());  // the reader leaves it read-only
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    const WorkFileNames names = ReadWorkFile(path, SilentPrompt());
    Check(names.History);
    Check(names.Monitor);
    Check(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
