// The transfer path end to end: the program's parts (main window, link
// session, progress window, transfer engine, transfer manager, serial link
// worker) against nx420-sim over a pseudo-terminal.
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "link/MessageEvent.h"
#include "link/SioThread.h"
#include "link/TransferEngine.h"
#include "support/LinkRecorder.h"
#include "support/ProgramOnSim.h"
#include "transfer/SingleRequest.h"
#include "transfer/UploadSequence.h"

namespace {

constexpr int kDeadlineMs = 20000;

// Records, in order, the port's closing, a failed read and the main window's going.
class Order : public QObject {
public:
    std::vector<std::string> seen;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (m && m->Message() == UM_PORT_CLOSED) seen.emplace_back("port closed");
        if (m && m->Message() == UM_COMM_ERROR && m->WParam() == CommErrorReadFailed) seen.emplace_back("read failed");
        if (e->type() == QEvent::Hide && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            seen.emplace_back("window hidden");
        return false;
    }
};

struct Running : ProgramOnSim {
    CSioThread* Sio() { return Link().TransMng() ? Link().TransMng()->Sio() : nullptr; }
    ProgressWindow* Progress() { return program->Link.Progress().Window(); }
};

}  // namespace

class TransferPathTest : public QObject {
    Q_OBJECT
private slots:
    void textsGoOneAfterTheAnswerToTheLastAndNewReopensThePort() {
        Running p;
        QVERIFY(p.Start({}));
        QVERIFY(p.Sio() && p.Sio()->OpenFlag() == 1);
        QVERIFY(p.engine->Start(std::make_unique<UploadSequence>(SmallUploadTexts(3))));
        ProgressWindow* w = p.Progress();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("Transmitting data [0%]"));
        QCOMPARE(w->Text(), QString("Call Forwarding/Time-Out Transmitting data\n\nPlese wait."));
        QCOMPARE(w->CancelButton()->text(), QString("Cancel"));
        QSignalSpy titles(w, &QWidget::windowTitleChanged);
        QCOMPARE(p.Outcome(), int(kTransferDone));
        QCOMPARE(titles.count(), 4);  // 25, 50, 75, 100 %: retitling alone leaves it alone
        QVERIFY(!p.ProgressShown());
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);

        // New replaces the link and opens the port again.
        QSignalSpy oldOneGone(p.Link().TransMng(), &QObject::destroyed);
        QVERIFY(p.View().Doc().OnFileNew(p.prompt));
        QCOMPARE(oldOneGone.count(), 1);
        QCOMPARE(int(p.Mask()), 128);  // the start-up open again
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        QVERIFY(p.engine->Start(std::make_unique<SingleRequest>("A01", false)));
        QCOMPARE(p.Outcome(), int(kTransferDone));
        const std::string log = p.SimLog();
        const auto a = log.find("rx F01"), b = log.find("rx F02"), c = log.find("rx F03"), d = log.find("rx A01");
        QVERIFY(a != std::string::npos && a < b && b < c && c < d && d != std::string::npos);
    }

    void cancelInTheProgressWindowStopsBeforeTheNextText() {
        Running p;
        QVERIFY(p.Start({"--delay", "200"}));
        QVERIFY(p.engine->Start(std::make_unique<UploadSequence>(SmallUploadTexts(3))));
        QTest::mouseClick(p.Progress()->CancelButton(), Qt::LeftButton);
        QCOMPARE(p.Outcome(), int(kTransferCancelled));
        QVERIFY(!p.ProgressShown());
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(p.engine->InFlight(), 0, kDeadlineMs);
        const std::string log = p.SimLog();
        QVERIFY(log.find("rx F01") != std::string::npos);
        QVERIFY(log.find("rx F02") == std::string::npos);
    }

    // The next text waits in the link's queue while the current one is sent:
    // when the exchange refuses the current one, the next never goes out.
    void aFailedTextKeepsTheOneQueuedBehindItOffTheLine() {
        Running p;
        QVERIFY(p.Start({"--nak-text", "2", "--nak-text", "3", "--nak-text", "4", "--nak-text", "5"}));
        QVERIFY(p.engine->Start(std::make_unique<UploadSequence>(SmallUploadTexts(3))));
        QCOMPARE(p.Outcome(), int(kTransferFailed));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        const std::string log = p.SimLog();
        const auto refused = log.find("rx F02");
        QVERIFY(refused != std::string::npos && log.find("NAK (fault)", refused) != std::string::npos);
        QVERIFY(log.find("rx F03") == std::string::npos);
    }

    // An exchange's status text ends the transfer under way with its closing
    // release, so the link is idle again (a modem line would hang up).
    void statusTextEndsTheTransferAndReleasesTheLink() {
        Running p;
        QVERIFY(p.Start({"--status", "1:01:0"}));
        QVERIFY(p.engine->Start(std::make_unique<UploadSequence>(SmallUploadTexts(8))));
        QCOMPARE(p.Outcome(), int(kTransferCancelled));
        QCOMPARE(p.prompt.Texts(), std::vector<std::string>{"Exchange No.  1\nNow receiving data so you can't send "});
        QCOMPARE(p.prompt.Messages[0].Icon, PromptIcon::Warning);
        QVERIFY(!p.ProgressShown());
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(p.engine->InFlight(), 0, kDeadlineMs);
    }

    void aStatusTextArrivingUnaskedIsShown() {
        Running p;
        QVERIFY(p.Start({"--status-at", "200:02:1"}));
        QTRY_COMPARE_WITH_TIMEOUT(p.prompt.Texts(), std::vector<std::string>{"Exchange No.  2\nCommunication Error"},
                                  kDeadlineMs);
    }

    // An answer still on its way when a run gave up must not be taken for the
    // answer to the next run's first text.
    void aLateAnswerReachesOnlyItsOwnRun() {
        LinkRecorder link;
        TransferEngine engine(link.session);
        auto run = [&](const char* text) { QVERIFY(engine.Start(std::make_unique<SingleRequest>(text, false))); };
        run("O00");
        for (int second = 0; second < 120; ++second) engine.Tick();
        QCOMPARE(engine.Outcome(), int(kTransferFailed));
        run("P00");
        QVERIFY(link.Answer(kTransferDone));  // O00's
        QVERIFY(link.Answer(kTransferDone));  // the time-out's release
        QVERIFY(engine.Running());
        QVERIFY(link.Answer(kTransferDone));
        QCOMPARE(engine.Phase(), SequencePhase::Completed);
        QCOMPARE(link.Requests, (std::vector<std::string>{"O00", "release/1", "P00"}));
    }

    void exitClosesThePortBeforeTheWindowEvenWithTheDeviceGone() {
        for (const bool deviceGone : {false, true}) {
            Running p;
            QVERIFY(p.Start({}));
            Order order;
            p.Link().installEventFilter(&order);
            p.Frame().installEventFilter(&order);
            if (deviceGone) {
                p.sim.Stop();  // the far end goes away under the open port
                QTRY_COMPARE_WITH_TIMEOUT(order.seen, std::vector<std::string>{"read failed"}, kDeadlineMs);
            }
            QVERIFY(!p.Frame().close());  // waits for the port
            QCOMPARE(int(p.Mask()), 64);
            QTRY_VERIFY_WITH_TIMEOUT(!p.Frame().isVisible(), kDeadlineMs);
            std::vector<std::string> expected{"port closed", "window hidden"};
            if (deviceGone) expected.insert(expected.begin(), "read failed");
            QCOMPARE(order.seen, expected);
            p.engine.reset();
            p.program.reset();  // ends the transfer manager
        }
    }
};

QTEST_MAIN(TransferPathTest)
#include "TransferPathTest.moc"
