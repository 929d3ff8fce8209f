#include "app/SingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const std::string& folder) : path_(folder + "/" + LockFileName()) {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) return;
    int rc;
    while ((rc = ::flock(fd_, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0 && errno == EWOULDBLOCK) held_elsewhere_ = true;
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) ::close(fd_);  // releases the lock; the file stays for the next start
}

std::string LockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') return runtime;
    return "/tmp";
}

std::string LockFileName() { return "NX420-" + std::to_string(::getuid()) + ".lock"; }
