#include "port/SerialPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Unix98 pseudo-terminal slaves have majors 136 to 143.
bool IsPseudoTerminal(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    const unsigned m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

// The group whose members may use the device: its own group when that group
// may read and write it, else the one Debian gives serial lines.
std::string DeviceGroup(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && st.st_gid != 0 && (st.st_mode & S_IRGRP) && (st.st_mode & S_IWGRP)) {
        group g {};
        group* found = nullptr;
        char buffer[1024];
        if (getgrgid_r(st.st_gid, &g, buffer, sizeof buffer, &found) == 0 && found) return found->gr_name;
    }
    return "dialout";
}

// What an installer can act on: the device is missing, in use, no serial
// line, or not permitted; the system's own words after it.
void SetWhy(std::string* why, const std::string& path, const char* step) {
    if (!why) return;
    const int err = errno;
    std::string reason = "cannot be used as the serial line";
    switch (err) {
    case ENOENT:
    case ENXIO:
    case ENODEV: reason = "no such device"; break;
    case EBUSY: reason = "busy: another program uses it"; break;
    case EACCES:
    case EPERM: {
        const std::string group = DeviceGroup(path);
        reason = "permission denied: the user must be in the group " + group + " (sudo usermod -aG " + group +
                 " $USER, then log in again)";
        break;
    }
    case ENOTTY:
    case EINVAL: reason = "not a serial line"; break;
    default: break;
    }
    *why = path + ": " + reason + " (" + step + ": " + std::strerror(err) + ")";
}

}  // namespace

SerialDeviceMap::SerialDeviceMap() {
    for (int i = 0; i < 4; ++i) paths_[static_cast<std::size_t>(i)] = "/dev/ttyS" + std::to_string(i);
}

std::string SerialDeviceMap::PathOf(int index) const {
    if (index < 0 || index > 3) return {};
    return paths_[static_cast<std::size_t>(index)];
}

std::string SerialDeviceMap::PathOf(std::string_view portName) const {
    if (portName.size() != 4 || portName.substr(0, 3) != "COM") return {};
    return PathOf(portName[3] - '1');
}

SerialPort::SerialPort() { wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }

SerialPort::~SerialPort() {
    Close();
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

bool SerialPort::Open(const std::string& path, std::string* why, Line line) {
    Close();
    parityDropped_ = false;
    // Non-blocking, so that a port without carrier does not hold the open.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return SetWhy(why, path, "open"), false;
    auto fail = [&](const char* step) {
        SetWhy(why, path, step);
        ::close(fd);  // closed here rather than left open as a handle nobody owns
        return false;
    };
    if (ioctl(fd, TIOCEXCL) != 0) return fail("exclusive");
    termios tio {};
    if (tcgetattr(fd, &tio) != 0) return fail("read line state");

    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
    if (line == Line::Modem) {
        tio.c_cflag &= ~static_cast<tcflag_t>(PARENB);
        tio.c_cflag |= HUPCL;
    }
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                          IXON | IXOFF | IXANY);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B19200);
    cfsetospeed(&tio, B19200);
    // A pseudo-terminal drops the parity and glibc may then report EINVAL although
    // the rest was applied: judge by what the line reads back, not by the result.
    errno = 0;
    (void)tcsetattr(fd, TCSANOW, &tio);
    termios back {};
    if (tcgetattr(fd, &back) != 0) return fail("read line state back");
    const bool rawOk = (back.c_lflag & (ICANON | ECHO | ISIG)) == 0 && (back.c_oflag & OPOST) == 0 &&
                       (back.c_iflag & (IXON | ICRNL | ISTRIP)) == 0;
    const bool lineOk = cfgetospeed(&back) == B19200 && cfgetispeed(&back) == B19200 &&
                        (back.c_cflag & CSIZE) == CS8 && (back.c_cflag & CSTOPB) == 0 &&
                        (back.c_cflag & CRTSCTS) == 0;
    const bool parityOk = line == Line::Modem ? (back.c_cflag & PARENB) == 0
                                              : (back.c_cflag & (PARENB | PARODD)) == PARENB;
    if (!rawOk || !lineOk) {
        errno = EINVAL;
        return fail("configure");
    }
    if (!parityOk) {
        if (!IsPseudoTerminal(fd)) {
            errno = EINVAL;
            return fail("even parity");
        }
        parityDropped_ = true;
    }
    fd_ = fd;
    return true;
}

void SerialPort::Close() {
    const int fd = fd_.exchange(-1);
    if (fd < 0) return;
    ioctl(fd, TIOCNXCL);  // a pseudo-terminal held open elsewhere keeps the flag otherwise
    ::close(fd);
}

SerialPort::ReadResult SerialPort::ReadByte(std::uint8_t& byte, int timeoutMs) {
    const int fd = fd_.load();
    if (fd < 0) return ReadResult::Failed;
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int n = ::poll(fds, wakeFd_ >= 0 ? 2 : 1, timeoutMs);
    if (n < 0) return errno == EINTR ? ReadResult::Nothing : ReadResult::Failed;
    if (fds[0].revents) {
        const ssize_t got = ::read(fd, &byte, 1);
        if (got == 1) return ReadResult::Byte;
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) return ReadResult::Nothing;
        return ReadResult::Failed;  // an error, or the other end hung up
    }
    if (wakeFd_ >= 0 && fds[1].revents) {
        std::uint64_t count;
        (void)!::read(wakeFd_, &count, sizeof count);
    }
    return ReadResult::Nothing;
}

bool SerialPort::Write(const std::uint8_t* bytes, std::size_t length) {
    const int fd = fd_.load();
    if (fd < 0) return false;
    std::size_t done = 0;
    const int budgetMs = 5 + 5 * static_cast<int>(length);
    while (done < length) {
        const ssize_t n = ::write(fd, bytes + done, length - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            lastError_ = std::string("write: ") + std::strerror(errno);
            return false;
        }
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, budgetMs) <= 0) {
            lastError_ = "write: the line took no more bytes in time";
            return false;
        }
    }
    return true;
}

int SerialPort::Carrier() const {
    const int fd = fd_.load();
    int bits = 0;
    if (fd < 0 || ioctl(fd, TIOCMGET, &bits) != 0) return -1;
    return (bits & TIOCM_CAR) ? 1 : 0;
}

void SerialPort::Wake() {
    if (wakeFd_ < 0) return;
    const std::uint64_t one = 1;
    (void)!::write(wakeFd_, &one, sizeof one);
}

void SerialPort::Pause(int ms) {
    if (wakeFd_ < 0) return;
    pollfd p{wakeFd_, POLLIN, 0};
    if (::poll(&p, 1, ms) > 0) {
        std::uint64_t count;
        (void)!::read(wakeFd_, &count, sizeof count);
    }
}
