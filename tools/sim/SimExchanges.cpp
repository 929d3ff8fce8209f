#include "SimExchanges.h"

#include <algorithm>
#include <cstdio>

#include "texts/SettingTextDecode.h"
#include "texts/SettingTextEncode.h"
#include "texts/SettingTextSequence.h"
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

}  // namespace

std::vector<SimRecordKey> UploadOrder(int n, int selected) {
    std::vector<SimRecordKey> order;
    UploadStep step;
    for (int counter = 1; UploadStepAt(n, selected, counter, step) && step.Letter != 0; ++counter)
        order.push_back({step.Letter, step.Exchange, step.Index});
    return order;
}

std::optional<SimRecordKey> RecordKeyOf(std::string_view text) {
    TextRecordKey key;
    if (text.empty() || text[0] == 'K' || !IdentifySettingText(text, key)) return std::nullopt;
    return SimRecordKey{key.Letter, key.Exchange, key.Index};
}

SimExchanges::SimExchanges(SimConfig config, Sender send)
    : config_(std::move(config)), send_(std::move(send)), settings_(MakeSettingData()) {
    settings_->System.SwitchCnt = static_cast<std::uint8_t>(std::clamp(config_.Exchanges, 1, kMaxExchanges));
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
        DecodeSettingText(*settings_, text);
    } else if (letter == 'K') {
        DecodeDialingAssignmentText(*settings_, text);
    } else if (letter == 'O' || letter == 'P') {
        bool* on = letter == 'O' ? logOn_ : monitorOn_;
        for (int e = 1; e <= 16; ++e) {
            on[e] = e <= config_.Exchanges && text.size() > static_cast<std::size_t>(2 + e) && text[2 + e] == '1';
            nextStream_[e] = nowMs;
        }
    } else if (letter == 'N') {
        dialings_.emplace_back(text);
    } else if (letter == 'Q') {
        for (auto& t : DownloadTexts(Digits(text, 1, 2))) send_(std::move(t));
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

void SimExchanges::Sent(bool acked) {
    if (acked && config_.SilentAfterSent >= 0 && ++sentAcked_ >= config_.SilentAfterSent) silent_ = true;
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
    const auto interval =
        config_.StreamRate <= 0 ? 0 : static_cast<std::int64_t>(1000.0 / std::max(config_.StreamRate, 0.001));
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
    // As many exchanges as the global setting says (a received text A may have changed it).
    const int n = settings_->System.SwitchCnt;
    if (selected < 0 || selected > n) return texts;
    for (const auto& key : UploadOrder(n, selected)) {
        if (auto it = held_.find(key); it != held_.end()) {
            texts.push_back(it->second);
            continue;
        }
        const EncodedText text = EncodeSettingText(key.Letter, EncodeRequest{*settings_, key.Exchange, key.Index});
        if (text.Length) texts.emplace_back(text.View());
    }
    return texts;
}

std::vector<std::string> SimExchanges::DialingTexts(int exchange, int master) const {
    // Every one of the master's rows, ten to a text, used or not.
    std::vector<std::string> texts;
    for (int block = 0; block < DialTextCount(kDialRows); ++block) {
        const EncodedText text = EncodeSettingText('K', EncodeRequest{*settings_, exchange, master, block, kDialRows});
        if (text.Length) texts.emplace_back(text.View());
    }
    return texts;
}
