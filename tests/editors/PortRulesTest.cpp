// The PC Port editor's checks and its change test.
#include <gtest/gtest.h>

#include <tuple>

#include "editors/PortRules.h"

namespace {

TEST(PortRules, TelephoneNumberIsCheckedOnlyWithTheModem) {
    struct Case {
        std::uint8_t method;
        const char* telNo;
        bool passes;
    } const cases[] = {
        {1, "0-123-4567", true},
        {1, "12345678901234567890", true},
        {1, "123456789012345678901", false},  // 21 characters
        {1, "", false},
        {1, "03 1234", false},
        {1, "(03)1234", false},
        {1, "+81312", false},
        {0, "(03) 1234", true},  // RS-232C: not checked
        {0, "", true},
    };
    for (const Case& c : cases) {
        const ValidationResult r = ValidatePort(PortCopy{c.method, 0, c.telNo});
        EXPECT_EQ(std::tuple(r.Passed(), r.Message), std::tuple(c.passes, std::string(c.passes ? "" : kIncorrectTelNoText)))
            << int(c.method) << " " << c.telNo;
    }
}

TEST(PortRules, ChangesAndCommit) {
    MaintenanceData model;
    model.TelNo.Set("0-1");
    struct Case {
        PortCopy copy;
        bool differs;
    } const cases[] = {
        {{0, 0, "0-1"}, false},
        {{0, 0, "junk ()"}, false},  // RS-232C: the number is not compared
        {{0, 2, "0-1"}, true},
        {{1, 0, "0-1"}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(PortCopyDiffers(c.copy, model), c.differs) << c.copy.TelNo;

    CommitPort(PortCopy{0, 3, "junk ()"}, model);
    EXPECT_EQ(model.CommPort, 3);
    EXPECT_EQ(model.TelNo.Str(), "0-1");  // an unchecked number never reaches the model
    CommitPort(PortCopy{1, 3, "9-8"}, model);
    EXPECT_EQ(model.PcConnect, 1);
    EXPECT_EQ(model.TelNo.Str(), "9-8");
    EXPECT_FALSE(PortCopyDiffers(LoadPortCopy(model), model));
}

}  // namespace
