#include "SimExchanges.h"

#include <algorithm>
#include <cstdio>

#include "core/Clock.h"

namespace {

// Leading-zero decimal field; -1 when any character is not a digit or missing.
int Digits(std::string_view text, std::size_t at, std::size_t width) {
    if (text.size() < at + width) return -1;
    int v = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        v = v * 10 + (text[i] - '0');
    }
    return v;
}

std::string Format(const char* format, int value) {
    char b[32];
    std::snprintf(b, sizeof b, format, value);
    return b;
}

}  // namespace

std::vector<SimRecordKey> UploadOrder(int n, int selected) {
    std::vector<SimRecordKey> order{{'A', 0, 0}};
    auto chosen = [&](auto each) {
        for (int e = 1; e <= n; ++e)
            if (selected == 0 || selected == e) each(e);
    };
    for (int e = 1; e <= n; ++e)
        for (int m = 1; m <= 4; ++m) order.push_back({'B', e, m});
    chosen([&](int e) { for (int s = 1; s <= 64; ++s) order.push_back({'C', e, s}); });
    chosen([&](int e) { order.push_back({'D', e, 0}); });
    chosen([&](int e) { for (int m = 1; m <= 4; ++m) order.push_back({'E', e, m}); });
    chosen([&](int e) { order.push_back({'F', e, 0}); });
    chosen([&](int e) { for (int m = 1; m <= 4; ++m) order.push_back({'G', e, m}); });
    for (char zoneLetter : {'H', 'I', 'J'})
        chosen([&](int e) { for (int z = 1; z <= 19; ++z) order.push_back({zoneLetter, e, z}); });
    for (char masterLetter : {'U', 'L'})
        chosen([&](int e) { for (int m = 1; m <= 4; ++m) order.push_back({masterLetter, e, m}); });
    chosen([&](int e) { order.push_back({'M', e, 0}); });
    return order;
}

std::optional<SimRecordKey> RecordKeyOf(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const char letter = text[0];
    if (letter == 'A') return SimRecordKey{'A', 0, 0};
    const int exchange = Digits(text, 1, 2);
    if (exchange < 0) return std::nullopt;
    int index = 0;
    switch (letter) {
    case 'B': case 'E': case 'G': case 'L': case 'U': index = Digits(text, 3, 1); break;
    case 'C': case 'I': case 'J': index = Digits(text, 3, 2); break;
    case 'H': index = Digits(text, 6, 2); break;
    case 'D': case 'F': case 'M': break;
    default: return std::nullopt;
    }
    if (index < 0) return std::nullopt;
    return SimRecordKey{letter, exchange, index};
}

bool SimExchanges::Receive(std::string_view text, std::int64_t nowMs) {
    ++received_;
    const bool nak = std::find(config_.NakTexts.begin(), config_.NakTexts.end(), received_) !=
                         config_.NakTexts.end() ||
                     (config_.NakEvery > 0 && received_ % config_.NakEvery == 0);
    if (nak) return false;
    ++acked_;
    const char letter = text.empty() ? 0 : text[0];
    if (auto key = RecordKeyOf(text)) {
        held_[*key] = std::string(text);
    } else if (letter == 'K') {
        KeepDialingText(text);
    } else if (letter == 'O' || letter == 'P') {
        bool* on = letter == 'O' ? logOn_ : monitorOn_;
        for (int e = 1; e <= 16; ++e) {
            on[e] = e <= config_.Exchanges && text.size() > static_cast<std::size_t>(2 + e) && text[2 + e] == '1';
            nextStream_[e] = nowMs;
        }
    } else if (letter == 'Q') {
        for (auto& t : DownloadTexts(std::max(0, Digits(text, 1, 2)))) send_(std::move(t));
    } else if (letter == 'T') {
        const int exchange = Digits(text, 1, 2);
        const int master = Digits(text, 3, 1);
        if (exchange >= 1 && exchange <= config_.Exchanges && master >= 1 && master <= 4)
            for (auto& t : DialingTexts(exchange, master)) send_(std::move(t));
    }
    statusDone_.resize(config_.Statuses.size());
    for (std::size_t i = 0; i < config_.Statuses.size(); ++i) {
        const auto& s = config_.Statuses[i];
        if (!statusDone_[i] && s.AtMs < 0 && s.AfterTexts > 0 && acked_ >= s.AfterTexts) {
            statusDone_[i] = true;
            SendStatus(s);
        }
    }
    if (config_.SilentAfter >= 0 && acked_ >= config_.SilentAfter) silent_ = true;
    return true;
}

bool SimExchanges::CorruptNextFrame() {
    ++framesSent_;
    return std::find(config_.CorruptFrames.begin(), config_.CorruptFrames.end(), framesSent_) !=
               config_.CorruptFrames.end() ||
           (config_.CorruptEvery > 0 && framesSent_ % config_.CorruptEvery == 0);
}

