#include "model/Password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "model/SettingsFile.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {
const std::string kBody = "[Maintenance]\nPcConnect=0\nCommPort=1\n";

struct ReadCase {
    const char* name;
    const char* firstLines;  // nullptr: no file
    PasswordRead expected;
    const char* password;     // in memory afterwards (before: "keep")
    bool keyMessage;
};

TEST(Password, ReadOfAFileGivesItsOutcome) {
    const ReadCase cases[] = {
        {"no file", nullptr, PasswordRead::NoFile, "", false},
        {"key anywhere in the line", "xxPassword=03qrs*****************\n", PasswordRead::Password, "abc", false},
        {"carriage return before line feed", "Password=03qrs*****************\r\n", PasswordRead::Password, "abc",
         false},
        {"twenty characters", "Password=20AAAAAAAAAAAAAAAAAAAA\n", PasswordRead::Password, "11111111111111111111",
         false},
        {"no key", "[Maintenance]\n", PasswordRead::KeyMissing, "keep", true},
        {"empty file", "", PasswordRead::KeyMissing, "keep", true},
        {"value too short", "Password=03qrs****\n", PasswordRead::Malformed, "keep", false},
        {"value too long", "Password=03qrs******************\n", PasswordRead::Malformed, "keep", false},
        {"length above 20", "Password=21qrs*****************\n", PasswordRead::Malformed, "keep", false},
        {"length not digits", "Password=x3qrs*****************\n", PasswordRead::Malformed, "keep", false},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("NX420.txt");
        if (c.firstLines) WriteWholeFile(path, std::string(c.firstLines) + kBody);
        FixedText<20> memory;
        memory = "keep";
        RecordingPrompt prompt;
        EXPECT_EQ(ReadFilePassword(path, memory, prompt), c.expected);
        EXPECT_EQ(memory.Str(), c.password);
        if (c.keyMessage) {
            ASSERT_EQ(prompt.Messages.size(), 1u);
            EXPECT_EQ(prompt.Messages[0].Text, "Incorrect setting file. Key information\n Password= not found.");
            EXPECT_EQ(prompt.Messages[0].Buttons, PromptButtons::Ok);
        } else {
            EXPECT_TRUE(prompt.Messages.empty());
        }
    }
}

TEST(Password, WriteReplacesOnlyTheFirstLine) {
    struct WriteCase { const char* name; bool exists; std::string before; const char* password; std::string after; };
    const std::string oldLine = "Password=03qrs*****************\n";
    std::string large;  // forces the rewrite path across many blocks
    for (int i = 0; i < 20000; ++i) large += "Dial" + std::to_string(i) + "=0123456789\n";
    const WriteCase cases[] = {
        {"in place", true, oldLine + kBody, "a", PasswordLine("a") + kBody},
        {"twenty characters", true, oldLine + kBody, "ABCDEFGHIJKLMNOPQRST",
         "Password=20QRSTUVWXYZ[\\]^_`abcd\n" + kBody},
        {"new file", false, "", "a", PasswordLine("a")},
        {"empty file", true, "", "a", PasswordLine("a")},
        // A first line of another length must not eat into the second line.
        {"CRLF first line", true, "Password=03qrs*****************\r\n[Maintenance]\r\n", "a",
         PasswordLine("a") + "[Maintenance]\r\n"},
        {"first line without line feed", true, "Password=00", "a", PasswordLine("a")},
        {"large file", true, "Password=\n" + large, "xyz", PasswordLine("xyz") + large},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("NX420.txt");
        if (c.exists) WriteWholeFile(path, c.before);
        ASSERT_TRUE(WritePasswordLine(path, c.password));
        EXPECT_EQ(ReadWholeFile(path), c.after);
    }
}

TEST(Password, WriteFailureIsReported) {
    TempDir dir;
    EXPECT_FALSE(WritePasswordLine(dir.File("missing/NX420.txt"), "a"));
    if (::geteuid() != 0) {  // root writes through any mode
        const std::string path = dir.File("NX420.txt");
        WriteWholeFile(path, PasswordLine("") + kBody);
        ::chmod(path.c_str(), 0444);
        EXPECT_FALSE(WritePasswordLine(path, "a"));
        EXPECT_EQ(ReadWholeFile(path), PasswordLine("") + kBody);
    }
}
}  // namespace
