// The activity byte's rules: each link event from a given mask, per method.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "protocol/LinkActivity.h"

namespace {

struct Case {
    const char* name;
    LinkType type;
    std::uint8_t mask;
    std::function<LinkActions(LinkActivity&)> event;
    std::uint8_t maskAfter;
    int returned;  // result code for the request concerned, -1 none
    bool open, close, queue, reset;
};

TEST(LinkActivity, EventsMoveTheMaskAndAskForActions) {
    const Case cases[] = {
        {"request adds its bits and opens", LinkType::Serial, 0, [](LinkActivity& a) { return a.Accept(2); }, 2, -1,
         true, false, false, false},
        {"request with the serial port open is queued at once", LinkType::Serial, 0,
         [](LinkActivity& a) { return a.Accept(2, true); }, 2, -1, false, false, true, false},
        {"a modem dials for every request", LinkType::Modem, 0, [](LinkActivity& a) { return a.Accept(2, true); }, 2,
         -1, true, false, false, false},
        {"request during the start-up open keeps both", LinkType::Serial, 128,
         [](LinkActivity& a) { return a.Accept(1); }, 129, -1, true, false, false, false},
        {"release clears and answers 0", LinkType::Serial, 3, [](LinkActivity& a) { return a.Release(3); }, 0, 0,
         false, false, false, false},
        {"release on a modem idle afterwards hangs up", LinkType::Modem, 2,
         [](LinkActivity& a) { return a.Release(3); }, 0, 0, false, true, false, false},
        {"release on a modem still busy keeps the line", LinkType::Modem, 5,
         [](LinkActivity& a) { return a.Release(1); }, 4, 0, false, false, false, false},
        {"cancel resets the channel and clears", LinkType::Serial, 3, [](LinkActivity& a) { return a.Cancel(3); }, 0,
         -1, false, false, false, true},
        {"start-up open done", LinkType::Serial, 128, [](LinkActivity& a) { return a.PortOpened(false); }, 0, -1, false,
         false, false, false},
        {"port opened for a held request queues it", LinkType::Serial, 2,
         [](LinkActivity& a) { return a.PortOpened(true); }, 2, -1, false, false, true, false},
        {"start-up open and request both served", LinkType::Serial, 130,
         [](LinkActivity& a) { return a.PortOpened(true); }, 2, -1, false, false, true, false},
        {"send done clears its bits, answers 0", LinkType::Serial, 3, [](LinkActivity& a) { return a.SendDone(1); }, 2,
         0, false, false, false, false},
        {"data text with clear-bits 0 keeps the mask", LinkType::Serial, 2,
         [](LinkActivity& a) { return a.SendDone(0); }, 2, 0, false, false, false, false},
        {"send done on a modem, idle: hang up", LinkType::Modem, 1, [](LinkActivity& a) { return a.SendDone(1); }, 0,
         0, false, true, false, false},
        {"send failed answers 1, serial port stays", LinkType::Serial, 2,
         [](LinkActivity& a) { return a.SendFailed(2); }, 0, 1, false, false, false, false},
        {"start-up open failed: silently 0", LinkType::Serial, 128,
         [](LinkActivity& a) { return a.OpenFailed(0, false); }, 0, -1, false, false, false, false},
        {"open failed for a request answers 2", LinkType::Serial, 2,
         [](LinkActivity& a) { return a.OpenFailed(2, true); }, 0, 2, false, false, false, false},
        {"open failed during start-up open with a request", LinkType::Serial, 129,
         [](LinkActivity& a) { return a.OpenFailed(1, true); }, 0, 2, false, false, false, false},
        {"reset returns the held cancel with 4", LinkType::Serial, 0,
         [](LinkActivity& a) { return a.ChannelReset(true); }, 0, 4, false, false, false, false},
        {"reset on an idle modem hangs up", LinkType::Modem, 0, [](LinkActivity& a) { return a.ChannelReset(true); },
         0, 4, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint8_t mask = c.mask;
        LinkActivity rules(mask, c.type);
        const LinkActions a = c.event(rules);
        EXPECT_EQ(std::tuple(int(mask), a.Return, a.Open, a.Close, a.QueueCurrent, a.ResetChannel, a.CloseWindow),
                  std::tuple(int(c.maskAfter), c.returned, c.open, c.close, c.queue, c.reset, false));
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
