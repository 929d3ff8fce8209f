#pragma once
// The automatic history files of one kind (log or monitor): which file a
// record goes to, opening and rolling over, and the failures. Every record is
// appended and flushed, so what was received is on disk even if the program
// dies; an existing file is never emptied.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "maintenance/HistoryNames.h"

struct HistoryKind {
    const char* Prefix;
    const char* OpenFailed;
    const char* WriteFailed;
};
inline constexpr HistoryKind kLogHistory{kLogPrefix, "Log Data File could not be opened",
                                         "Log Data File could not be written"};
inline constexpr HistoryKind kMonitorHistory{kMonitorPrefix, "Communication Monitoring File could not be opened",
                                             "Communication Monitoring File could not be written"};

// A file holding more than this starts the next one.
inline constexpr long long kHistoryFileLimit = 65536;

// Whether a record needs a file other than the one open.
// AllFull: every file of the day was full when this one was opened; it is
// appended to until a folder is chosen or the date changes.
struct RollOver {
    bool FileOpen = false;
    long long Size = 0;
    bool NewFolder = false;
    bool AllFull = false;
    bool Needed() const { return !FileOpen || NewFolder || (Size > kHistoryFileLimit && !AllFull); }
};

// The sequence after current (1 to 99, then 1 again); 1 in a newly chosen folder.
int NextSequence(int current, bool newFolder);

class HistoryStore {
public:
    using Tell = std::function<void(const char* message)>;
    HistoryStore(const HistoryKind& kind, Tell tell);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Takes up the remembered name: today's file of that name is opened again
    // to be appended to; otherwise the next record starts a file of today.
    void Start(const std::string& remembered);
    // The user chose a folder: the next record starts a file of sequence 01 there.
    void ChooseFolder(const std::string& folder);
    // Writes one line (already CR LF ended) to the current file, starting a
    // new one first when needed.
    void Write(std::string_view line);
    void Close();

    const std::string& Name() const { return name_; }  // the current file, remembered between runs
    const std::string& Folder() const { return folder_; }
    bool Disabled() const { return disabled_; }  // an open failed: nothing more is saved this run

private:
    bool OpenNext();
    bool Open(const std::string& path);
    std::string NameFor(int sequence) const { return AutoFileName(folder_, kind_.Prefix, date_, sequence); }
    void Today();

    HistoryKind kind_;
    Tell tell_;
    std::FILE* file_ = nullptr;
    long long size_ = 0;
    std::string name_;
    std::string folder_;
    HistoryDate date_;
    int sequence_ = 0;
    bool newFolder_ = false;
    bool disabled_ = false;
    bool writeFailing_ = false;  // one message per run of failed writes
    bool allFull_ = false;
};
