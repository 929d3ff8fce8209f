#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {

std::string DefaultFileBytes(const TempDir& dir) {
    auto d = MakeSettingData();
    RecordingPrompt prompt;
    const std::string path = dir.File("default.txt");
    EXPECT_TRUE(WriteSettingsFile(*d, path, prompt));
    return ReadWholeFile(path);
}

// Replaces the n-th (1-based) whole line equal to `from`; fails the test when absent.
std::string ReplaceLine(std::string text, const std::string& from, const std::string& to, int nth = 1) {
    std::size_t at = 0;
    for (int seen = 0;;) {
        at = text.find(from + "\n", at);
        if (at == std::string::npos) {
            ADD_FAILURE() << "no line " << from;
            return text;
        }
        if ((at == 0 || text[at - 1] == '\n') && ++seen == nth) break;
        at += 1;
    }
    return text.replace(at, from.size() + 1, to + "\n");
}

struct ReadOutcome {
    SettingsReadResult result;
    std::unique_ptr<SettingData> data;
    RecordingPrompt prompt;
};

std::unique_ptr<ReadOutcome> ReadBytes(const TempDir& dir, const std::string& bytes,
                                       void (*prepare)(SettingData&) = nullptr) {
    auto out = std::make_unique<ReadOutcome>();
    out->data = MakeSettingData();
    out->data->CurrentFilePath = "somewhere.txt";
    if (prepare) prepare(*out->data);
    const std::string path = dir.File("in.txt");
    WriteWholeFile(path, bytes);
    out->result = ReadSettingsFile(*out->data, path, out->prompt);
    return out;
}

}  // namespace

TEST(SettingsFile, DefaultConfigurationRoundTripsByteForByte) {
    TempDir dir;
    const std::string first = DefaultFileBytes(dir);
    EXPECT_EQ(first.substr(0, 32), "Password=00********************\n");
    EXPECT_EQ(first.substr(32, 14), "[Maintenance]\n");
    EXPECT_EQ(first.find('\r'), std::string::npos);
    EXPECT_EQ(first.back(), '\n');

    auto outcome = ReadBytes(dir, first);
    ASSERT_EQ(outcome->result, SettingsReadResult::Ok);
    EXPECT_TRUE(outcome->prompt.Messages.empty());
    auto fresh = MakeSettingData();
    EXPECT_TRUE(SameSettings(*outcome->data, *fresh));

    RecordingPrompt prompt;
    ASSERT_TRUE(WriteSettingsFile(*outcome->data, dir.File("again.txt"), prompt));
    EXPECT_EQ(ReadWholeFile(dir.File("again.txt")), first);
}

TEST(SettingsFile, PopulatedConfigurationSurvivesWriteAndRead) {
    TempDir dir;
    auto original = MakeSettingData();
    FillPopulatedSettings(*original, 42);
    original->SettingPassword = "Secret99";
    original->Modified = 1;
    RecordingPrompt prompt;
    const std::string path = dir.File("full.txt");
    ASSERT_TRUE(WriteSettingsFile(*original, path, prompt));
    EXPECT_EQ(original->Modified, 0);

    auto copy = MakeSettingData();
    ASSERT_EQ(ReadSettingsFile(*copy, path, prompt), SettingsReadResult::Ok);
    // Display copies of receiving stations show the masters as they stood when the
    // line was read; a second read sees every master already in place.
    ASSERT_EQ(ReadSettingsFile(*copy, path, prompt), SettingsReadResult::Ok);
    EXPECT_TRUE(SameSettings(*copy, *original));
    EXPECT_EQ(copy->SettingPassword, "Secret99");
    EXPECT_TRUE(prompt.Messages.empty());
    EXPECT_EQ(copy->DirectSelect.Rows[15][3][1023], original->DirectSelect.Rows[15][3][1023]);
}

