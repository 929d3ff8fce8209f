#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <tuple>

#include "model/ClockTimeText.h"
#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {

std::string DefaultFileBytes(const TempDir& dir) {
    RecordingPrompt prompt;
    auto d = MakeSettingData();
    EXPECT_TRUE(WriteSettingsFile(*d, dir.File("default.txt"), prompt));
    return ReadWholeFile(dir.File("default.txt"));
}

// Replaces the whole line equal to `from`; fails the test when absent.
std::string ReplaceLine(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = ("\n" + text).find("\n" + from + "\n");
    if (at == std::string::npos) {
        ADD_FAILURE() << "no line " << from;
        return text;
    }
    return text.replace(at, from.size() + 1, to + "\n");
}

struct ReadOutcome {
    SettingsReadResult result;
    std::unique_ptr<SettingData> data = MakeSettingData();
    RecordingPrompt prompt;
};

std::unique_ptr<ReadOutcome> ReadBytes(const TempDir& dir, const std::string& bytes,
                                       void (*prepare)(SettingData&) = nullptr) {
    auto out = std::make_unique<ReadOutcome>();
    out->data->CurrentFilePath = "somewhere.txt";
    if (prepare) prepare(*out->data);
    WriteWholeFile(dir.File("in.txt"), bytes);
    out->result = ReadSettingsFile(*out->data, dir.File("in.txt"), out->prompt);
    return out;
}

}  // namespace

TEST(SettingsFile, DefaultConfigurationRoundTripsByteForByte) {
    TempDir dir;
    const std::string first = DefaultFileBytes(dir);
    // Every default and every key: a change to any of them changes the digest.
    uint64_t digest = 14695981039346656037u;
    for (unsigned char c : first) digest = (digest ^ c) * 1099511628211u;
    EXPECT_EQ(std::pair(first.size(), digest), std::pair(std::size_t{1312593}, uint64_t{2582024569276170151u}));
    auto outcome = ReadBytes(dir, first);
    ASSERT_EQ(outcome->result, SettingsReadResult::Ok);
    EXPECT_TRUE(outcome->prompt.Messages.empty());
    EXPECT_TRUE(SameSettings(*outcome->data, *MakeSettingData()));
    RecordingPrompt prompt;
    ASSERT_TRUE(WriteSettingsFile(*outcome->data, dir.File("again.txt"), prompt));
    EXPECT_EQ(ReadWholeFile(dir.File("again.txt")), first);
}

TEST(SettingsFile, PopulatedConfigurationSurvivesWriteAndRead) {
    TempDir dir;
    for (const bool gaps : {false, true}) {
        SCOPED_TRACE(gaps);
        auto original = MakeSettingData();
        gaps ? FillSparseSettings(*original, 5, 11) : FillPopulatedSettings(*original, 42);
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
    }
}

