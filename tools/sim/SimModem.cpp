#include "SimModem.h"

#include <cctype>
#include <limits>

bool SimModem::FromPc(std::uint8_t byte, std::int64_t nowMs) {
    if (state_ == State::Online) {
        // "+++" counts only after a guard time of silence and within guard
        // times of each other; anything else makes the pluses plain data.
        if (byte == '+' && pluses_ < 3 && (pluses_ > 0 || nowMs - lastDataMs_ >= GuardMs())) {
            ++pluses_;
            plusMs_ = nowMs;
            return false;
        }
        pluses_ = 0;  // the held pluses are lost; the exchanges' protocol repeats what it needs
        lastDataMs_ = nowMs;
        return true;
    }
    if (state_ == State::Dialling) {
        // Any key aborts a dial, as on a real modem.
        state_ = State::Command;
        Log("dial aborted");
        Reply("NO CARRIER");
        return false;
    }
    if (echo_ && hooks_.write) hooks_.write(std::string(1, static_cast<char>(byte)));
    if (byte == '\r') {
        // A command starts at "AT"; what came before it is line noise.
        std::string upper;
        for (char c : line_) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::size_t at = upper.find("AT");
        line_.clear();
        if (at != std::string::npos) Command(upper.substr(at + 2), nowMs);
        return false;
    }
    if (byte != '\n' && line_.size() < 256) line_ += static_cast<char>(byte);
    return false;
}

void SimModem::Command(const std::string& rest, std::int64_t nowMs) {
    std::size_t i = 0;
    auto number = [&] {
        int v = 0;
        while (i < rest.size() && std::isdigit(static_cast<unsigned char>(rest[i])) && v < 1000)
            v = v * 10 + (rest[i++] - '0');
        return v;
    };
    while (i < rest.size()) {
        const char c = rest[i++];
        switch (c) {
        case ' ': break;
        case 'Z':
            if (CallUp()) HangUp("reset");
            echo_ = true;
            s12_ = 50;
            (void)number();
            break;
        case 'E': echo_ = number() != 0; break;
        case 'V': (void)number(); break;
        case 'H':
            (void)number();
            if (CallUp()) HangUp("ATH");
            else Log("ATH");
            break;
        case 'O':
            if (state_ != State::OnlineCommand) return Reply("NO CARRIER");
            state_ = State::Online;
            lastDataMs_ = nowMs;
            return Reply("CONNECT 9600");
        case 'S': {
            const int reg = number();
            if (i < rest.size() && rest[i] == '=') {
                ++i;
                const int v = number();
                if (reg == 12) s12_ = v;
            }
            break;
        }
        case 'D': {
            if (i < rest.size() && (rest[i] == 'T' || rest[i] == 'P')) ++i;
            const std::string dialled = rest.substr(i);
            Log("dial " + dialled);
            if (dialled.empty() || CallUp()) return Reply("ERROR");
            if (config_.Busy) return Reply("BUSY");
            state_ = State::Dialling;
            dialDoneMs_ = nowMs + config_.ConnectDelayMs;
            return;  // the result comes when the delay is over
        }
        default: return Reply("ERROR");
        }
    }
    Reply("OK");
}

void SimModem::Poll(std::int64_t nowMs) {
    if (state_ == State::Dialling && nowMs >= dialDoneMs_) {
        if (config_.NoAnswer) {
            state_ = State::Command;
            Log("no answer");
            return Reply("NO ANSWER");
        }
        state_ = State::Online;
        lastDataMs_ = nowMs;
        texts_ = 0;
        Log("connected");
        Reply("CONNECT 9600");
    }
    if (state_ == State::Online && pluses_ == 3 && nowMs - plusMs_ >= GuardMs()) {
        pluses_ = 0;
        state_ = State::OnlineCommand;
        Log("escape");
        Reply("OK");
    }
}

std::int64_t SimModem::NextDeadlineMs() const {
    if (state_ == State::Dialling) return dialDoneMs_;
    if (state_ == State::Online && pluses_ == 3) return plusMs_ + GuardMs();
    return std::numeric_limits<std::int64_t>::max();
}

void SimModem::TextTaken() {
    if (state_ != State::Online || config_.DropAfter <= 0) return;
    if (++texts_ >= config_.DropAfter) {
        HangUp("carrier dropped");
        Reply("NO CARRIER");
    }
}

void SimModem::HangUp(const char* why) {
    state_ = State::Command;
    pluses_ = 0;
    Log(std::string("hung up (") + why + ")");
}
