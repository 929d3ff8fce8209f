// Shared editor behaviour the first two editors do not show: "Delete ALL",
// an editor without "Upload", and closing while an upload runs.
#include <QPushButton>
#include <gtest/gtest.h>

#include "editors/EditorWindowSupport.h"
#include "editors/EditorDialog.h"
#include "transfer/EditorUpload.h"

namespace {
class ListEditor : public EditorDialog {
public:
    ListEditor(const EditorContext& context, EditorOptions options) : EditorDialog(nullptr, context, "List", options) {}
    int cleared = 0;
    bool differs = false;

protected:
    ValidationResult Validate() const override { return {}; }
    ValidationResult ValidateAndCommit() override { return {}; }
    bool CopyDiffers() const override { return differs; }
    void FocusFailure(const ValidationResult&) override {}
    void ShowCopy() override {}
    std::vector<EncodedText> UploadTexts() const override { return EncodeUploadSteps(Model(), SystemUploadSteps()); }
    void DeleteAllRows() override { ++cleared; }
};
}  // namespace

TEST(EditorDialog, DeleteAllAsksAndClosingDuringAnUploadReleasesTheLink) {
    EditorWindowTest t;
    ListEditor lists(t.context, {.Upload = false, .DeleteAll = true});
    EXPECT_EQ(lists.UploadButton(), nullptr);
    lists.DeleteAllButton()->click();  // No
    t.prompt.Answers = {PromptAnswer::Yes};
    lists.DeleteAllButton()->click();
    EXPECT_EQ(lists.cleared, 1);
    EXPECT_EQ(Texts(t.prompt), std::vector<std::string>(2, "Will delete all list data. OK?"));
    {
        ListEditor editor(t.context, {});
        t.prompt.Answers = {PromptAnswer::Ok};
        editor.OnUpload();
        LinkRecorder::Deliver();
        ASSERT_TRUE(editor.UploadRunning());
    }
    LinkRecorder::Deliver();
    EXPECT_EQ(Sent(t.link), (std::vector<std::string>{"A00", "release/3"}));
}
