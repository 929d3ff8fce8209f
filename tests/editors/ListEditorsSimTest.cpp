// The Paging sheet's upload reaches nx420-sim through the program's link,
// text by text (a member list's texts are shown by ListEditorsTest).
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "editors/PagingPage.h"
#include "editors/SheetPaging.h"
#include "support/ProgramOnSim.h"
#include "ui/GridWidget.h"

namespace {
constexpr int kDeadlineMs = 20000;
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

        CSheetPaging paging(nullptr, context);
        paging.Pages()->setCurrentIndex(kPagingPageOutIn);
        QVERIFY(!paging.Page(kPagingPageOutIn)->Grid()->EnterText(1, 3 + 18, "v"));  // ch2 joins zone 19
        p.prompt.Answers = {PromptAnswer::Ok};
        paging.UploadButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!paging.UploadRunning(), kDeadlineMs);

        std::vector<std::string> expected;
        for (int z = 1; z <= 19; ++z)
            expected.push_back((z < 10 ? "J010" : "J01") + std::to_string(z) + (z == 19 ? "0100" : "0000"));
        QCOMPARE(p.Acknowledged(), expected);
        QCOMPARE(p.prompt.Texts().size(), std::size_t(1));  // the question, no failure
    }
};

QTEST_MAIN(ListEditorsSimTest)
#include "ListEditorsSimTest.moc"
