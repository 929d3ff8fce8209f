#pragma once
// The modem's pure rules: the number as dialled, the reading of its result
// texts, and the call's states with what each event asks of the worker.
#include <cstdint>
#include <string>
#include <string_view>

// The telephone number as dialled: every "-" becomes "," (a dial pause).
std::string DialString(std::string_view telNo);

// The modem's notifications to its worker, by code.
enum ModemNotice : int {
    ModemConnected = 6145,
    ModemDisconnected = 6146,
    ModemIdle = 6147,
    ModemDialFailed = 6154,
};

enum class ModemResult {
    None,       // no complete line yet, or a line that answers nothing
    Ok,
    Connect,
    NoCarrier,
    Busy,
    NoDialtone,
    NoAnswer,
    Error,
    Echo,       // the modem repeating a command back
};
bool IsDialFailure(ModemResult r);

// Reads the modem's command-mode texts: lines ended by CR or LF, which may
// arrive split over any number of reads. A line longer than any result text
// is dropped whole, so noise cannot grow the buffer.
class ModemResponseParser {
public:
    static constexpr std::size_t kMaxLine = 64;
    // One byte; the result when it ended a line, else None.
    ModemResult Feed(std::uint8_t byte);
    // The speed after the last CONNECT (0 when it gave none).
    long ConnectSpeed() const { return speed_; }
    // The last complete line, for the log of a failure.
    const std::string& LastLine() const { return last_; }
    void Reset();

private:
    ModemResult Classify(std::string_view line);
    std::string line_;
    std::string last_;
    bool overlong_ = false;
    long speed_ = 0;
};

// Watches the data stream of a call for the modem's own "NO CARRIER" line,
// which a modem that lost the carrier writes into it.
class CarrierWatch {
public:
    // true when the byte completed "\r\nNO CARRIER\r".
    bool Feed(std::uint8_t byte);

private:
    std::size_t matched_ = 0;
};

// The call: idle -> dialling -> connected -> hanging up -> idle. Events come
// from the worker in its own order; each returns what the worker is to do.
class ModemCall {
public:
    enum class State { Idle, Dialling, Connected, HangingUp };
    struct Step {
        bool Dial = false;          // place the call
        bool StartReading = false;  // run the byte loop on the line
        bool HangUp = false;        // the hang-up steps
        bool NotifyOpened = false;  // UM_PORT_OPENED
        bool NotifyClosed = false;  // UM_PORT_CLOSED
        bool NotifyFailed = false;  // UM_COMM_ERROR 0x8200
    };

    State Current() const { return state_; }
    bool ClosePending() const { return closePending_; }

    Step Open();
    Step Close();
    // The dial's outcome: one of the ModemNotice codes.
    Step Notice(int code);
    // The hang-up steps are done.
    Step HungUp();

private:
    State state_ = State::Idle;
    bool closePending_ = false;
};
