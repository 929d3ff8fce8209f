#include "protocol/LinkActivity.h"

#include "protocol/TransferResult.h"

LinkType LinkTypeOf(int pcConnect) {
    switch (pcConnect) {
    case 1: return LinkType::Modem;
    case 2: return LinkType::Socket;
    default: return LinkType::Serial;
    }
}

bool LinkActivity::StartLink() {
    // A fresh link has nothing under way, whatever the old one left behind (a
    // "closing" left over would make the next port closing end the program).
    mask_ = 0;
    if (type_ == LinkType::Modem) return false;
    mask_ = Opening;
    return true;
}

bool LinkActivity::CloseLink() {
    if (mask_ == Closing) return false;
    // A modem line is up only while something is active.
    if (type_ == LinkType::Modem && mask_ == 0) return false;
    mask_ = Closing;
    return true;
}

LinkActions LinkActivity::Accept(std::uint8_t setBits, bool portOpen) {
    mask_ |= setBits;
    LinkActions a;
    // Only a serial port stays open between requests; a modem line is dialled
    // for each, so it always goes through Open.
    if (portOpen && type_ == LinkType::Serial) a.QueueCurrent = true;
    else a.Open = true;
    return a;
}

LinkActions LinkActivity::Release(std::uint8_t clearBits) { return Finish(clearBits, kTransferDone); }

LinkActions LinkActivity::Cancel(std::uint8_t clearBits) {
    mask_ &= static_cast<std::uint8_t>(~clearBits);
    LinkActions a;
    a.ResetChannel = true;
    return a;
}

LinkActions LinkActivity::PortOpened(bool holding) {
    LinkActions a;
    // The start-up open is a bit of its own: a request accepted while it was
    // under way must neither keep it set for ever nor be left unqueued.
    mask_ &= static_cast<std::uint8_t>(~Opening);
    a.QueueCurrent = holding;
    return a;
}

LinkActions LinkActivity::OpenFailed(std::uint8_t setBits, bool holding) {
    LinkActions a;
    mask_ &= static_cast<std::uint8_t>(~Opening);
    if (holding) {
        mask_ &= static_cast<std::uint8_t>(~setBits);
        a.Return = kTransferOpenFailed;
    }
    return a;
}

LinkActions LinkActivity::ChannelReset(bool holding) {
    LinkActions a;
    if (holding) a.Return = kTransferCancelled;
    a.Close = HangUpWhenIdle();
    return a;
}

LinkActions LinkActivity::PortClosed() const {
    LinkActions a;
    a.CloseWindow = mask_ == Closing;
    return a;
}

LinkActions LinkActivity::Finish(std::uint8_t clearBits, int code) {
    mask_ &= static_cast<std::uint8_t>(~clearBits);
    LinkActions a;
    a.Return = code;
    a.Close = HangUpWhenIdle();
    return a;
}
