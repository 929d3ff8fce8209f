// Uploads of a member-list editor and of the Paging sheet reach nx420-sim
// through the program's link, text by text.
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "editors/DlgMembers.h"
#include "editors/PagingPage.h"
#include "editors/SheetPaging.h"
#include "support/ProgramOnSim.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kDeadlineMs = 20000;

// The texts the simulator acknowledged, in order.
QStringList Received(ProgramOnSim& p) {
    QStringList texts;
    for (const QString& line : QString::fromStdString(p.SimLog()).split('\n'))
        if (line.startsWith("sim: rx ") && line.endsWith(" ACK")) texts << line.mid(8, line.size() - 12);
    return texts;
}
}  // namespace

class ListEditorsSimTest : public QObject {
    Q_OBJECT
private slots:
    void uploadsReachTheExchange() {
        ProgramOnSim p;
        QVERIFY(p.Launch({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        SettingData& model = p.View().Model();
        const EditorContext context{model, {}, &p.Link()};

        CDlgMeeting meeting(nullptr, context);
        meeting.MasterList()->setCurrentIndex(3);
        QVERIFY(meeting.Grid()->EnterText(0, kMemberStation, "91"));  // master 2 of exchange 1
        p.prompt.Answers = {PromptAnswer::Ok};
        meeting.UploadButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!meeting.UploadRunning(), kDeadlineMs);

        CSheetPaging paging(nullptr, context);
        paging.Pages()->setCurrentIndex(kPagingPageOutIn);
        QVERIFY(!paging.Page(kPagingPageOutIn)->Grid()->EnterText(1, 3 + 18, "v"));  // ch2 joins zone 19
        p.prompt.Answers = {PromptAnswer::Ok};
        paging.UploadButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!paging.UploadRunning(), kDeadlineMs);

        QStringList expected{"L01100", "L01200", "L01300", "L01401012"};
        for (int z = 1; z <= 19; ++z) expected << QString("J01%1%2").arg(z, 2, 10, QChar('0')).arg(z == 19 ? "0100" : "0000");
        QCOMPARE(Received(p), expected);
        QCOMPARE(p.prompt.Texts().size(), std::size_t(2));  // the two questions, no failure
    }
};

QTEST_MAIN(ListEditorsSimTest)
#include "ListEditorsSimTest.moc"
