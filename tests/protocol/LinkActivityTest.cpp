// The activity byte's rules: each link event from a given mask, per method.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "protocol/LinkActivity.h"

namespace {

struct Case {
    const char* name;
    LinkType type;
    std::uint8_t mask;
    char event;  // a Accept, r Release, c Cancel, o PortOpened, d SendDone, f SendFailed, F OpenFailed, R ChannelReset
    int bits;
    bool flag;  // the port is open, or a request is held
    std::uint8_t maskAfter;
    int returned;         // result code for the request concerned, -1 none
    const char* actions;  // of "open", "close", "queue", "reset"
};

LinkActions Apply(LinkActivity& a, const Case& c) {
    const auto bits = static_cast<std::uint8_t>(c.bits);
    switch (c.event) {
    case 'a': return a.Accept(bits, c.flag);
    case 'r': return a.Release(bits);
    case 'c': return a.Cancel(bits);
    case 'o': return a.PortOpened(c.flag);
    case 'd': return a.SendDone(bits);
    case 'f': return a.SendFailed(bits);
    case 'F': return a.OpenFailed(bits, c.flag);
    default: return a.ChannelReset(c.flag);
    }
}

TEST(LinkActivity, EventsMoveTheMaskAndAskForActions) {
    using T = LinkType;
    const Case cases[] = {
        {"request adds its bits and opens", T::Serial, 0, 'a', 2, false, 2, -1, "open"},
        {"request with the serial port open is queued at once", T::Serial, 0, 'a', 2, true, 2, -1, "queue"},
        {"a modem dials for every request", T::Modem, 0, 'a', 2, true, 2, -1, "open"},
        {"request during the start-up open keeps both", T::Serial, 128, 'a', 1, false, 129, -1, "open"},
        {"release clears and answers 0", T::Serial, 3, 'r', 3, false, 0, 0, ""},
        {"release on a modem idle afterwards hangs up", T::Modem, 2, 'r', 3, false, 0, 0, "close"},
        {"release on a modem still busy keeps the line", T::Modem, 5, 'r', 1, false, 4, 0, ""},
        {"cancel resets the channel and clears", T::Serial, 3, 'c', 3, false, 0, -1, "reset"},
        {"start-up open done", T::Serial, 128, 'o', 0, false, 0, -1, ""},
        {"port opened for a held request queues it", T::Serial, 2, 'o', 0, true, 2, -1, "queue"},
        {"start-up open and request both served", T::Serial, 130, 'o', 0, true, 2, -1, "queue"},
        {"send done clears its bits, answers 0", T::Serial, 3, 'd', 1, false, 2, 0, ""},
        {"data text with clear-bits 0 keeps the mask", T::Serial, 2, 'd', 0, false, 2, 0, ""},
        {"send done on a modem, idle: hang up", T::Modem, 1, 'd', 1, false, 0, 0, "close"},
        {"send failed answers 1, serial port stays", T::Serial, 2, 'f', 2, false, 0, 1, ""},
        {"start-up open failed: silently 0", T::Serial, 128, 'F', 0, false, 0, -1, ""},
        {"open failed for a request answers 2", T::Serial, 2, 'F', 2, true, 0, 2, ""},
        {"open failed during start-up open with a request", T::Serial, 129, 'F', 1, true, 0, 2, ""},
        {"reset returns the held cancel with 4", T::Serial, 0, 'R', 0, true, 0, 4, ""},
        {"reset on an idle modem hangs up", T::Modem, 0, 'R', 0, true, 0, 4, "close"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint8_t mask = c.mask;
        LinkActivity rules(mask, c.type);
        const LinkActions a = Apply(rules, c);
        auto asked = [&](const char* action) { return std::string(c.actions).find(action) != std::string::npos; };
        EXPECT_EQ(std::tuple(int(mask), a.Return, a.Open, a.Close, a.QueueCurrent, a.ResetChannel, a.CloseWindow),
                  std::tuple(int(c.maskAfter), c.returned, asked("open"), asked("close"), asked("queue"),
                             asked("reset"), false));
    }
}

TEST(LinkActivity, StartAndCloseOfTheLink) {
    struct {
        LinkType type;
        std::uint8_t mask;
        bool opens;
        std::uint8_t afterStart;
        bool closes;  // from the mask before start
        std::uint8_t afterClose;
    } cases[] = {
        {LinkType::Serial, 0, true, 128, true, 64},
        {LinkType::Serial, 64, true, 128, false, 64},  // a leftover "closing" is not kept
        {LinkType::Modem, 0, false, 0, false, 0},       // no call up: nothing to close
        {LinkType::Modem, 64, false, 0, false, 64},
        {LinkType::Modem, 2, false, 0, true, 64},       // a call may be up
        {LinkType::Socket, 0, true, 128, true, 64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type) * 1000 + c.mask);
        std::uint8_t mask = c.mask;
        EXPECT_EQ(LinkActivity(mask, c.type).StartLink(), c.opens);
        EXPECT_EQ(mask, c.afterStart);
        mask = c.mask;
        EXPECT_EQ(LinkActivity(mask, c.type).CloseLink(), c.closes);
        EXPECT_EQ(mask, c.afterClose);
        EXPECT_EQ(LinkActivity(mask, c.type).PortClosed().CloseWindow, mask == 64);
    }
    EXPECT_EQ(LinkTypeOf(0), LinkType::Serial);
    EXPECT_EQ(LinkTypeOf(1), LinkType::Modem);
    EXPECT_EQ(LinkTypeOf(2), LinkType::Socket);
}

}  // namespace
