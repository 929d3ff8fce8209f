#include "model/Password.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "model/SettingsFile.h"

namespace {
constexpr std::string_view kPasswordKey = "Password=";
constexpr std::size_t kPasswordLineSize = 32;

// The first line without its line feed (and without a carriage return before
// it, so a file that went through a CRLF editor still gives its password).
bool ReadFirstLine(const std::string& path, std::string& line) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
    std::fclose(f);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool WriteAll(int fd, const char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// Length of the first line including its line feed, or the whole size when
// the file has no line feed; -1 on a read error.
long FirstLineSize(int fd) {
    char buf[256];
    long total = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) return total;
        for (ssize_t i = 0; i < n; ++i)
            if (buf[i] == '\n') return total + i + 1;
        total += n;
    }
}

// Replaces the first line by rewriting the whole file beside it and renaming
// it over the original.
bool ReplaceFirstLine(int fd, long firstLineSize, const std::string& path, const std::string& line) {
    const std::string temp = path + ".pwtmp";
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) return false;
    bool ok = WriteAll(out, line.data(), line.size(), 0);
    off_t in = firstLineSize, at = static_cast<off_t>(line.size());
    char buf[65536];
    while (ok) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, in);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        ok = WriteAll(out, buf, static_cast<std::size_t>(n), at);
        in += n;
        at += n;
    }
    ok = (::fsync(out) == 0) && ok;
    ok = (::close(out) == 0) && ok;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}
}  // namespace

PasswordRead ReadFilePassword(const std::string& path, FixedText<20>& passwordInMemory, Prompt& prompt) {
    std::string line;
    if (!ReadFirstLine(path, line)) {
        passwordInMemory.Clear();
        return PasswordRead::NoFile;
    }
    const std::size_t at = line.find(kPasswordKey);
    if (at == std::string::npos) {
        prompt.Message(MissingKeyMessage(kPasswordKey, false), {}, PromptIcon::Exclamation, PromptButtons::Ok);
        return PasswordRead::KeyMissing;
    }
    std::string password;
    if (!DecodePasswordValue(std::string_view(line).substr(at + kPasswordKey.size()), password))
        return PasswordRead::Malformed;
    passwordInMemory = password;
    return PasswordRead::Password;
}

bool WritePasswordLine(const std::string& path, std::string_view password) {
    const std::string line = PasswordLine(password);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const long first = FirstLineSize(fd);
    bool ok;
    if (first < 0) {
        ok = false;
    } else if (first == 0 || (first == static_cast<long>(kPasswordLineSize) && line.size() == kPasswordLineSize)) {
        ok = WriteAll(fd, line.data(), line.size(), 0);
    } else {
        ok = ReplaceFirstLine(fd, first, path, line);
    }
    ok = (::close(fd) == 0) && ok;
    return ok;
}

NewPasswordCheck CheckNewPassword(std::string_view current, std::string_view oldPassword,
                                  std::string_view newPassword, std::string_view confirmation) {
    if (oldPassword != current) return NewPasswordCheck::OldWrong;
    if (newPassword != confirmation) return NewPasswordCheck::ConfirmWrong;
    return NewPasswordCheck::Ok;
}
