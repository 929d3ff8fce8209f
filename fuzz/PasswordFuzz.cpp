// Any file as the start-up settings file: reading its password never fails
// badly, and writing a new password line keeps every byte after the first line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "model/Password.h"
#include "model/SettingsFile.h"

namespace {
std::string ReadAll(const std::string& path) {
    std::string out;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
        std::fclose(f);
    }
    return out;
}

std::string g_dir;

void RemoveFolder() {
    std::remove((g_dir + "/NX420.txt").c_str());
    ::rmdir(g_dir.c_str());
}

const std::string& FilePath() {
    static const std::string path = [] {
        // Rewriting the first line syncs a new file to disk; in memory (/dev/shm)
        // that costs nothing, on a disk it held a run to a few hundred a second.
        char dir[] = "/dev/shm/nx420-fuzz-password-XXXXXX";
        char fallback[] = "/tmp/nx420-fuzz-password-XXXXXX";
        const char* made = ::mkdtemp(dir);
        if (!made) made = ::mkdtemp(fallback);
        if (!made) std::abort();
        g_dir = made;
        std::atexit(RemoveFolder);
        return g_dir + "/NX420.txt";
    }();
    return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string& path = FilePath();
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    FixedText<20> password;
    const PasswordRead result = ReadFilePassword(path, password, SilentPrompt());
    if (result == PasswordRead::Password && password.Size() > 20) std::abort();

    const std::string newPassword = "pw";
    if (!WritePasswordLine(path, newPassword)) std::abort();
    const std::size_t lf = bytes.find('\n');
    const std::string rest = lf == std::string::npos ? std::string() : bytes.substr(lf + 1);
    if (ReadAll(path) != PasswordLine(newPassword) + rest) std::abort();
    return 0;
}
