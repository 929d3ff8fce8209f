#pragma once
// One running program per user: an exclusive lock on a file named after the
// application in the user's runtime folder, held for the life of the process.
#include <string>

class SingleInstance {
public:
    // Takes the lock in folder (created files are private to the user).
    explicit SingleInstance(const std::string& folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another process holds the lock. A lock file that cannot
    // be created does not keep the program from starting.
    bool First() const { return !held_elsewhere_; }
    const std::string& LockPath() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    bool held_elsewhere_ = false;
};

// The folder for the lock: XDG_RUNTIME_DIR when it is set and absolute, else
// /tmp. The lock file's name carries the user id there.
std::string LockFolder();
std::string LockFileName();
