#include "maintenance/HistoryStore.h"

#include <sys/stat.h>

namespace {
// Size of the file at path; 0 when there is none.
long long FileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
}
bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}
}  // namespace

int NextSequence(int current, bool newFolder) {
    if (newFolder) return 1;
    return current >= kLastSequence ? 1 : current + 1;
}

HistoryStore::HistoryStore(const HistoryKind& kind, Tell tell) : kind_(kind), tell_(std::move(tell)) {}

HistoryStore::~HistoryStore() { Close(); }

void HistoryStore::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

// A new date starts its files at 01.
void HistoryStore::Today() {
    const HistoryDate today = HistoryDate::Of(ClockNow());
    if (today == date_) return;
    date_ = today;
    sequence_ = 1;
}

void HistoryStore::Start(const std::string& remembered) {
    const StoredName stored = ParseStoredName(remembered);
    folder_ = stored.Folder;
    date_ = stored.Date;
    const HistoryDate storedDate = date_;
    Today();
    sequence_ = stored.Sequence != 0 && storedDate == date_ ? stored.Sequence : 1;
    name_ = NameFor(sequence_);
    if (Exists(name_)) {
        if (!Open(name_) && tell_) tell_(kind_.OpenFailed);
    } else {
        name_ = remembered;
        sequence_ = 0;
    }
    disabled_ = false;  // a failure here is only reported: the first record tries again
}

void HistoryStore::ChooseFolder(const std::string& folder) {
    folder_ = folder;
    newFolder_ = true;
}

bool HistoryStore::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "ab");
    if (!file_) return false;
    // Unbuffered: a record is on disk when Write returns, and a failed write
    // leaves nothing behind to come out later.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    size_ = FileSize(path);
    name_ = path;
    return true;
}

// The rules pick the next sequence; one that is full already is passed over,
// so an earlier run's records are neither emptied nor piled on. When every
// file of the day is full, the one picked is appended to.
bool HistoryStore::OpenNext() {
    Close();
    sequence_ = NextSequence(sequence_, newFolder_);
    Today();
    allFull_ = true;
    for (int s = sequence_; s <= kLastSequence; ++s) {
        if (FileSize(NameFor(s)) <= kHistoryFileLimit) {
            sequence_ = s;
            allFull_ = false;
            break;
        }
    }
    return Open(NameFor(sequence_));
}

void HistoryStore::Write(std::string_view line) {
    if (disabled_) return;
    const bool allFull = allFull_ && HistoryDate::Of(ClockNow()) == date_;
    if (RollOver{file_ != nullptr, size_, newFolder_, allFull}.Needed() && !OpenNext()) {
        disabled_ = true;
        newFolder_ = false;
        if (tell_) tell_(kind_.OpenFailed);
        return;
    }
    newFolder_ = false;
    if (std::fwrite(line.data(), 1, line.size(), file_) == line.size()) {
        size_ += static_cast<long long>(line.size());
        writeFailing_ = false;
        return;
    }
    // What did reach the file counts toward its size.
    const long position = std::ftell(file_);
    if (position >= 0) size_ = position;
    std::clearerr(file_);
    if (!writeFailing_ && tell_) tell_(kind_.WriteFailed);
    writeFailing_ = true;
}
