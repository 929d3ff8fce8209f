// The Upload/Download window driven through its buttons with the scripted
// prompt, over the program's transfer path against nx420-sim.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "comm/PageComRx.h"
#include "comm/PageComTx.h"
#include "comm/SheetComm.h"
#include "editors/EditorWindowSupport.h"
#include "editors/SheetStation.h"
#include "editors/StationCheck.h"
#include "support/CarriedText.h"
#include "support/PopulatedSettings.h"
#include "support/ProgramOnSim.h"
#include "support/RecordingPrompt.h"
#include "texts/SettingTextSequence.h"
#include "ui/QtPrompt.h"

namespace {
constexpr int kDeadlineMs = 60000;

// Start pressed on a page, its question to be answered Ok.
void Start(CSheetComm& sheet, RecordingPrompt& prompt, int page) {
    sheet.Tabs()->setCurrentIndex(page);
    prompt.Messages.clear();
    prompt.Answers = {PromptAnswer::Ok};
    QTest::mouseClick(sheet.StartButton(), Qt::LeftButton);
}
}  // namespace

class SheetCommTest : public QObject {
    Q_OBJECT
private slots:
    void uploadThenDownloadThroughTheButtons() {
        ProgramOnSim p;
        QVERIFY(p.Launch({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        auto src = MakeSettingData();
        FillPopulatedSettings(*src, 3);
        src->System.SwitchCnt = 2;
        QVERIFY(!CheckStations(*src));
        p.View().Model() = *src;

        CSheetComm up(&p.View(), p.Link(), p.View().Model());
        up.show();
        QCOMPARE(up.windowTitle(), QString("Upload/Download"));
        QCOMPARE(up.UploadPage()->AllButton()->text(), QString("All "));
        Start(up, p.prompt, 0);
        QTRY_VERIFY_WITH_TIMEOUT(up.Transfer().Phase() != SequencePhase::Running, kDeadlineMs);
        QCOMPARE(p.prompt.Texts(), std::vector<std::string>{"Will transmit set data. OK?"});  // no failure
        QCOMPARE(p.prompt.Messages[0].Title, std::string("Transmission verification"));
        QCOMPARE(p.prompt.Messages[0].Buttons, PromptButtons::OkCancel);
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        up.close();

        // Into a default model, through the download page.
        auto got = MakeSettingData();
        CSheetComm down(&p.View(), p.Link(), *got);
        down.show();
        Start(down, p.prompt, 1);
        QTRY_VERIFY_WITH_TIMEOUT(down.Transfer().Phase() != SequencePhase::Running, kDeadlineMs);
        QCOMPARE(down.StartButton()->text(), QString("Start Dwnload"));
        QCOMPARE(p.prompt.Texts(), std::vector<std::string>{"Will receive set data. OK?"});
        QCOMPARE(p.prompt.Messages[0].Title, std::string("reception verification"));
        QCOMPARE(int(got->Modified), 1);
        QCOMPARE(down.DownloadPage()->findChild<QLabel*>()->text(), QString("Exchange No. (1-2):"));  // was 1-1
        for (int i = 1; i < UploadTextCount(2, 0); ++i) QCOMPARE(CarriedText(*got, i), CarriedText(*src, i));
    }

    void closingStopsTheUploadAndReleasesTheLink() {
        ProgramOnSim p;
        QVERIFY(p.Launch({"--delay", "50"}));  // the upload lasts long enough to be closed
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        FillPopulatedSettings(p.View().Model(), 3);
        p.View().Model().System.SwitchCnt = 2;
        CSheetComm sheet(&p.View(), p.Link(), p.View().Model());
        sheet.show();
        Start(sheet, p.prompt, 0);
        QTRY_VERIFY_WITH_TIMEOUT(sheet.Transfer().Progress().Count >= 3, kDeadlineMs);
        QTest::mouseClick(sheet.ExitButton(), Qt::LeftButton);
        QVERIFY(!sheet.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(sheet.Transfer().Phase() != SequencePhase::Running, kDeadlineMs);
        QCOMPARE(sheet.Transfer().Phase(), SequencePhase::Cancelled);
        QVERIFY(sheet.Transfer().Progress().Count < UploadTextCount(2, 0));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);  // released
        QCOMPARE(p.prompt.Messages.size(), std::size_t(1));  // the confirmation only
    }

    // The exchanges refuse every text, or the port does not open: each page's
    // message, the port's own reason under it.
    void failedTransfersShowTheirMessage() {
        const std::string noPort = "Failed to open the device\n/nonexistent/tty: no such device (open: No such file or directory)";
        const struct {
            std::vector<std::string> sim;
            const char* device;
            std::string upload, download;
        } cases[] = {
            {{"--nak-every", "1"}, "", "Failed to transmit", "Failed to receive"},
            {{}, "/nonexistent/tty", noPort, noPort},
        };
        for (const auto& c : cases) {
            ProgramOnSim p;
            QVERIFY(p.Launch(c.sim, c.device));
            QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
            QVERIFY(p.prompt.Messages.empty());  // a start-up open that failed says nothing
            CSheetComm sheet(&p.View(), p.Link(), p.View().Model());
            sheet.show();
            for (const int page : {0, 1}) {
                Start(sheet, p.prompt, page);
                QTRY_VERIFY_WITH_TIMEOUT(sheet.Transfer().Phase() != SequencePhase::Running, kDeadlineMs);
                QCOMPARE(p.prompt.Texts().back(), page == 0 ? c.upload : c.download);
                QCOMPARE(p.prompt.Messages.back().Icon, PromptIcon::Warning);
                QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);  // released for the next page's turn
            }
        }
    }

    // Enter in the number moves to Start, and Enter there starts: a number out
    // of range is refused with the focus back on it, selected; one in range asks.
    void singleExchangeNumberIsChecked() {
        EditorWindowTest t;  // two exchanges
        RecordingPrompt& prompt = t.prompt;
        for (const int page : {0, 1}) {
            CSheetComm sheet(nullptr, t.link.session, *t.model);
            sheet.show();
            sheet.Tabs()->setCurrentIndex(page);
            CPageComSelect* select =
                page == 0 ? static_cast<CPageComSelect*>(sheet.UploadPage()) : sheet.DownloadPage();
            QCOMPARE(select->findChild<QLabel*>()->text(), QString("Exchange No. (1-2):"));
            select->SingleButton()->setChecked(true);
            for (const char* typed : {"3", "2"}) {
                prompt.Messages.clear();
                prompt.Answers = {PromptAnswer::Cancel};
                select->ExchangeEdit()->setText(typed);
                select->ExchangeEdit()->deselect();
                select->ExchangeEdit()->setFocus();
                QTest::keyClick(select->ExchangeEdit(), Qt::Key_Return);
                QVERIFY(prompt.Messages.empty());
                QCOMPARE(sheet.focusWidget(), sheet.StartButton());
                QTest::keyClick(sheet.StartButton(), Qt::Key_Return);
                if (*typed == '2') {  // the confirmation, answered Cancel: nothing starts
                    QCOMPARE(prompt.Texts().front(), std::string(page == 0 ? "Will transmit set data. OK?"
                                                                            : "Will receive set data. OK?"));
                    QCOMPARE(sheet.Transfer().Phase(), SequencePhase::Idle);
                    continue;
                }
                QCOMPARE(prompt.Texts(), std::vector<std::string>{"Incorrect exchange No."});
                QCOMPARE(prompt.Messages[0].Icon, PromptIcon::Warning);
                QCOMPARE(sheet.focusWidget(), select->ExchangeEdit());
                QCOMPARE(select->ExchangeEdit()->selectedText(), QString("3"));
            }
        }
    }

    void stationFaultClosesTheSheetAndOpensStations() {
        ProgramOnSim p;
        QVERIFY(p.Launch({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        SetStation(p.View().Model().Exchange(1).Master[0], "1a");
        QVERIFY(CheckStations(p.View().Model()));
        std::vector<std::string> seen;
        QTimer driver;  // runs inside each modal window's loop
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (auto* sheet = dynamic_cast<CSheetComm*>(w)) {
                seen.push_back(sheet->StartButton()->text().toStdString());
                sheet->StartButton()->click();
            } else if (auto* stations = dynamic_cast<CSheetStation*>(w)) {
                seen.push_back("stations " + std::to_string(stations->Pages()->currentIndex()) + " " +
                               stations->Selector()->currentText().toStdString());
                stations->CloseButton()->click();
            }
        });
        driver.start(0);
        p.View().OpenCategory(Category::UploadDownload);
        QCOMPARE(seen, (std::vector<std::string>{"Start Upload", "stations 0 1"}));
        QVERIFY(p.prompt.Messages.empty());  // not even the confirmation
        QVERIFY(p.SimLog().find("rx A") == std::string::npos);
    }

    // The exchanges fall silent mid-download: after the requester's 120
    // seconds the message shows in a real box, with the progress window gone
    // under it, and what came in stays in the model.
    void silentExchangesTimeOutAndTheDataStays() {
        ProgramOnSim p;
        QVERIFY(p.Launch({"--silent-after-sent", "20"}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        auto got = MakeSettingData();
        CSheetComm sheet(&p.View(), p.Link(), *got);
        sheet.show();
        Start(sheet, p.prompt, 1);
        QTRY_VERIFY_WITH_TIMEOUT(sheet.Transfer().Progress().Count >= 20, kDeadlineMs);
        const int arrived = sheet.Transfer().Progress().Count;
        QVERIFY(p.ProgressShown());
        QtPrompt boxes;
        SetAppPrompt(&boxes);
        std::string shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->text().toStdString();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the progress window goes now
            box->accept();
        });
        for (int second = 0; second < 120; ++second) sheet.Transfer().Tick();
        SetAppPrompt(&p.prompt);
        QCOMPARE(shown, std::string("Communications time-out"));
        QCOMPARE(sheet.Transfer().Phase(), SequencePhase::Failed);
        QVERIFY(!p.ProgressShown());
        QCOMPARE(int(got->Modified), 1);
        QCOMPARE(sheet.Transfer().Progress().Count, arrived);
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);  // released
    }
};

QTEST_MAIN(SheetCommTest)
#include "SheetCommTest.moc"
