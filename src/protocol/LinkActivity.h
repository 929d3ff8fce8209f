#pragma once
// The view's link activity byte and what each link event makes of it: which
// bits come and go, when the port is opened, closed or a channel reset, and
// which result code goes back to the requester. Pure: the view carries out the
// actions.
#include <cstdint>

#include "protocol/TransferResult.h"

// How the transfer manager reaches the exchanges, from the connection method.
enum class LinkType : std::uint8_t { Serial = 1, Modem = 2, Socket = 3 };
LinkType LinkTypeOf(int pcConnect);

struct LinkActions {
    bool Open = false;         // ask the transfer manager to open the port / dial
    bool Close = false;        // ask it to close the port / hang up
    bool QueueCurrent = false; // queue the held request on channel 0
    bool ResetChannel = false; // reset the request's channel (cancel)
    bool CloseWindow = false;  // send the main window a close request
    int Return = -1;           // result code for the request concerned; -1: none
};

class LinkActivity {
public:
    static constexpr std::uint8_t Opening = 128;  // the start-up open is under way
    static constexpr std::uint8_t Closing = 64;   // the program waits for the port to close

    LinkActivity(std::uint8_t& mask, LinkType type) : mask_(mask), type_(type) {}

    // A new transfer manager runs: true when the port is to be opened now
    // (everything but the modem, which dials per request).
    bool StartLink();
    // Before a replacement or at exit: true when something is to be closed
    // (then the mask says closing). Nothing when it says closing already.
    bool CloseLink();

    // UM_TRANSFER_REQUEST, argument 0: a request (set-bits not 0) or a release.
    // portOpen: the port reported open and has not closed or failed since; the
    // request is then queued at once, as the open's answer would have it.
    LinkActions Accept(std::uint8_t setBits, bool portOpen = false);
    LinkActions Release(std::uint8_t clearBits);
    // UM_TRANSFER_REQUEST, argument 1.
    LinkActions Cancel(std::uint8_t clearBits);

    // holding: the view keeps a request that is not queued yet.
    LinkActions PortOpened(bool holding);
    LinkActions SendDone(std::uint8_t clearBits) { return Finish(clearBits, kTransferDone); }
    LinkActions SendFailed(std::uint8_t clearBits) { return Finish(clearBits, kTransferFailed); }
    LinkActions OpenFailed(std::uint8_t setBits, bool holding);
    LinkActions ChannelReset(bool holding);
    LinkActions PortClosed() const;

    std::uint8_t Mask() const { return mask_; }

private:
    LinkActions Finish(std::uint8_t clearBits, int code);
    bool HangUpWhenIdle() const { return type_ == LinkType::Modem && mask_ == 0; }

    std::uint8_t& mask_;
    LinkType type_;
};