TEST(SettingsFile, MissingKeyStopsTheReadAndResetsTheModel) {
    TempDir dir;
    const std::string base = DefaultFileBytes(dir);
    struct Case {
        std::string from, to;
        int nth;
        std::string key;
    } cases[] = {
        {"PcConnect=0", "Name=ABC", 1, "PcConnect="},
        {"TelNo=", "Name=ABC", 1, "TelNo="},
        {"[System]", "[Sys]", 1, "[System]"},
        {"OutSend=0", "Send=0", 5, "OutSend="},
        {"[Switch03][Line01]", "[Switch03][Line1]", 1, "[Line01]"},
        {"[Switch16][Sub64]", "x", 1, "[Sub64]"},
        {"[Speaker PA09]", "Speaker PA09", 1, "[Speaker PA09]"},
        {"[Switch16][Master04]", "[Switch16][Master4]", 2, "[Switch16][Master04]"},
        {"Dial1024=", "Dial1023=", 64, "Dial1024="},
        {"ShotT2=0", "ShotT3=0", 1, "ShotT2="},
        {"Shot5=", "Shot6=", 7, "Shot5="},
    };
    for (const auto& c : cases) {
        auto out = ReadBytes(dir, ReplaceLine(base, c.from, c.to, c.nth),
                             [](SettingData& d) { d.SettingPassword = "old"; FillPopulatedSettings(d, 3); });
        EXPECT_EQ(out->result, SettingsReadResult::Failed) << c.key;
        ASSERT_EQ(out->prompt.Messages.size(), 1u) << c.key;
        EXPECT_EQ(out->prompt.Messages[0].Text,
                  "Incorrect setting file. Key information\n " + c.key + " not found.\nDefault Data setting");
        EXPECT_EQ(out->prompt.Messages[0].Buttons, PromptButtons::Ok);
        EXPECT_TRUE(SameSettings(*out->data, *MakeSettingData())) << c.key;
        EXPECT_TRUE(out->data->CurrentFilePath.Empty());
        // The password line was valid, so the file's (empty) password is in memory.
        EXPECT_EQ(out->data->SettingPassword, "") << c.key;
    }
}

TEST(SettingsFile, ShortFileNamesTheNextKey) {
    TempDir dir;
    const std::string base = DefaultFileBytes(dir);
    const std::size_t cut = base.find("CallCnt=10\n");
    auto out = ReadBytes(dir, base.substr(0, cut));
    EXPECT_EQ(out->result, SettingsReadResult::Failed);
    ASSERT_EQ(out->prompt.Texts().size(), 1u);
    EXPECT_NE(out->prompt.Texts()[0].find(" CallCnt= not found."), std::string::npos);
}

TEST(SettingsFile, PasswordValueRules) {
    TempDir dir;
    const std::string rest = DefaultFileBytes(dir).substr(32);
    struct Case {
        std::string line;
        bool ok;
        std::string password;
    } cases[] = {
        {"Password=00********************", true, ""},
        {"Password=04ABCD****************", true, "1234"},
        {"Password=20" + std::string(20, 'A'), true, std::string(20, '1')},
        {"Password=21" + std::string(20, 'A'), false, "kept"},
        {"Password=0A********************", false, "kept"},
        {"Password=00*******************", false, "kept"},
        {"Password=00*********************", false, "kept"},
    };
    for (const auto& c : cases) {
        auto out = ReadBytes(dir, c.line + "\n" + rest, [](SettingData& d) { d.SettingPassword = "kept"; });
        EXPECT_EQ(out->result == SettingsReadResult::Ok, c.ok) << c.line;
        EXPECT_TRUE(out->prompt.Messages.empty()) << c.line;
        EXPECT_EQ(out->data->SettingPassword, c.password) << c.line;
    }
    EXPECT_EQ(PasswordLine(std::string(20, '1')), "Password=20" + std::string(20, 'A') + "\n");
    EXPECT_EQ(PasswordLine("").size(), 32u);
}

TEST(SettingsFile, OneShotBlockIsOptional) {
    TempDir dir;
    const std::string base = DefaultFileBytes(dir);
    const std::size_t end = base.find("OneShotMake\n");
    auto keepShots = [](SettingData& d) {
        d.DirectSelect.ShotT[2][1] = 4;
        d.DirectSelect.Rows[2][1][7].Shot = "99";
    };
    for (const std::string& tail : {std::string(), std::string("Something else\n")}) {
        auto out = ReadBytes(dir, base.substr(0, end) + tail, keepShots);
        EXPECT_EQ(out->result, SettingsReadResult::Ok);
        EXPECT_EQ(out->data->DirectSelect.ShotT[2][1], 4);
        EXPECT_EQ(out->data->DirectSelect.Rows[2][1][7].Shot, "99");
    }
    // With the block, empty values empty filled rows.
    auto out = ReadBytes(dir, base, keepShots);
    EXPECT_EQ(out->result, SettingsReadResult::Ok);
    EXPECT_EQ(out->data->DirectSelect.ShotT[2][1], 0);
    EXPECT_TRUE(out->data->DirectSelect.Rows[2][1][7].Shot.Empty());
}

