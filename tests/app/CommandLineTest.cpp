#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include "app/BaseDirectory.h"
#include "app/RecentFiles.h"
#include "app/SingleInstance.h"
#include "support/TempDir.h"

namespace {
TEST(CommandLine, OptionsFileAndHiddenOptions) {
    struct Case { std::vector<std::string> args; bool ok; std::string file, com1, com3, modem, error; };
    const Case cases[] = {
        {{}, true, "", "/dev/ttyS0", "/dev/ttyS2", "", ""},
        {{"site.txt"}, true, "site.txt", "/dev/ttyS0", "/dev/ttyS2", "", ""},
        {{"--port", "COM1=/dev/pts/7", "--port=com3=/dev/ttyUSB0", "a.txt"}, true, "a.txt", "/dev/pts/7",
         "/dev/ttyUSB0", "", ""},
        {{"--modem", "/dev/ttyACM0"}, true, "", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyACM0", ""},
        {{"--", "--odd-name"}, true, "--odd-name", "/dev/ttyS0", "/dev/ttyS2", "", ""},
        {{"--bogus"}, false, "", "", "", "", "unknown option --bogus (see --help)"},
        {{"--port", "COM5=/dev/x"}, false, "", "", "", "",
         "--port expects COMn=DEVICE with n from 1 to 4, got \"COM5=/dev/x\""},
        {{"--port", "COM1="}, false, "", "", "", "", "--port expects COMn=DEVICE with n from 1 to 4, got \"COM1=\""},
        {{"--port"}, false, "", "", "", "", "--port needs a value"},
        {{"--modem="}, false, "", "", "", "", "--modem needs a device"},
        {{"--version=2"}, false, "", "", "", "", "--version takes no value"},
        {{"a.txt", "b.txt"}, false, "", "", "", "", "only one settings file may be given (\"a.txt\" and \"b.txt\")"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        CommandLine line;
        std::string error;
        ASSERT_EQ(ParseCommandLine(c.args, line, error), c.ok);
        EXPECT_EQ(error, c.error);
        if (!c.ok) continue;
        EXPECT_EQ(line.File, c.file);
        EXPECT_EQ(line.Connection.Ports[0], c.com1);
        EXPECT_EQ(line.Connection.Ports[2], c.com3);
        EXPECT_EQ(line.Connection.Modem, c.modem);
    }

    // --report-idle and --exit-when-idle are shown by the second start of the program itself.
    CommandLine line;
    std::string error;
    ASSERT_TRUE(ParseCommandLine({"--screenshot", "w.png", "--help"}, line, error));
    EXPECT_TRUE(line.Help);
    EXPECT_EQ(line.Screenshot, "w.png");
}

TEST(BaseDirectory, ProgramFolderOrTheOneAboveBin) {
    // A program in .../bin and the work file's name are shown by the start-up test.
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/build/src/shell/nx420", "/home/u/build/src/shell/"}, {"/home/u/bin2/nx420", "/home/u/bin2/"},
        {"/home/u/mybin/nx420", "/home/u/mybin/"}, {"/bin/nx420", "/"}, {"nx420", "./"},
    };
    for (const auto& [program, base] : cases) EXPECT_EQ(BaseDirectory(program), base) << program;
}

// The second start's refusal is shown by the program itself; a folder where no
// lock file can be made does not keep the program from starting.
TEST(SingleInstance, NoLockFolderStillStarts) {
    TempDir dir;
    EXPECT_TRUE(SingleInstance(dir.File("missing")).First());
}

TEST(RecentFiles, NewestFirstFourAtMost) {
    RecentFiles recent;
    for (const char* p : {"a", "b", "c", "d", "e"}) recent.Add(p);
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"e", "d", "c", "b"}));
    recent.Add("c");
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"c", "e", "d", "b"}));
    recent.Remove("e");
    recent.Add("");
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"c", "d", "b"}));
    recent.Assign({"x", "y", "x", "z", "w", "v"});
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"x", "y", "z", "w"}));
}

}  // namespace
