#include "model/SettingsFile.h"

#include <algorithm>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "model/ClockTimeText.h"
#include "model/SettingsLayout.h"

namespace {

constexpr std::string_view kPasswordKey = "Password=";
constexpr std::size_t kPasswordValueSize = 22;
constexpr std::size_t kMaxPassword = 20;

// ---- writing --------------------------------------------------------------

class SettingsWriter {
public:
    explicit SettingsWriter(std::FILE* out) : out_(out) {}

    bool Ok() const { return ok_; }
    void Line(std::string_view key) { Put(key, {}); }
    void Section(std::string_view written, std::string_view) { Put(written, {}); }
    void Skip(std::string_view written) { Put(written, {}); }
    bool Optional(std::string_view line) {
        Put(line, {});
        return ok_;
    }
    template <class T>
    void Num(std::string_view key, T& field) {
        char buf[16];
        // "%d" of the stored value: a 32-bit mask with bit 31 set prints negative
        // and reads back to the same bits.
        const int n = FormatDecimal(buf, static_cast<int32_t>(field));
        Put(key, std::string_view(buf, static_cast<std::size_t>(n)));
    }
    template <std::size_t N>
    void Text(std::string_view key, FixedText<N>& field) { Put(key, field.View()); }
    void Station(std::string_view key, int32_t& value, FixedText<6>& text) {
        if (value == kNotAssigned) text = "-1";
        Put(key, text.View());
    }
    void Time(std::string_view key, ClockTime& t) { Pair(key, t.Value, ':'); }
    void Member(std::string_view key, MemberRef& ref, int) {
        Pair(key, static_cast<uint16_t>(ref.Exchange << 8 | ref.Station), '-');
    }
    void RxMember(std::string_view key, LineData& line, int i) { Member(key, line.RxMaster[i], i + 1); }

private:
    void Pair(std::string_view key, uint16_t value, char separator) {
        char buf[8];
        const int n = PairToText(value, separator, buf);
        Put(key, std::string_view(buf, static_cast<std::size_t>(n)));
    }
    void Put(std::string_view key, std::string_view value) {
        if (!ok_) return;
        char line[256];
        if (key.size() + value.size() + 1 <= sizeof line) {
            std::memcpy(line, key.data(), key.size());
            if (!value.empty()) std::memcpy(line + key.size(), value.data(), value.size());
            line[key.size() + value.size()] = '\n';
            ok_ = std::fwrite(line, 1, key.size() + value.size() + 1, out_) == key.size() + value.size() + 1;
        } else {
            ok_ = std::fwrite(key.data(), 1, key.size(), out_) == key.size() &&
                  std::fwrite(value.data(), 1, value.size(), out_) == value.size() && std::fputc('\n', out_) != EOF;
        }
    }

    std::FILE* out_;
    bool ok_ = true;
};

// ---- reading --------------------------------------------------------------

// A settings file is about 1.3 MB: bytes past this are never part of one, and
// a huge file must not take the memory. The reader stops where the input does.
constexpr std::size_t kMaxInput = std::size_t{64} << 20;

// The whole input, read at once: the reader then walks its lines in place.
class InputBytes {
public:
    std::string_view View() const { return std::string_view(data_.get(), size_); }

    // Calls read(at, room) until it gives no more bytes; read returns the count
    // read, 0 at the end, negative on an error. An error ends the input where
    // it stands, as the end of the file would. sizeHint is the expected size:
    // one byte more is asked for, so a file that grew is still read whole.
    template <class Read>
    void Fill(std::size_t sizeHint, Read read) {
        Reserve(std::min(sizeHint + 1, kMaxInput));
        while (size_ < kMaxInput) {
            if (size_ == capacity_) Reserve(std::min(capacity_ * 2, kMaxInput));
            const std::ptrdiff_t n = read(data_.get() + size_, capacity_ - size_);
            if (n <= 0) return;
            size_ += static_cast<std::size_t>(n);
        }
    }

private:
    void Reserve(std::size_t capacity) {
        if (capacity <= capacity_) return;
        auto bigger = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_) std::memcpy(bigger.get(), data_.get(), size_);
        data_ = std::move(bigger);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// The size a descriptor's regular file has now, or a small start for anything else.
std::size_t SizeHint(int fd) {
    struct stat st {};
    if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        return static_cast<std::size_t>(st.st_size);
    return std::size_t{1} << 16;
}

// The lines of the input as views into it; after the last line an empty line
// is read. A carriage return before the line feed is dropped.
class LineSource {
public:
    explicit LineSource(std::string_view text) : rest_(text) {}

