#pragma once
// What the simulated exchanges do with the texts they get and what they send on
// their own: keep each setting text received by its record and decode it into
// a configuration of their own, answer a download request in upload order with
// the texts received and, for records never received, texts encoded from that
// configuration; answer a dialing assignment request from it, stream log ('o')
// and monitor ('p') texts while asked to, and send status texts 'z'.
// The injected faults that concern whole texts are decided here too.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "model/SettingData.h"

// One setting record: its letter, exchange position (0 for the global text A)
// and index within the exchange (master, substation, zone; 0 when one a exchange).
struct SimRecordKey {
    char Letter = 0;
    int Exchange = 0;
    int Index = 0;
    auto operator<=>(const SimRecordKey&) const = default;
};

// The records a download sends, in upload order, for switchCnt exchanges;
// selected 0 means all of them, otherwise that one exchange (the masters of
// every exchange come along, as the upload sends them).
std::vector<SimRecordKey> UploadOrder(int switchCnt, int selected);

// The record a received setting text (A to J, L, M, U) belongs to; nothing for
// other texts and for texts the download decoder would ignore.
std::optional<SimRecordKey> RecordKeyOf(std::string_view text);

struct SimStatusAt {
    int AfterTexts = 0;   // after this many received texts (0: at once)
    int AtMs = -1;        // or this many milliseconds after the start
    int Exchange = 1;
    char Status = '0';
};

struct SimConfig {
    int Exchanges = 1;
    double StreamRate = 1.0;           // 'o' / 'p' texts a second per exchange; 0: as fast as the link takes them
    std::vector<int> NakTexts;         // NAK the n-th received text (1-based)
    int NakEvery = 0;                  // NAK every k-th received text
    std::vector<int> CorruptFrames;    // corrupt the BCC of our n-th frame
    int CorruptEvery = 0;
    int SilentAfter = -1;              // fall silent after n acknowledged texts
    int SilentAfterSent = -1;          // fall silent after n of our texts were acknowledged
    std::vector<SimStatusAt> Statuses;
};

class SimExchanges {
public:
    // Sends a text to the PC (queues it on the link).
    using Sender = std::function<void(std::string)>;

    // Starts from the default configuration with config.Exchanges exchanges.
    SimExchanges(SimConfig config, Sender send);

    // A text with a good BCC arrived; false to NAK it (injected fault).
    bool Receive(std::string_view text, std::int64_t nowMs);
    // Whether to corrupt the frame about to go out (injected fault).
    bool CorruptNextFrame();
    // Streams and timed status texts; room says how many more texts the link
    // should take now.
    void Poll(std::int64_t nowMs, std::size_t room);
    bool Silent() const { return silent_ || config_.SilentAfter == 0 || config_.SilentAfterSent == 0; }
    // One of our texts was acknowledged by the PC (true) or given up.
    void Sent(bool acked);

    // The texts the simulator would send for a download, in order.
    std::vector<std::string> DownloadTexts(int selected) const;
    // The 103 K texts of one master's 1024 dialing rows.
    std::vector<std::string> DialingTexts(int exchange, int master) const;
    const std::map<SimRecordKey, std::string>& Held() const { return held_; }
    // The configuration the received texts were decoded into.
    const SettingData& Settings() const { return *settings_; }
    // Every remote dialing text (N) received, in order.
    const std::vector<std::string>& Dialings() const { return dialings_; }
    bool LogOn(int exchange) const { return logOn_[exchange]; }
    bool MonitorOn(int exchange) const { return monitorOn_[exchange]; }

private:
    void SendStatus(const SimStatusAt& s);
    std::string LogText(int exchange);
    std::string MonitorText(int exchange);

    SimConfig config_;
    Sender send_;
    std::unique_ptr<SettingData> settings_;
    std::map<SimRecordKey, std::string> held_;
    std::vector<std::string> dialings_;
    bool logOn_[17] = {};
    bool monitorOn_[17] = {};
    std::int64_t nextStream_[17] = {};
    int received_ = 0;
    int acked_ = 0;
    int sentAcked_ = 0;
    int framesSent_ = 0;
    int logSeq_ = 0;
    int monitorSeq_ = 0;
    bool silent_ = false;
    std::vector<bool> statusDone_;
    std::int64_t startMs_ = -1;
};
