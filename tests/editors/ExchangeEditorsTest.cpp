// The per-exchange editors (C/O Trunks, Call Forwarding/Time-Out, Direct
// Select) offscreen on the program's link to nx420-sim: edits, a failed
// Overwrite, Close with changes, Overwrite, and the texts the exchanges got.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "editors/DlgDirectSelect.h"
#include "editors/DlgFunction.h"
#include "editors/DlgLine.h"
#include "editors/EditorWindowSupport.h"
#include "editors/SpinField.h"
#include "support/ProgramOnSim.h"

namespace {
using Strings = std::vector<std::string>;

struct OnSim : ProgramOnSim {
    OnSim() {
        EXPECT_TRUE(Launch({"--exchanges", "2"}));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Mask() == 0; }, 20000));  // the start-up open is done
        View().Model().System.SwitchCnt = 2;
    }
    EditorContext Context() { return {View().Model(), {}, &Link()}; }
    SettingData& Model() { return View().Model(); }
    // Upload confirmed; the texts the simulator acknowledged.
    Strings Upload(EditorDialog& dialog) {
        prompt.Answers = {PromptAnswer::Ok};
        dialog.OnUpload();
        if (!QTest::qWaitFor([&] { return !dialog.UploadRunning(); }, 20000)) return {"still running"};
        return Acknowledged();
    }
};
}  // namespace

TEST(DlgLine, EditOverwriteCloseAndUpload) {
    OnSim p;
    CDlgLine dialog(nullptr, p.Context());
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Exchange No. (1-2):");
    const CDlgLine::LineWidgets& line = dialog.Line(1);
    EXPECT_FALSE(line.Access->isEnabled());
    EXPECT_FALSE(line.Grid->isEnabled());
    QTest::keyClicks(line.Name, "TRUNK1");
    line.Outgoing->setChecked(true);
    line.Access->Enter("10");  // kept in the field, fails validation
    line.RxLine->setChecked(true);
    ASSERT_TRUE(TypeIntoCell(*line.Grid, 0, kRxStation, "91"));
    EXPECT_EQ((Strings{line.Grid->CellText(0, kRxExchange), line.Grid->CellText(0, kRxLine),
                       line.Grid->CellText(0, kRxName)}),
              (Strings{"1", "2", "91"}));
    dialog.OnOverwrite();
    EXPECT_EQ(line.Access->Text(), "10");
    EXPECT_EQ(p.Model().Modified, 0);
    line.Access->Enter("4");
    dialog.Selector()->setCurrentIndex(1);
    dialog.reject();  // No: stays open
    EXPECT_TRUE(dialog.isVisible());
    dialog.OnOverwrite();
    dialog.Selector()->setCurrentIndex(0);
    EXPECT_EQ(line.Name->text(), "TRUNK1");
    EXPECT_EQ(p.prompt.Texts(), (Strings{kAccessNumberText, "Text changed. Exit?"}));
    EXPECT_EQ(p.Model().Modified, 1);
    EXPECT_EQ(p.Upload(dialog), (Strings{"D0103TRUNK1  1404012000000000        00000000000...",
                                         "D0203        0000000000000000        00000000000..."}));
}

TEST(DlgFunction, EditOverwriteCloseAndUpload) {
    OnSim p;
    CDlgFunction dialog(nullptr, p.Context());
    dialog.show();
    EXPECT_FALSE(dialog.TimeBased()->isEnabled());
    dialog.Forwarding()->setChecked(true);
    dialog.TimeBased()->setChecked(true);
    EXPECT_TRUE(dialog.StartTime()->isEnabled());
    dialog.StartTime()->clear();
    QTest::keyClicks(dialog.StartTime(), "8:30");
    dialog.EndTime()->clear();
    QTest::keyClicks(dialog.EndTime(), "ab:cd");
    const CDlgFunction::ValueWidgets& talk = dialog.Value(kFunctionFieldTalkTime);
    talk.Box->setChecked(true);
    EXPECT_EQ(talk.Field->Text(), "10");
    talk.Field->Enter("995");
    EXPECT_EQ(talk.Field->Text(), "10");
    talk.Field->Enter("15");
    dialog.OnOverwrite();
    dialog.EndTime()->clear();
    QTest::keyClicks(dialog.EndTime(), "17:45");
    dialog.OnOverwrite();
    talk.Field->stepBy(1);
    EXPECT_EQ(talk.Field->Text(), "20");
    dialog.reject();
    dialog.OnOverwrite();
    EXPECT_EQ(p.prompt.Texts(), (Strings{kEndTimeText, kTalkTimeText, "Text changed. Exit?"}));
    EXPECT_EQ(p.Model().Function[0].TalkTime, 20);
    EXPECT_EQ(p.Upload(dialog), (Strings{"F011083017450100002", "F020000000000100000"}));
}

TEST(DlgDirectSelect, EditOverwriteCloseAndUpload) {
    OnSim p;
    CDlgDirectSelect dialog(nullptr, p.Context());
    dialog.show();
    EXPECT_TRUE(dialog.ResponseActivated()->isChecked());
    dialog.Selector()->setCurrentIndex(1);
    dialog.CallActivated()->click();
    dialog.Selector()->setCurrentIndex(0);
    EXPECT_TRUE(dialog.ResponseActivated()->isChecked());
    dialog.reject();
    EXPECT_EQ(p.prompt.Texts(), Strings{"Text changed. Exit?"});
    dialog.OnOverwrite();
    EXPECT_EQ(p.Model().DirectSelect.OutMode[1], 1);
    EXPECT_EQ(p.Upload(dialog), (Strings{"M010", "M021"}));
    dialog.CloseButton()->click();  // nothing changed since
    EXPECT_FALSE(dialog.isVisible());
}