// The reader's kinds of lookup: a section by its inner part, the optional
// one-shot block, and a file that ends early.
TEST(SettingsFile, MissingKeyStopsTheReadAndResetsTheModel) {
    TempDir dir;
    const std::string base = DefaultFileBytes(dir);
    const struct {
        std::string from;
        const char* to;  // null: the file ends before the line
        std::string key;
    } cases[] = {
        {"[Switch03][Line01]", "[Switch03][Line1]", "[Line01]"}, {"ShotT2=0", "ShotT3=0", "ShotT2="},
        {"CallCnt=10", nullptr, "CallCnt="},
    };
    for (const auto& c : cases) {
        const std::string bytes = c.to ? ReplaceLine(base, c.from, c.to) : base.substr(0, base.find(c.from));
        auto out = ReadBytes(dir, bytes, [](SettingData& d) { d.SettingPassword = "x"; FillPopulatedSettings(d, 3); });
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

// The value's rules are the start-up password's (PasswordTest); here only
// that a bad one stops the read without a message and keeps the password.
TEST(SettingsFile, MalformedPasswordStopsTheReadSilently) {
    TempDir dir;
    const std::string rest = DefaultFileBytes(dir).substr(32);
    auto out = ReadBytes(dir, "Password=21" + std::string(20, 'A') + "\n" + rest,
                         [](SettingData& d) { d.SettingPassword = "kept"; });
    EXPECT_EQ(out->result, SettingsReadResult::Failed);
    EXPECT_TRUE(out->prompt.Messages.empty());
    EXPECT_EQ(out->data->SettingPassword, "kept");
}

TEST(SettingsFile, OneShotBlockIsOptional) {
    TempDir dir;
    const std::string base = DefaultFileBytes(dir);
    const std::size_t end = base.find("OneShotMake\n");
    auto keepShots = [](SettingData& d) { d.DirectSelect.ShotT[2][1] = 4, d.DirectSelect.Rows[2][1][7].Shot = "99"; };
    // Without the block the shots stay; with it, empty values empty filled rows.
    for (const std::string& bytes : {base.substr(0, end), base.substr(0, end) + "Something else\n", base}) {
        auto out = ReadBytes(dir, bytes, keepShots);
        const bool block = bytes == base;
        EXPECT_EQ(out->result, SettingsReadResult::Ok);
        EXPECT_EQ(out->data->DirectSelect.ShotT[2][1], block ? 0 : 4);
        EXPECT_EQ(out->data->DirectSelect.Rows[2][1][7].Shot, block ? "" : "99");
    }
}

// Values a hand-edited file may hold; times and member references follow PairText.
TEST(SettingsFile, FieldConversions) {
    TempDir dir;
    std::string text = DefaultFileBytes(dir);
    const std::pair<const char*, const char*> edits[] = {
        {"[Function3]", ""}, {"SwNumber01=10", "SwNumber01=1234567"},
        {"PagingTimeLimit=0", "PagingTimeLimit=  -20xyz"}, {"LineCntLimit=3", "LineCntLimit=300"},
        {"Name=", "Name=ABCDEFGHIJK"}, {"Shot1=", "Shot1=123456"},
    };
    for (const auto& [from, to] : edits) text = ReplaceLine(text, from, to);
    std::string crlf;  // carriage returns before line feeds are accepted
    for (char c : text) (c == '\n' ? crlf += "\r\n" : crlf += c);
    auto out = ReadBytes(dir, crlf);
    ASSERT_EQ(out->result, SettingsReadResult::Ok) << (out->prompt.Messages.empty() ? "" : out->prompt.Texts()[0]);
    SettingData& d = *out->data;
    EXPECT_EQ(std::pair(d.System.SwNumber[0].Value, d.System.SwNumber[0].Text.Str()),
              std::pair(1234567, std::string("123456")));
    EXPECT_EQ(std::tuple(d.Switch[0].PagingTimeLimit, int(d.Switch[0].LineCntLimit), d.Switch[0].Line[0].Name.Str(),
                         d.DirectSelect.Rows[0][0][0].Shot.Str()),
              std::tuple(static_cast<uint32_t>(-20), 300 & 0xFF, std::string("ABCDEFGH"), std::string("1234")));
    RecordingPrompt prompt;
    ASSERT_TRUE(WriteSettingsFile(d, dir.File("out.txt"), prompt));
    const std::string written = ReadWholeFile(dir.File("out.txt"));
    for (const char* expected : {"\nSwNumber01=123456\n", "\nPagingTimeLimit=-20\n", "\n[Function3]\n"})
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
    EXPECT_EQ(std::pair(prompt.Messages[0].Text, prompt.Messages[0].Icon),
              std::pair(std::string("Set file Write Error"), PromptIcon::Exclamation));
    EXPECT_EQ(d->Modified, 1);
    EXPECT_EQ(ReadWholeFile(path), "previous contents\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SettingDefaults, ResetClearsEverythingButPasswordModifiedAndPath) {
    auto d = MakeSettingData();
    FillPopulatedSettings(*d, 7);
    d->SettingPassword = "1234", d->Modified = 1, d->CurrentFilePath = "/x/y.txt";
    ResetToDefaults(*d);
    EXPECT_TRUE(SameSettings(*d, *MakeSettingData()));
    EXPECT_EQ(std::tuple(d->SettingPassword.Str(), int(d->Modified), d->CurrentFilePath.Str()),
              std::tuple(std::string("1234"), 1, std::string("/x/y.txt")));
}

TEST(PairText, ConversionsBothWays) {
    const struct { const char* text; char separator; bool ok; uint16_t value; const char* written; } cases[] = {
        {"7:5", ':', true, 7 << 8 | 5, "07:05"}, {"0730", ':', false, 0, "00:00"}, {":30", ':', false, 0, "00:00"},
        {"7:x", ':', true, 7 << 8, "07:00"},   {"1-200", '-', true, 1 << 8 | 200, "01-200"},
    };
    for (const auto& c : cases) {
        uint16_t v = 0xFFFF;
        EXPECT_EQ(TextToPair(c.text, c.separator, v), c.ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
        EXPECT_EQ(PairToText(v, c.separator), c.written) << c.text;
    }
}

TEST(PairText, ClockTimeKeepsItsTextAndMemberRefItsPosition) {
    ClockTime t;
    EXPECT_TRUE(ClockTimeFromText("7:30", t));
    EXPECT_EQ(std::pair(t.Text.Str(), ClockTimeToText(t)), std::pair(std::string("7:30"), std::string("07:30")));
    MemberRef m{9, 1, 1};
    EXPECT_TRUE(MemberRefFromText("12-03", m));
    EXPECT_EQ(m, (MemberRef{9, 12, 3}));
    EXPECT_EQ(MemberRefToText(m), "12-03");
    EXPECT_FALSE(MemberRefFromText("1203", m));
    EXPECT_TRUE(m.Empty());
}