void SimExchanges::SendStatus(const SimStatusAt& s) {
    char text[8];
    std::snprintf(text, sizeof text, "z%02d%c", s.Exchange % 100, s.Status);
    send_(text);
}

void SimExchanges::Poll(std::int64_t nowMs, std::size_t room) {
    if (startMs_ < 0) startMs_ = nowMs;
    statusDone_.resize(config_.Statuses.size());
    for (std::size_t i = 0; i < config_.Statuses.size(); ++i) {
        const auto& s = config_.Statuses[i];
        const bool due = s.AtMs >= 0 ? nowMs - startMs_ >= s.AtMs : s.AfterTexts == 0;
        if (!statusDone_[i] && due) {
            statusDone_[i] = true;
            SendStatus(s);
        }
    }
    const auto interval = static_cast<std::int64_t>(1000.0 / std::max(config_.StreamRate, 0.001));
    for (int e = 1; e <= config_.Exchanges && e <= 16; ++e) {
        if (!(logOn_[e] || monitorOn_[e]) || nowMs < nextStream_[e]) continue;
        if (logOn_[e] && room > 0) send_(LogText(e)), --room;
        if (monitorOn_[e] && room > 0) send_(MonitorText(e)), --room;
        nextStream_[e] = nowMs + interval;
    }
}

std::string SimExchanges::LogText(int exchange) {
    const ClockReading now = ClockNow();
    char text[64];
    const int seq = logSeq_++;
    // Caller and called station, the C/O line in use, and the status; every
    // status code 00 to 99 comes round in turn.
    std::snprintf(text, sizeof text, "o%02d%02d%02d%02d%6d%6d%6s%6s%02d", exchange, now.Hour, now.Minute,
                  now.Second, 100 + seq % 64, 200 + (seq * 7) % 64, seq % 3 == 0 ? "CO1" : "", "", seq % 100);
    return std::string(text, 35);
}

std::string SimExchanges::MonitorText(int exchange) {
    const int seq = monitorSeq_++;
    const int n = (seq * 53) % 257;  // every length 0 to 256 comes round
    char head[8];
    std::snprintf(head, sizeof head, "p%02d%03d", exchange, n);
    std::string text = head;
    static const char hex[] = "0123456789ABCDEF";
    for (int i = 0; i < n; ++i) text.push_back(i % 3 == 2 ? ' ' : hex[(seq + i * 5) % 16]);
    return text;
}

std::vector<std::string> SimExchanges::DownloadTexts(int selected) const {
    std::vector<std::string> texts;
    if (selected < 0 || selected > config_.Exchanges) return texts;
    for (const auto& key : UploadOrder(config_.Exchanges, selected)) {
        if (auto it = held_.find(key); it != held_.end()) texts.push_back(it->second);
        else if (defaultText_)
            if (auto t = defaultText_(key)) texts.push_back(std::move(*t));
    }
    return texts;
}

void SimExchanges::KeepDialingText(std::string_view text) {
    const int exchange = Digits(text, 1, 2);
    const int master = Digits(text, 3, 1);
    const int n = Digits(text, 10, 2);
    if (exchange < 0 || master < 0 || n < 0 || text.size() < 5) return;
    DialRows& rows = dialing_[{exchange, master}];
    rows.ShotT = text[4];
    for (int k = 0; k < n; ++k) {
        const std::size_t at = 12 + 24 * static_cast<std::size_t>(k);
        const int row = Digits(text, at, 4);
        if (row < 1 || row > 1024 || text.size() < at + 24) break;
        rows.Rows.replace(static_cast<std::size_t>(row - 1) * 20, 20, text.substr(at + 4, 20));
    }
}

std::vector<std::string> SimExchanges::DialingTexts(int exchange, int master) const {
    static const DialRows blank;
    auto it = dialing_.find({exchange, master});
    const DialRows& rows = it == dialing_.end() ? blank : it->second;
    std::vector<std::string> texts;
    constexpr int blocks = 103;  // 1024 rows, ten to a text
    for (int b = 0; b < blocks; ++b) {
        const int first = 10 * b + 1;
        const int n = std::min(10, 1024 - first + 1);
        char head[16];
        std::snprintf(head, sizeof head, "K%02d%01d%c1024%c%02d", exchange, master, rows.ShotT,
                      b == 0 ? '1' : b == blocks - 1 ? '2' : '0', n);
        std::string t = head;
        for (int r = first; r < first + n; ++r)
            t += Format("%04d", r) + rows.Rows.substr(static_cast<std::size_t>(r - 1) * 20, 20);
        texts.push_back(std::move(t));
    }
    return texts;
}
