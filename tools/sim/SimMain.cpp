// nx420-sim: one to sixteen exchanges on the far end of a pseudo-terminal.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

#include "SimExchanges.h"
#include "SimLink.h"
#include "SimModem.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

const char kUsage[] =
    "usage: nx420-sim [options]\n"
    "  --exchanges N       exchanges to play, 1 to 16 (1)\n"
    "  --link PATH         make PATH a symbolic link to the pseudo-terminal\n"
    "  --rate R            log / monitor texts a second per exchange while on (1)\n"
    "  --flood             stream log / monitor texts as fast as the line takes them\n"
    "  --pace              send and take bytes at 19200 baud 8E1 (11 bits a byte)\n"
    "  --nak-text N        NAK the N-th text received (repeatable)\n"
    "  --nak-every K       NAK every K-th text received\n"
    "  --corrupt-bcc N     corrupt the BCC of our N-th frame (repeatable)\n"
    "  --corrupt-every K   corrupt the BCC of every K-th frame\n"
    "  --drop-byte N       drop the N-th byte we send (repeatable)\n"
    "  --drop-every K      drop every K-th byte we send\n"
    "  --delay MS          hold every answer back MS milliseconds\n"
    "  --silent-after N    fall silent after N acknowledged texts\n"
    "  --silent-after-sent N  fall silent after N of our texts were acknowledged\n"
    "  --status N:EE:S     send status text z EE S after N acknowledged texts (0: at once)\n"
    "  --status-at MS:EE:S send it MS milliseconds after the start\n"
    "  --modem             answer AT commands; the exchanges only once a call is up\n"
    "  --connect-delay MS  time from ATD to CONNECT (0)\n"
    "  --modem-busy        answer ATD with BUSY\n"
    "  --modem-no-answer   answer ATD with NO ANSWER\n"
    "  --modem-drop-after N  drop the carrier after N texts from the PC\n";

struct Options {
    SimConfig Config;
    std::string Link;
    bool Pace = false;
    std::vector<long> DropBytes;
    long DropEvery = 0;
    long DelayMs = 0;
    bool Modem = false;
    SimModemConfig ModemConfig;
};

[[noreturn]] void Usage(const char* why) {
    std::fprintf(stderr, "nx420-sim: %s\n%s", why, kUsage);
    std::exit(2);
}

long Number(const char* s, long lo, long hi) {
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    if (!*s || *end || v < lo || v > hi) Usage((std::string("bad number: ") + s).c_str());
    return v;
}

SimStatusAt Status(const char* s, bool atMs) {
    int when = 0, exchange = 0;
    char status = 0;
    if (std::sscanf(s, "%d:%d:%c", &when, &exchange, &status) != 3 || when < 0 || exchange < 0 || exchange > 99)
        Usage("status wants N:EE:S");
    SimStatusAt st;
    (atMs ? st.AtMs : st.AfterTexts) = when;
    st.Exchange = exchange;
    st.Status = status;
    return st;
}

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) Usage(("missing value for " + a).c_str());
            return argv[++i];
        };
        if (a == "--exchanges") o.Config.Exchanges = static_cast<int>(Number(value(), 1, 16));
        else if (a == "--link") o.Link = value();
        else if (a == "--rate") o.Config.StreamRate = std::max(0.01, std::atof(value()));
        else if (a == "--flood") o.Config.StreamRate = 0;
        else if (a == "--pace") o.Pace = true;
        else if (a == "--nak-text") o.Config.NakTexts.push_back(static_cast<int>(Number(value(), 1, 1 << 30)));
        else if (a == "--nak-every") o.Config.NakEvery = static_cast<int>(Number(value(), 1, 1 << 30));
        else if (a == "--corrupt-bcc") o.Config.CorruptFrames.push_back(static_cast<int>(Number(value(), 1, 1 << 30)));
        else if (a == "--corrupt-every") o.Config.CorruptEvery = static_cast<int>(Number(value(), 1, 1 << 30));
        else if (a == "--drop-byte") o.DropBytes.push_back(Number(value(), 1, 1L << 40));
        else if (a == "--drop-every") o.DropEvery = Number(value(), 1, 1L << 40);
        else if (a == "--delay") o.DelayMs = Number(value(), 0, 600000);
        else if (a == "--silent-after") o.Config.SilentAfter = static_cast<int>(Number(value(), 0, 1 << 30));
        else if (a == "--silent-after-sent") o.Config.SilentAfterSent = static_cast<int>(Number(value(), 0, 1 << 30));
        else if (a == "--status") o.Config.Statuses.push_back(Status(value(), false));
        else if (a == "--status-at") o.Config.Statuses.push_back(Status(value(), true));
        else if (a == "--modem") o.Modem = true;
        else if (a == "--connect-delay") o.ModemConfig.ConnectDelayMs = Number(value(), 0, 600000);
        else if (a == "--modem-busy") o.ModemConfig.Busy = true;
        else if (a == "--modem-no-answer") o.ModemConfig.NoAnswer = true;
        else if (a == "--modem-drop-after") o.ModemConfig.DropAfter = Number(value(), 1, 1L << 40);
        else if (a == "--help" || a == "-h") std::fputs(kUsage, stdout), std::exit(0);
        else Usage(("unknown option " + a).c_str());
    }
    return o;
}