    std::string_view Next() {
        if (rest_.empty()) return {};
        const char* const begin = rest_.data();
        std::size_t len = rest_.size();
        if (const void* feed = std::memchr(begin, '\n', len)) {
            len = static_cast<std::size_t>(static_cast<const char*>(feed) - begin);
            rest_.remove_prefix(len + 1);
        } else {
            rest_ = {};
        }
        if (len && begin[len - 1] == '\r') --len;
        return std::string_view(begin, len);
    }

private:
    std::string_view rest_;
};

// Nearly every key starts its line: a short inline comparison settles those
// without a library call.
bool StartsWith(std::string_view line, std::string_view key) {
    if (line.size() < key.size()) return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (line[i] != key[i]) return false;
    return true;
}

class SettingsReader {
public:
    SettingsReader(std::string_view text, SettingData& data, Prompt& prompt)
        : lines_(text), data_(data), prompt_(prompt) {}

    bool Ok() const { return ok_; }

    // The first line: key, then the 22-character value. A malformed value stops
    // the read silently.
    void Password() {
        std::string_view value;
        if (!Lookup(kPasswordKey, value)) return;
        std::string password;
        if (!DecodePasswordValue(value, password)) {
            ok_ = false;
            return;
        }
        data_.SettingPassword = password;
    }
    void Line(std::string_view key) {
        std::string_view value;
        Lookup(key, value);
    }
    void Section(std::string_view, std::string_view lookup) { Line(lookup); }
    void Skip(std::string_view) {
        if (ok_) lines_.Next();
    }
    bool Optional(std::string_view line) { return ok_ && lines_.Next() == line; }
    template <class T>
    void Num(std::string_view key, T& field) {
        std::string_view value;
        if (Lookup(key, value)) field = static_cast<T>(static_cast<uint32_t>(ParseDecimal(value)));
    }
    template <std::size_t N>
    void Text(std::string_view key, FixedText<N>& field) {
        std::string_view value;
        if (Lookup(key, value)) field.Set(value);
    }
    void Station(std::string_view key, int32_t& number, FixedText<6>& text) {
        std::string_view value;
        if (!Lookup(key, value)) return;
        number = value == "-1" ? kNotAssigned : ParseDecimal(value);
        text.Set(value);
    }
    void Time(std::string_view key, ClockTime& t) {
        std::string_view value;
        if (Lookup(key, value)) ClockTimeFromText(value, t);
    }
    void Member(std::string_view key, MemberRef& ref, int position) {
        std::string_view value;
        if (!Lookup(key, value)) return;
        MemberRefFromText(value, ref);
        ref.Position = static_cast<uint8_t>(position);
    }
    void RxMember(std::string_view key, LineData& line, int i) {
        MemberRef& ref = line.RxMaster[i];
        Member(key, ref, i + 1);
        if (!ok_) return;
        // The display copy comes from the master as the model holds it now; a
        // reference outside the installation gets none.
        if (ref.Exchange >= 1 && ref.Exchange <= kMaxExchanges && ref.Station >= 1 &&
            ref.Station <= kMastersPerExchange) {
            const MasterData& ms = data_.Switch[ref.Exchange - 1].Master[ref.Station - 1];
            line.RxMasterNumber[i] = ms.NumberValue;
            line.RxMasterName[i] = ms.Name;
        } else {
            line.RxMasterNumber[i] = kNotAssigned;
            line.RxMasterName[i].Clear();
        }
    }

private:
    // The key may stand anywhere in the line; the value is what follows it.
    bool Lookup(std::string_view key, std::string_view& value) {
        if (!ok_) return false;
        const std::string_view line = lines_.Next();
        const std::size_t at = StartsWith(line, key) ? 0 : line.find(key);
        if (at == std::string_view::npos) {
            prompt_.Message(MissingKeyMessage(key), {}, PromptIcon::Exclamation, PromptButtons::Ok);
            ok_ = false;
            return false;
        }
        value = line.substr(at + key.size());
        return true;
    }

