#pragma once
// The simulator's modem: answers AT commands until a call is connected, then
// passes bytes between the PC and the exchanges; leaves the call on the escape
// sequence ("+++" between guard times), ATH or a dropped carrier. Pure: bytes
// and a clock in milliseconds go in, the modem's own texts come out through a
// callback.
#include <cstdint>
#include <functional>
#include <string>

struct SimModemConfig {
    long ConnectDelayMs = 0;
    bool Busy = false;
    bool NoAnswer = false;
    long DropAfter = 0;  // drop the carrier after this many texts from the PC (0: never)
};

class SimModem {
public:
    struct Hooks {
        std::function<void(const std::string&)> write;  // the modem's texts to the PC
        std::function<void(const std::string&)> log;
    };

    SimModem(SimModemConfig config, Hooks hooks) : config_(config), hooks_(std::move(hooks)) {}

    // A byte from the PC; true when it is data for the exchanges.
    bool FromPc(std::uint8_t byte, std::int64_t nowMs);
    // The connect delay and the escape's closing guard time.
    void Poll(std::int64_t nowMs);
    std::int64_t NextDeadlineMs() const;
    // A text from the PC was taken: counts toward the dropped carrier.
    void TextTaken();

    // Data passes only while a call is up and the modem is not in command mode.
    bool Online() const { return state_ == State::Online; }
    bool CallUp() const { return state_ == State::Online || state_ == State::OnlineCommand; }

private:
    enum class State { Command, Dialling, Online, OnlineCommand };
    void Command(const std::string& line, std::int64_t nowMs);
    void Reply(const std::string& text) { if (hooks_.write) hooks_.write("\r\n" + text + "\r\n"); }
    void Log(const std::string& text) { if (hooks_.log) hooks_.log(text); }
    void HangUp(const char* why);
    std::int64_t GuardMs() const { return static_cast<std::int64_t>(s12_) * 20; }

    SimModemConfig config_;
    Hooks hooks_;
    State state_ = State::Command;
    std::string line_;
    bool echo_ = true;
    int s12_ = 50;  // escape guard time in fiftieths of a second
    std::int64_t dialDoneMs_ = 0;
    std::int64_t lastDataMs_ = -1000000;
    int pluses_ = 0;
    std::int64_t plusMs_ = 0;
    long texts_ = 0;
};