using Clock = std::chrono::steady_clock;
double NowUs() {
    return std::chrono::duration<double, std::micro>(Clock::now().time_since_epoch()).count();
}

// 11 bits a byte at 19200 baud.
constexpr double kByteUs = 11.0 * 1e6 / 19200.0;

std::string Printable(std::string_view text) {
    std::string s;
    for (char c : text.substr(0, 48)) s += (c >= 0x20 && c < 0x7F) ? c : '.';
    if (text.size() > 48) s += "...";
    return s;
}

struct TimedByte {
    double DueUs;
    std::uint8_t Byte;
};

}  // namespace

int main(int argc, char** argv) {
    Options opt = Parse(argc, argv);

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("nx420-sim: pseudo-terminal");
        return 1;
    }
    const std::string slavePath = ptsname(master);
    termios tio{};
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);
    // Holding the far end open keeps the pseudo-terminal alive between the
    // program's opens (otherwise every close hangs the line up).
    const int keepOpen = open(slavePath.c_str(), O_RDWR | O_NOCTTY);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    if (!opt.Link.empty()) {
        unlink(opt.Link.c_str());
        if (symlink(slavePath.c_str(), opt.Link.c_str()) != 0) {
            std::perror("nx420-sim: link");
            return 1;
        }
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("%s\n", slavePath.c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "sim: %d exchange(s) on %s\n", opt.Config.Exchanges, slavePath.c_str());

    std::deque<TimedByte> in, out;
    double inLineFreeUs = 0, outLineFreeUs = 0;
    long bytesSent = 0;
    long lineBytesIn = 0, lineBytesOut = 0;  // what crossed the line, for the closing log line
    const double startUs = NowUs();
    auto nowMs = [&] { return static_cast<std::int64_t>((NowUs() - startUs) / 1000.0); };

    SimLink* linkPtr = nullptr;
    SimExchanges exchanges(opt.Config, [&](std::string text) { linkPtr->Queue(std::move(text)); });
    SimLink::Hooks hooks;
    SimModem::Hooks modemHooks;
    modemHooks.write = [&](const std::string& text) {
        double due = NowUs();
        for (char c : text) {
            if (opt.Pace) due = outLineFreeUs = std::max(due, outLineFreeUs) + kByteUs;
            out.push_back({due, static_cast<std::uint8_t>(c)});
        }
    };
    modemHooks.log = [](const std::string& text) { std::fprintf(stderr, "sim: modem: %s\n", text.c_str()); };
    std::unique_ptr<SimModem> modem;
    if (opt.Modem) modem = std::make_unique<SimModem>(opt.ModemConfig, modemHooks);
    hooks.write = [&](const std::uint8_t* b, std::size_t n) {
        if (modem && !modem->Online()) return;  // no call: the exchanges are out of reach
        double due = NowUs() + static_cast<double>(opt.DelayMs) * 1000.0;
        for (std::size_t i = 0; i < n; ++i) {
            ++bytesSent;
            const bool drop = (opt.DropEvery > 0 && bytesSent % opt.DropEvery == 0) ||
                              std::find(opt.DropBytes.begin(), opt.DropBytes.end(), bytesSent) != opt.DropBytes.end();
            if (drop) {
                std::fprintf(stderr, "sim: dropped byte %ld (%02x)\n", bytesSent, b[i]);
                continue;
            }
            if (opt.Pace) {
                due = std::max(due, outLineFreeUs) + kByteUs;
                outLineFreeUs = due;
            }
            out.push_back({due, b[i]});
        }
    };
    hooks.received = [&](std::string_view text) {
        const bool ack = exchanges.Receive(text, nowMs());
        std::fprintf(stderr, "sim: rx %s %s\n", Printable(text).c_str(), ack ? "ACK" : "NAK (fault)");
        if (modem) modem->TextTaken();
        if (ack && !text.empty() && text[0] == 'N')
            std::fprintf(stderr, "sim: remote dialing [%s]\n", Printable(exchanges.Dialings().back()).c_str());
        return ack;
    };
    hooks.rejected = [&](std::string_view text) {
        std::fprintf(stderr, "sim: rx %s NAK (bad frame)\n", Printable(text).c_str());
    };
    hooks.corruptFrame = [&](std::string_view text) {
        const bool corrupt = exchanges.CorruptNextFrame();
        if (corrupt) std::fprintf(stderr, "sim: corrupting the BCC of %s\n", Printable(text).c_str());
        return corrupt;
    };
    hooks.sent = [&](std::string_view text, bool acked) {
        exchanges.Sent(acked);
        std::fprintf(stderr, "sim: tx %s %s\n", Printable(text).c_str(), acked ? "acknowledged" : "given up");
    };
    SimLink link(hooks);
    linkPtr = &link;
    bool silentLogged = false;

    while (!g_stop) {
        std::uint8_t buf[512];
        for (;;) {
            const ssize_t n = read(master, buf, sizeof buf);
            if (n <= 0) break;
            lineBytesIn += n;
            const double now = NowUs();
            for (ssize_t i = 0; i < n; ++i) {
                double due = now;
                if (opt.Pace) due = inLineFreeUs = std::max(now, inLineFreeUs) + kByteUs;
                in.push_back({due, buf[i]});
            }
        }
        double now = NowUs();
        if (exchanges.Silent()) {
            if (!silentLogged) std::fprintf(stderr, "sim: fallen silent\n");
            silentLogged = true;
            in.clear();
        }
        while (!in.empty() && in.front().DueUs <= now) {
            if (!modem || modem->FromPc(in.front().Byte, nowMs())) link.Feed(in.front().Byte, nowMs());
            in.pop_front();
        }
        if (modem) modem->Poll(nowMs());
        if (!exchanges.Silent()) {
            exchanges.Poll(nowMs(), link.Pending() < 32 ? 32 - link.Pending() : 0);
            link.Poll(nowMs());
        }
        now = NowUs();
        while (!out.empty() && out.front().DueUs <= now) {
            std::uint8_t chunk[1100];
            std::size_t k = 0;
            while (!out.empty() && out.front().DueUs <= now && k < sizeof chunk) chunk[k++] = out.front().Byte, out.pop_front();
            std::size_t done = 0;
            while (done < k) {
                const ssize_t w = write(master, chunk + done, k - done);
                if (w > 0) done += static_cast<std::size_t>(w), lineBytesOut += w;
                else if (w < 0 && errno == EAGAIN) {
                    pollfd p{master, POLLOUT, 0};
                    poll(&p, 1, 10);
                } else break;
            }
        }
        // Sleep until the next byte is due, the link has a deadline, or input arrives.
        double wakeUs = now + 5000.0;
        if (!in.empty()) wakeUs = std::min(wakeUs, in.front().DueUs);
        if (!out.empty()) wakeUs = std::min(wakeUs, out.front().DueUs);
        const double linkUs = startUs + static_cast<double>(link.NextDeadlineMs()) * 1000.0;
        if (link.NextDeadlineMs() < (1LL << 40)) wakeUs = std::min(wakeUs, linkUs);
        if (modem && modem->NextDeadlineMs() < (1LL << 40))
            wakeUs = std::min(wakeUs, startUs + static_cast<double>(modem->NextDeadlineMs()) * 1000.0);
        // Paced, the simulator stands for a line and hardware that react within
        // microseconds: it never sleeps, because a wake-up from a timer or from
        // arriving input can come late by a sizeable part of a byte time.
        const double waitUs = opt.Pace ? 0.0 : std::max(0.0, wakeUs - now);
        timespec timeout{static_cast<time_t>(waitUs / 1e6), static_cast<long>(std::fmod(waitUs, 1e6) * 1000.0)};
        pollfd p{master, POLLIN, 0};
        if (ppoll(&p, 1, &timeout, nullptr) < 0 && errno != EINTR) break;
    }
    std::fprintf(stderr, "sim: %ld bytes received, %ld bytes sent\n", lineBytesIn, lineBytesOut);
    if (!opt.Link.empty()) unlink(opt.Link.c_str());
    if (keepOpen >= 0) close(keepOpen);
    close(master);
    return 0;
}