    LineSource lines_;
    SettingData& data_;
    Prompt& prompt_;
    bool ok_ = true;
};

// Where the bytes really go: a link to the settings file is followed, so the
// rename replaces the file and not the link.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto target = std::filesystem::canonical(path, ec);
        if (!ec) return target.string();
    }
    return path;
}

mode_t NewFileMode(const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string MissingKeyMessage(std::string_view key, bool withDefaultLine) {
    std::string text = "Incorrect setting file. Key information\n ";
    text += key;
    text += " not found.";
    if (withDefaultLine) text += "\nDefault Data setting";
    return text;
}

std::string PasswordLine(std::string_view password) {
    if (password.size() > kMaxPassword) password = password.substr(0, kMaxPassword);
    std::string line(kPasswordKey);
    char len[4];
    FormatDecimalWidth(len, static_cast<int64_t>(password.size()), 2);
    line.append(len, 2);
    for (char c : password) line.push_back(static_cast<char>(static_cast<unsigned char>(c) + 16));
    line.append(kMaxPassword - password.size(), '*');
    line.push_back('\n');
    return line;
}

bool DecodePasswordValue(std::string_view value, std::string& password) {
    if (value.size() != kPasswordValueSize) return false;
    if (value[0] < '0' || value[0] > '9' || value[1] < '0' || value[1] > '9') return false;
    const std::size_t length = static_cast<std::size_t>((value[0] - '0') * 10 + (value[1] - '0'));
    if (length > kMaxPassword) return false;
    password.clear();
    for (std::size_t i = 0; i < length; ++i)
        password.push_back(static_cast<char>(static_cast<unsigned char>(value[2 + i]) - 16));
    return true;
}

bool WriteSettings(SettingData& data, std::FILE* out) {
    const std::string password = PasswordLine(data.SettingPassword.View());
    if (std::fwrite(password.data(), 1, password.size(), out) != password.size()) return false;
    SettingsWriter writer(out);
    settings_layout::Walk(writer, data);
    return writer.Ok() && std::fflush(out) == 0 && !std::ferror(out);
}

SettingsReadResult ReadSettingsText(SettingData& data, std::string_view text, Prompt& prompt) {
    SettingsReader reader(text, data, prompt);
    reader.Password();
    if (reader.Ok()) settings_layout::Walk(reader, data);
    if (reader.Ok()) {
        ClampMemberCounts(data);
        return SettingsReadResult::Ok;
    }
    ResetToDefaults(data);
    data.CurrentFilePath.Clear();
    return SettingsReadResult::Failed;
}

SettingsReadResult ReadSettingsFile(SettingData& data, const std::string& path, Prompt& prompt) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SettingsReadResult::CannotOpen;
    InputBytes bytes;
    bytes.Fill(SizeHint(fd), [fd](char* at, std::size_t room) -> std::ptrdiff_t {
        ssize_t n;
        do n = read(fd, at, room);
        while (n < 0 && errno == EINTR);
        return n;
    });
    close(fd);
    return ReadSettingsText(data, bytes.View(), prompt);
}

bool WriteSettingsFile(SettingData& data, const std::string& path, Prompt& prompt) {
    const std::string target = ResolveTarget(path);
    std::string temp = target + ".XXXXXX";
    bool ok = false;
    const int fd = mkstemp(temp.data());
    if (fd >= 0) {
        fchmod(fd, NewFileMode(target));
        std::FILE* out = fdopen(fd, "wb");
        if (out) {
            std::setvbuf(out, nullptr, _IOFBF, 1 << 16);
            ok = WriteSettings(data, out);
            ok = fsync(fileno(out)) == 0 && ok;
            ok = std::fclose(out) == 0 && ok;
            ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
        } else {
            close(fd);
        }
        if (!ok) unlink(temp.c_str());
    }
    if (!ok) {
        prompt.Message(kSetFileWriteError, {}, PromptIcon::Exclamation, PromptButtons::Ok);
        return false;
    }
    data.Modified = 0;
    return true;
}
