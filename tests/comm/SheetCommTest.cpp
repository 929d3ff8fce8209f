// The Upload/Download window driven through its buttons with the scripted
// prompt, over the program's transfer path against nx420-sim.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "support/CarriedText.h"
#include "SimProcess.h"
#include "comm/PageComRx.h"
#include "comm/PageComTx.h"
#include "link/SendRoutine.h"
#include "texts/SettingTextSequence.h"
#include "comm/SheetComm.h"
#include "editors/StationCheck.h"
#include "app/LinkServices.h"
#include "app/MainFrame.h"
#include "support/PopulatedSettings.h"
#include "support/ProgramOnSim.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "ui/ProgressWindow.h"

namespace {

constexpr int kDeadlineMs = 60000;

struct Program : ProgramOnSim {
    bool Start(const std::vector<std::string>& simOptions = {}) { return Launch(simOptions); }
};

std::unique_ptr<SettingData> Populated(int switchCnt) {
    auto data = MakeSettingData();
    FillPopulatedSettings(*data, 3);
    data->System.SwitchCnt = static_cast<std::uint8_t>(switchCnt);
    return data;
}

}  // namespace

class SheetCommTest : public QObject {
    Q_OBJECT
private slots:
    void uploadThenDownloadThroughTheButtons() {
        Program p;
        QVERIFY(p.Start());
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        auto src = Populated(2);
        QVERIFY(!CheckStations(*src));
        p.View().Model() = *src;
        p.View().Model().Modified = 0;

        CSheetComm up(&p.View(), &p.View(), p.View().Model());
        up.show();
        QCOMPARE(up.windowTitle(), QString("Upload/Download"));
        QCOMPARE(up.StartButton()->text(), QString("Start Upload"));
        QCOMPARE(up.UploadPage()->AllButton()->text(), QString("All "));
        p.prompt.Answers = {PromptAnswer::Ok};
        QTest::mouseClick(up.StartButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(up.Driver().Phase() != SequencePhase::Running, kDeadlineMs);
        QCOMPARE(up.Driver().Phase(), SequencePhase::Completed);
        QCOMPARE(up.Driver().Progress().Count, 290);
        QCOMPARE(p.prompt.Messages.size(), std::size_t(1));
        QCOMPARE(p.prompt.Messages[0].Text, std::string("Will transmit set data. OK?"));
        QCOMPARE(p.prompt.Messages[0].Title, std::string("Transmission verification"));
        QCOMPARE(p.prompt.Messages[0].Buttons, PromptButtons::OkCancel);
        QTRY_VERIFY_WITH_TIMEOUT(!p.services.Progress() || !p.services.Progress()->Window(), kDeadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        QCOMPARE(up.Driver().InFlight(), 0);
        up.close();

        // Into a default model, through the download page.
        auto got = MakeSettingData();
        CSheetComm down(&p.View(), &p.View(), *got);
        down.show();
        down.Tabs()->setCurrentIndex(1);
        QCOMPARE(down.StartButton()->text(), QString("Start Dwnload"));
        p.prompt.Messages.clear();
        p.prompt.Answers = {PromptAnswer::Ok};
        QTest::mouseClick(down.StartButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(down.Driver().Phase() != SequencePhase::Running, kDeadlineMs);
        QCOMPARE(down.Driver().Phase(), SequencePhase::Completed);
        QCOMPARE(p.prompt.Texts(), std::vector<std::string>{"Will receive set data. OK?"});
        QCOMPARE(p.prompt.Messages[0].Title, std::string("reception verification"));
        QCOMPARE(int(got->Modified), 1);
        QCOMPARE(int(got->System.SwitchCnt), 2);
        QCOMPARE(down.DownloadPage()->findChild<QLabel*>()->text(), QString("Exchange No. (1-2):"));  // was 1-1
        for (int i = 1; i < UploadTextCount(2, 0); ++i) QCOMPARE(CarriedText(*got, i), CarriedText(*src, i));
    }

    // The progress window's Cancel, and closing the window mid-upload: the
    // upload stops before the whole installation went and the link is released.
    void cancelOrExitStopsTheUpload() {
        auto src = Populated(16);
        // Numbers that would clash with the specific number for a call are left
        // to the station check's own tests.
        for (int e = 1; e <= 16; ++e)
            for (auto& line : src->Exchange(e).Line) line.TxNumberOnOff = 0;
        QVERIFY2(!CheckStations(*src), StationFaultMessage(CheckStations(*src)).c_str());
        for (const bool viaExit : {false, true}) {
            Program p;
            QVERIFY(p.Start());
            QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
            p.View().Model() = *src;
            CSheetComm sheet(&p.View(), &p.View(), p.View().Model());
            sheet.show();
            p.prompt.Answers = {PromptAnswer::Ok};
            QTest::mouseClick(sheet.StartButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(sheet.Driver().Progress().Count >= 10, kDeadlineMs);
            ProgressWindow* w = p.services.Progress()->Window();
            QVERIFY(w);
            QVERIFY2(w->Text().contains("Transmitting data"), qPrintable(w->Text()));
            QTest::mouseClick(viaExit ? sheet.ExitButton() : w->CancelButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(sheet.Driver().Phase() != SequencePhase::Running, kDeadlineMs);
            QCOMPARE(sheet.Driver().Phase(), SequencePhase::Cancelled);
            QCOMPARE(sheet.isVisible(), !viaExit);
            QVERIFY(sheet.Driver().Progress().Count < UploadTextCount(16, 0));
            QTRY_VERIFY_WITH_TIMEOUT(!p.services.Progress()->Window(), kDeadlineMs);
            QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);  // released
            QTRY_COMPARE_WITH_TIMEOUT(sheet.Driver().InFlight(), 0, kDeadlineMs);
            QCOMPARE(p.prompt.Messages.size(), std::size_t(1));  // the confirmation only
        }
    }

    // The exchanges refuse every text: the message, and the link goes idle again.
    void refusedTransfersShowTheirMessageAndReleaseTheLink() {
        Program p;
        QVERIFY(p.Start({"--nak-every", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        CSheetComm sheet(&p.View(), &p.View(), p.View().Model());
        sheet.show();
        for (const int page : {0, 1}) {
            sheet.Tabs()->setCurrentIndex(page);
            p.prompt.Messages.clear();
            p.prompt.Answers = {PromptAnswer::Ok};
            QTest::mouseClick(sheet.StartButton(), Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(sheet.Driver().Phase() != SequencePhase::Running, kDeadlineMs);
            QCOMPARE(sheet.Driver().Phase(), SequencePhase::Failed);
            QCOMPARE(p.prompt.Texts().back(), std::string(page == 0 ? "Failed to transmit" : "Failed to receive"));
            QCOMPARE(p.prompt.Messages.back().Icon, PromptIcon::Warning);
            QTRY_COMPARE_WITH_TIMEOUT(sheet.Driver().InFlight(), 0, kDeadlineMs);
            QCOMPARE(int(p.Mask()), 0);
            QVERIFY(!p.services.Progress()->Window());
        }
    }

    void singleExchangeNumberIsChecked() {
        struct Case {
            const char* typed;
            bool accepted;
        };
        const Case cases[] = {{"", false}, {"x", false}, {"0", false}, {"3", false}, {"2", true}};
        auto model = MakeSettingData();
        model->System.SwitchCnt = 2;
        RecordingPrompt prompt;
        ScopedAppPrompt scoped(prompt);
        for (const int page : {0, 1}) {
            CSheetComm sheet(nullptr, nullptr, *model);  // no view: an accepted start goes nowhere
            sheet.show();
            sheet.Tabs()->setCurrentIndex(page);
            CPageComSelect* select = page == 0 ? static_cast<CPageComSelect*>(sheet.UploadPage()) : sheet.DownloadPage();
            QCOMPARE(select->findChild<QLabel*>()->text(), QString("Exchange No. (1-2):"));
            select->SingleButton()->setChecked(true);
            for (const Case& c : cases) {
                prompt.Messages.clear();
                prompt.Answers = {PromptAnswer::Cancel};
                select->ExchangeEdit()->setText(c.typed);
                select->ExchangeEdit()->deselect();
                // Enter in the number only moves to the start button; Enter there starts.
                select->ExchangeEdit()->setFocus();
                QTest::keyClick(select->ExchangeEdit(), Qt::Key_Return);
                QVERIFY2(prompt.Messages.empty(), c.typed);
                QCOMPARE(sheet.focusWidget(), sheet.StartButton());
                QTest::keyClick(sheet.StartButton(), Qt::Key_Return);
                QVERIFY2(!prompt.Messages.empty(), c.typed);
                if (c.accepted) {  // the confirmation came; answered Cancel, nothing starts
                    QCOMPARE(prompt.Texts().front(), std::string(page == 0 ? "Will transmit set data. OK?"
                                                                            : "Will receive set data. OK?"));
                    QCOMPARE(sheet.Driver().Phase(), SequencePhase::Idle);
                    QVERIFY(sheet.isVisible());
                    continue;
                }
                QCOMPARE(prompt.Texts(), std::vector<std::string>{"Incorrect exchange No."});
                QCOMPARE(prompt.Messages[0].Icon, PromptIcon::Warning);
                QCOMPARE(sheet.focusWidget(), select->ExchangeEdit());
                QCOMPARE(select->ExchangeEdit()->selectedText(), QString(c.typed));
                QCOMPARE(sheet.Driver().Phase(), SequencePhase::Idle);
            }
        }
    }

    void stationFaultClosesTheSheetAndOpensStations() {
        Program p;
        QVERIFY(p.Start());
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        SettingData& model = p.View().Model();
        model.Exchange(1).Master[0].Number = "1a";
        model.Exchange(1).Master[0].NumberValue = 1;
        QVERIFY(CheckStations(model));
        RegisterUploadDownloadSheet();
        StationFault opened;
        SetStationCheck([](const SettingData& d) { return static_cast<bool>(CheckStations(d)); });
        SetCategoryOpener(Category::Stations, [&](CTR420View& v) { opened = CheckStations(v.Model()); });
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* sheet = dynamic_cast<CSheetComm*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            QPushButton* start = sheet->StartButton();
            QCOMPARE(start->text(), QString("Start Upload"));
            start->click();
            closed = !sheet->isVisible();
        });
        p.View().OpenCategory(Category::UploadDownload);
        QVERIFY(closed);
        QVERIFY(p.prompt.Messages.empty());  // not even the confirmation
        QCOMPARE(opened.Rule, int(kMasterDigitLength));
        QCOMPARE(opened.Exchange, 1);
        QCOMPARE(int(p.Mask()), 0);
        SetCategoryOpener(Category::Stations, nullptr);
        SetCategoryOpener(Category::UploadDownload, nullptr);
        SetStationCheck(nullptr);
        QVERIFY(p.SimLog().find("rx A") == std::string::npos);
    }
};

QTEST_MAIN(SheetCommTest)
#include "SheetCommTest.moc"
