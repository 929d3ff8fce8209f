// The shared editor behaviour that neither first editor shows: "Delete ALL",
// an editor without "Upload", and a close while an upload runs.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "EditorWindowSupport.h"
#include "editors/EditorDialog.h"

namespace {
class ListEditor : public EditorDialog {
public:
    ListEditor(SettingData& model, EditorOptions options) : EditorDialog(nullptr, model, "List", {}, options) {
        QLabel* label = nullptr;
        selector = MakeExchangeSelector(model.System.SwitchCnt, false, label);
    }
    QComboBox* selector = nullptr;
    int cleared = 0;
    bool differs = false;

protected:
    ValidationResult Validate() const override { return {}; }
    ValidationResult ValidateAndCommit() override { return {}; }
    bool CopyDiffers() const override { return differs; }
    void FocusFailure(const ValidationResult&) override {}
    void ShowCopy() override {}
    std::vector<EncodedText> UploadTexts() const override { return {}; }
    const char* UploadProgressTitle() const override { return "List"; }
    void DeleteAllRows() override { ++cleared; }
};
}  // namespace

TEST(EditorDialog, DeleteAllAsksFirst) {
    EditorWindowTest t;
    ListEditor editor(*t.model, {.Upload = false, .DeleteAll = true});
    EXPECT_EQ(editor.UploadButton(), nullptr);
    ASSERT_NE(editor.DeleteAllButton(), nullptr);
    EXPECT_EQ(editor.DeleteAllButton()->text(), "Delete ALL");
    editor.DeleteAllButton()->click();  // No
    EXPECT_EQ(editor.cleared, 0);
    t.prompt.Answers = {PromptAnswer::Yes};
    editor.DeleteAllButton()->click();
    EXPECT_EQ(editor.cleared, 1);
    EXPECT_EQ(Texts(t.prompt), (std::vector<std::string>{"Will delete all list data. OK?", "Will delete all list data. OK?"}));
    EXPECT_EQ(t.prompt.Messages[0].Buttons, PromptButtons::YesNo);
    // Without "ALL" the selector holds the exchanges only.
    ASSERT_EQ(editor.selector->count(), 2);
    EXPECT_EQ(editor.selector->itemText(1), "2");
}

TEST(EditorDialog, ClosingDuringAnUploadReleasesTheLink) {
    EditorWindowTest t;
    {
        ListEditor editor(*t.model, {});
        editor.show();
        t.prompt.Answers = {PromptAnswer::Ok};
        editor.OnUpload();
        ASSERT_TRUE(editor.UploadRunning());
        // Close with changes, answered Yes.
        editor.differs = true;
        t.prompt.Answers = {PromptAnswer::Yes};
        editor.CloseButton()->click();
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(t.transfer.Releases, 0);
    }
    EXPECT_EQ(t.transfer.Releases, 1);
}
