#include "app/TR420Doc.h"

#include <gtest/gtest.h>

#include "app/FakeServices.h"
#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {
using Strings = std::vector<std::string>;

struct Fixture {
    TempDir dir;
    ShellState state;
    FakeServices services;
    CTR420Doc doc{state, services};
    RecordingPrompt prompt;

    Fixture() {
        FillPopulatedSettings(*state.Model);
        state.Model->CurrentFilePath = dir.File("old.txt");
        state.Model->Modified = 1;
    }
    bool Populated() const {
        auto expected = MakeSettingData();
        FillPopulatedSettings(*expected);
        return SameSettings(*state.Model, *expected);
    }
    // Either the defaults read from path (empty: none) with the link restarted,
    // or the populated model, its path and Modified untouched.
    void ExpectChanged(bool changed, const std::string& path = {}) const {
        EXPECT_TRUE(changed ? SameSettings(*state.Model, *MakeSettingData()) : Populated());
        EXPECT_EQ(state.Model->CurrentFilePath.Str(), changed ? path : dir.File("old.txt"));
        EXPECT_EQ(state.Model->Modified, changed ? 0 : 1);
        EXPECT_EQ(services.Calls, (changed ? Strings{"StopLink", "StartLink"} : Strings{}));
    }
    // A settings file holding the defaults and password "pw".
    std::string WriteDefaultsFile(const std::string& name) {
        auto data = MakeSettingData();
        data->SettingPassword = "pw";
        RecordingPrompt quiet;
        EXPECT_TRUE(WriteSettingsFile(*data, dir.File(name), quiet));
        return dir.File(name);
    }
};

// New and Open ask only when the model is modified (Yes to New is shown through the
// main window's menu); Open then reads the file chosen.
TEST(Document, NewAndOpenAskWhenModifiedThenOpenReadsTheChosenFile) {
    const struct {
        bool open, modified;
        PromptAnswer answer;
        const char* file;   // chosen in the file dialog; "" cancels it
        const char* bytes;  // written there; nullptr the defaults with password "pw", "" nothing
        bool changed;
        Strings texts;
    } cases[] = {
        {false, true, PromptAnswer::No, "", "", false, {kNewNotSaved}},
        {false, false, PromptAnswer::No, "", "", true, {}},
        {true, true, PromptAnswer::No, "site.txt", nullptr, false, {kOpenNotSaved}},
        {true, true, PromptAnswer::Yes, "", "", false, {kOpenNotSaved}},
        {true, true, PromptAnswer::Yes, "site.txt", nullptr, true, {kOpenNotSaved}},
        {true, true, PromptAnswer::Yes, "missing.txt", "", false, {kOpenNotSaved, "Set file Open Error"}},
        // Not a settings file: the defaults, no path, the link restarted.
        {true, true, PromptAnswer::Yes, "bad.txt", "Password=00********************\nhello\n", true,
         {kOpenNotSaved, "Incorrect setting file. Key information\n [Maintenance] not found.\nDefault Data setting"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.open ? "Open " : "New ") + c.file);
        Fixture f;
        f.state.Model->Modified = c.modified;
        const std::string path = f.dir.File(c.file);
        if (!c.bytes) f.WriteDefaultsFile(c.file);
        else if (*c.bytes) WriteWholeFile(path, c.bytes);
        f.prompt.Answers = {c.answer};
        if (*c.file) f.prompt.FileAnswers = {path};
        EXPECT_EQ(c.open ? f.doc.OnFileOpen(f.prompt) : f.doc.OnFileNew(f.prompt), c.changed);
        EXPECT_EQ(f.prompt.Texts(), c.texts);
        if (!f.prompt.Messages.empty()) {
            EXPECT_EQ(std::pair(f.prompt.Messages[0].Icon, f.prompt.Messages[0].Buttons),
                      std::pair(PromptIcon::Question, PromptButtons::YesNo));
        }
        ASSERT_EQ(f.prompt.FileDialogs.size(), c.open && c.answer == PromptAnswer::Yes ? 1u : 0u);
        for (std::size_t i = 0; i < f.prompt.FileDialogs.size(); ++i)
            EXPECT_EQ(std::pair(f.prompt.FileDialogs[i], f.prompt.FileFilters[i]),
                      std::pair(FileDialogKind::Open,
                                std::string("NX420 Data Files (*.*)|*.*|NX420 Text Files (*.txt)|*.txt||")));
        const bool read = c.changed && !c.bytes;
        f.ExpectChanged(c.changed, read ? path : "");
        EXPECT_EQ(f.state.Model->SettingPassword.Str(), read ? "pw" : "");
    }
}

// Save As cancelled or failing keeps path and Modified. Save after New asks for a
// name (shown through the main window); after Open it writes the opened file.
TEST(Document, SaveAsFailuresKeepTheStateAndSaveWritesTheOpenedFile) {
    Fixture f;
    EXPECT_FALSE(f.doc.OnFileSaveAs(f.prompt));  // Cancel
    f.prompt.FileAnswers = {f.dir.File("missing/x.txt")};
    EXPECT_FALSE(f.doc.OnFileSaveAs(f.prompt));
    EXPECT_EQ(f.prompt.Texts(), Strings{"Set file Write Error"});
    f.ExpectChanged(false);

    const std::string opened = f.WriteDefaultsFile("opened.txt");
    const std::string before = ReadWholeFile(opened);
    f.prompt.Answers = {PromptAnswer::Yes};
    f.prompt.FileAnswers = {opened};
    ASSERT_TRUE(f.doc.OnFileOpen(f.prompt));
    f.state.Model->System.NumberSize = 3;
    f.state.Model->Modified = 1;
    ASSERT_TRUE(f.doc.OnFileSave(f.prompt));
    EXPECT_EQ(std::pair(f.prompt.FileDialogs.size(), int(f.state.Model->Modified)), std::pair(3ul, 0));
    EXPECT_NE(ReadWholeFile(opened), before);
    EXPECT_EQ(ReadWholeFile(opened).substr(0, 32), PasswordLine("pw"));
}

TEST(Document, BusyGuardEndsNewAndOpen) {
    const struct {
        bool log, monitor;
        int answer;
        const char* text;
    } cases[] = {{true, true, 1, "Reading log data. Please stop reading and try it again."},
                 {false, true, 2, "Reading communication data. Please stop reading and try it again."}};
    for (const auto& c : cases) {
        Fixture f;
        f.state.LogReadingActive = c.log;
        f.state.MonitorReadingActive = c.monitor;
        f.prompt.Answers = {PromptAnswer::Yes, PromptAnswer::Yes};
        EXPECT_EQ(BusyGuard(f.state, f.prompt), c.answer);
        EXPECT_FALSE(f.doc.OnFileNew(f.prompt));
        EXPECT_FALSE(f.doc.OnFileOpen(f.prompt));
        EXPECT_EQ(f.prompt.Texts(), (Strings{c.text, c.text, c.text}));
        EXPECT_EQ(f.prompt.Messages[0].Icon, PromptIcon::Exclamation);
        EXPECT_TRUE(f.Populated());
        EXPECT_TRUE(f.prompt.FileDialogs.empty());
    }
    RecordingPrompt quiet;
    EXPECT_EQ(BusyGuard(ShellState{}, quiet), 0);
    EXPECT_TRUE(quiet.Messages.empty());
}
}  // namespace