TEST(SettingsFile, FieldConversions) {
    TempDir dir;
    std::string text = DefaultFileBytes(dir);
    text = ReplaceLine(text, "[Function3]", "");
    text = ReplaceLine(text, "SwNumber01=10", "SwNumber01=1234567");
    text = ReplaceLine(text, "SwNumber02=-1", "SwNumber02=-1");
    text = ReplaceLine(text, "StartTime=00:00", "StartTime=7:30");
    text = ReplaceLine(text, "EndTime=00:00", "EndTime=0730");
    text = ReplaceLine(text, "RxMaster01=00-00", "RxMaster01=01-02");
    text = ReplaceLine(text, "RxMaster02=00-00", "RxMaster02=0203");
    text = ReplaceLine(text, "PagingTimeLimit=0", "PagingTimeLimit=  -20xyz");
    text = ReplaceLine(text, "LineCntLimit=3", "LineCntLimit=300");
    text = ReplaceLine(text, "Name=", "Name=ABCDEFGHIJK");
    text = ReplaceLine(text, "Shot1=", "Shot1=123456");
    // Carriage returns before line feeds are accepted.
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf.push_back('\r');
        crlf.push_back(c);
    }
    auto out = ReadBytes(dir, crlf);
    ASSERT_EQ(out->result, SettingsReadResult::Ok) << (out->prompt.Messages.empty() ? "" : out->prompt.Texts()[0]);
    const SettingData& d = *out->data;
    EXPECT_EQ(d.System.SwNumber[0].Value, 1234567);
    EXPECT_EQ(d.System.SwNumber[0].Text, "123456");
    EXPECT_EQ(d.System.SwNumber[1].Value, kNotAssigned);
    EXPECT_EQ(d.Function[0].StartTime.Value, 7 << 8 | 30);
    EXPECT_EQ(d.Function[0].StartTime.Text, "7:30");
    EXPECT_EQ(d.Function[0].EndTime.Value, 0);
    EXPECT_EQ(d.Function[0].EndTime.Text, "0730");
    const LineData& line = d.Switch[0].Line[0];
    EXPECT_EQ(line.RxMaster[0], (MemberRef{1, 1, 2}));
    EXPECT_EQ(line.RxMasterNumber[0], 91);
    EXPECT_EQ(line.RxMasterName[0], "91");
    EXPECT_TRUE(line.RxMaster[1].Empty());
    EXPECT_EQ(line.RxMasterNumber[1], kNotAssigned);
    EXPECT_EQ(d.Switch[0].PagingTimeLimit, static_cast<uint32_t>(-20));
    EXPECT_EQ(d.Switch[0].LineCntLimit, 300 & 0xFF);
    EXPECT_EQ(line.Name, "ABCDEFGH");
    EXPECT_EQ(d.DirectSelect.Rows[0][0][0].Shot, "1234");

    auto copy = MakeSettingData();
    *copy = d;
    RecordingPrompt prompt;
    ASSERT_TRUE(WriteSettingsFile(*copy, dir.File("out.txt"), prompt));
    const std::string written = ReadWholeFile(dir.File("out.txt"));
    for (const char* expected : {"\nStartTime=07:30\n", "\nEndTime=00:00\n", "\nRxMaster02=00-00\n",
                                 "\nSwNumber01=123456\n", "\nPagingTimeLimit=-20\n", "\n[Function3]\n"})
        EXPECT_NE(written.find(expected), std::string::npos) << expected;
}

TEST(SettingsFile, FailedWriteKeepsThePreviousFile) {
    TempDir dir;
    const std::string path = dir.File("keep.txt");
    WriteWholeFile(path, "previous contents\n");
    auto d = MakeSettingData();
    FillPopulatedSettings(*d, 9);
    d->Modified = 1;

    // A file size limit makes the write fail part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    RecordingPrompt prompt;
    const bool ok = WriteSettingsFile(*d, path, prompt);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(ok);
    ASSERT_EQ(prompt.Messages.size(), 1u);
    EXPECT_EQ(prompt.Messages[0].Text, "Set file Write Error");
    EXPECT_EQ(prompt.Messages[0].Icon, PromptIcon::Exclamation);
    EXPECT_EQ(d->Modified, 1);
    EXPECT_EQ(ReadWholeFile(path), "previous contents\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}
