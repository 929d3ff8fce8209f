#include "maintenance/WorkFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "model/SettingsFile.h"

namespace {
constexpr const char* kKeys[] = {"[File Name]", "History=", "Monitor="};

// The text after key on line, or false when the line lacks the key.
bool Value(const std::string& line, const char* key, std::string& value) {
    const std::size_t at = line.find(key);
    if (at == std::string::npos) return false;
    value = line.substr(at + std::char_traits<char>::length(key));
    if (!value.empty() && value.back() == '\r') value.pop_back();
    return true;
}

bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}
}  // namespace

WorkFileNames ReadWorkFile(const std::string& path, Prompt& prompt) {
    WorkFileNames names;
    std::ifstream in(path, std::ios::binary);
    bool ok = static_cast<bool>(in);
    std::string lines[3];
    for (int i = 0; ok && i < 3; ++i) {
        std::getline(in, lines[i]);
        std::string value;
        if (!Value(lines[i], kKeys[i], value)) {
            prompt.Message(MissingKeyMessage(kKeys[i]), {}, PromptIcon::None, PromptButtons::Ok);
            ok = false;
        } else if (i == 1) {
            names.History = value;
        } else if (i == 2) {
            names.Monitor = value;
        }
    }
    if (!ok) {
        names = {};
        WriteWorkFile(path, names);
    }
    return names;
}

bool WriteWorkFile(const std::string& path, const WorkFileNames& names) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    const std::string text = std::string(kKeys[0]) + "\n" + kKeys[1] + names.History + "\n" + kKeys[2] +
                             names.Monitor + "\n";
    bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = fchmod(fd, 0444) == 0 && ok;
    ok = close(fd) == 0 && ok;
    // rename replaces a read-only file as well: the folder is what must be writable.
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

std::string WorkFileFolder(const std::string& baseDirectory) {
    if (access(baseDirectory.c_str(), W_OK) == 0) return baseDirectory;
    std::string state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/') state = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) state = std::string(home) + "/.local/state";
    else return baseDirectory;  // nowhere better: the write fails and the names are not kept
    const std::string folder = state + "/nx420";
    MakeFolders(folder);
    return folder + "/";
}
