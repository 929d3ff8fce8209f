#include "protocol/ModemRules.h"

#include <array>
#include <cctype>

std::string DialString(std::string_view telNo) {
    std::string s(telNo);
    for (char& c : s)
        if (c == '-') c = ',';
    return s;
}

bool IsDialFailure(ModemResult r) {
    switch (r) {
    case ModemResult::NoCarrier:
    case ModemResult::Busy:
    case ModemResult::NoDialtone:
    case ModemResult::NoAnswer:
    case ModemResult::Error: return true;
    default: return false;
    }
}

void ModemResponseParser::Reset() {
    line_.clear();
    overlong_ = false;
}

ModemResult ModemResponseParser::Feed(std::uint8_t byte) {
    if (byte != '\r' && byte != '\n') {
        if (line_.size() >= kMaxLine) overlong_ = true;
        else line_ += static_cast<char>(byte);
        return ModemResult::None;
    }
    if (line_.empty() && !overlong_) return ModemResult::None;  // the other half of CR LF, or a blank line
    const bool drop = overlong_;
    last_ = line_;
    line_.clear();
    overlong_ = false;
    return drop ? ModemResult::None : Classify(last_);
}

ModemResult ModemResponseParser::Classify(std::string_view line) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (line.size() >= 2 && (line[0] == 'A' || line[0] == 'a') && (line[1] == 'T' || line[1] == 't'))
        return ModemResult::Echo;
    struct Word {
        std::string_view Text;
        ModemResult Result;
    };
    static constexpr std::array<Word, 7> kWords{{{"OK", ModemResult::Ok},
                                                 {"NO CARRIER", ModemResult::NoCarrier},
                                                 {"BUSY", ModemResult::Busy},
                                                 {"NO DIALTONE", ModemResult::NoDialtone},
                                                 {"NO DIAL TONE", ModemResult::NoDialtone},
                                                 {"NO ANSWER", ModemResult::NoAnswer},
                                                 {"ERROR", ModemResult::Error}}};
    for (const Word& w : kWords)
        if (line == w.Text) return w.Result;
    constexpr std::string_view kConnect = "CONNECT";
    if (line.substr(0, kConnect.size()) != kConnect) return ModemResult::None;
    std::string_view rest = line.substr(kConnect.size());
    if (!rest.empty() && rest[0] != ' ') return ModemResult::None;
    while (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    long speed = 0;
    // The speed may carry a suffix ("9600/ARQ"); digits beyond any real rate end the number.
    for (char c : rest) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || speed > 100000000) break;
        speed = speed * 10 + (c - '0');
    }
    speed_ = speed;
    return ModemResult::Connect;
}

bool CarrierWatch::Feed(std::uint8_t byte) {
    static constexpr std::string_view kLine = "\r\nNO CARRIER\r";
    if (byte == static_cast<std::uint8_t>(kLine[matched_])) {
        if (++matched_ == kLine.size()) {
            matched_ = 0;
            return true;
        }
        return false;
    }
    // Only "\r" can restart the pattern part-way (no other prefix repeats in it).
    matched_ = byte == '\r' ? 1 : 0;
    return false;
}

ModemCall::Step ModemCall::Open() {
    Step s;
    switch (state_) {
    case State::Connected: s.NotifyOpened = true; break;
    case State::Idle:
        state_ = State::Dialling;
        closePending_ = false;
        s.Dial = true;
        break;
    case State::Dialling:   // one dial at a time
    case State::HangingUp:  // the worker handles the open after the hang-up
        break;
    }
    return s;
}

ModemCall::Step ModemCall::Close() {
    Step s;
    switch (state_) {
    case State::Idle: s.NotifyClosed = true; break;
    case State::Dialling:
        // The connect, if it still comes, must not open the loop.
        closePending_ = true;
        s.NotifyClosed = true;
        break;
    case State::Connected:
        state_ = State::HangingUp;
        s.HangUp = true;
        break;
    case State::HangingUp: break;
    }
    return s;
}

ModemCall::Step ModemCall::Notice(int code) {
    Step s;
    switch (code) {
    case ModemConnected:
        if (state_ != State::Dialling) break;
        if (closePending_) {
            state_ = State::HangingUp;
            s.HangUp = true;
            break;
        }
        state_ = State::Connected;
        s.StartReading = true;
        s.NotifyOpened = true;
        break;
    case ModemDialFailed:
        if (state_ != State::Dialling) break;
        state_ = State::Idle;
        closePending_ = false;
        s.NotifyFailed = true;
        break;
    case ModemDisconnected:
    case ModemIdle:
        // The far end hung up, or the line went: the closed step, after the
        // line is put back in order.
        if (state_ == State::Connected || state_ == State::Dialling) {
            state_ = State::HangingUp;
            s.HangUp = true;
        }
        break;
    default: break;  // informational
    }
    return s;
}

ModemCall::Step ModemCall::HungUp() {
    Step s;
    const bool wasPending = closePending_;
    state_ = State::Idle;
    closePending_ = false;
    // A close while dialling was answered at once already.
    s.NotifyClosed = !wasPending;
    return s;
}
