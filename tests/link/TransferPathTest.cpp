// The transfer path end to end: the main window with the link services, the
// send routine, the progress window, the transfer manager and the serial link
// worker against nx420-sim over a pseudo-terminal; nx420ctl send in-process.
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "CtlSend.h"
#include "SimProcess.h"
#include "link/MessageEvent.h"
#include "protocol/ReceivedBlock.h"
#include "link/SendRoutine.h"
#include "link/SioThread.h"
#include "editors/EditorTransfer.h"
#include "app/LinkServices.h"
#include "app/MainFrame.h"
#include "support/ProgramOnSim.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {

constexpr int kDeadlineMs = 20000;
const std::string kReceivingWarning = "Exchange No.  1\nNow receiving data so you can't send ";

// A requester window: keeps every result code and the text that came with it.
class Requester : public QObject {
public:
    std::vector<int> codes;
    std::vector<std::string> texts;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        codes.push_back(static_cast<int>(m->WParam()));
        if (auto r = m->Take<TransferRequest>()) texts.emplace_back(r->Text);
        else if (auto b = m->Take<ReceivedBlock>()) texts.emplace_back(b->Text());
        else texts.emplace_back();
        return true;
    }
};

// Records, in order, the port's closing as the view sees it and the main
// window's going away.
class Sequence : public QObject {
public:
    std::vector<std::string> seen;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (static_cast<int>(e->type()) == UM_PORT_CLOSED) seen.emplace_back("port closed");
        if (auto* m = dynamic_cast<MessageEvent*>(e); m && m->Message() == UM_COMM_ERROR && m->WParam() == 0x8500)
            seen.emplace_back("read failed");
        if (e->type() == QEvent::Hide && o->isWidgetType() && static_cast<QWidget*>(o)->isWindow())
            seen.emplace_back("window hidden");
        return false;
    }
};

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
    return s;
}

struct Program : ProgramOnSim {
    Requester requester;

    // Starts the simulator (unless device is given) and the main window with COM1 on it.
    bool Start(const std::vector<std::string>& simOptions, const std::string& device = {}) {
        return Launch(simOptions, device);
    }
    CSioThread* Sio() { return services.Link() && services.Link()->TransMng() ? services.Link()->TransMng()->Sio() : nullptr; }
    ProgressWindow* Progress() { return services.Progress() ? services.Progress()->Window() : nullptr; }
    SendOutcome Send(const std::string& text, int mode, bool first, std::uint8_t bits = 2, int total = 2) {
        TransferHeader h;
        h.Requester = &requester;
        h.SetBits = bits;
        h.ClearBits = bits;
        return SendText(&View(), h, mode, total, first, text);
    }
};

}  // namespace

class TransferPathTest : public QObject {
    Q_OBJECT
private slots:
    void acknowledgedTextsReturnZeroAndTheProgressFollows() {
        Program p;
        QVERIFY(p.Start({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);  // the start-up open is done
        QVERIFY(p.Sio() && p.Sio()->OpenFlag() == 1);

        p.Send("A01", kSendOpenProgress, true);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes.size(), std::size_t(1), kDeadlineMs);
        QCOMPARE(p.requester.codes[0], 0);
        QCOMPARE(p.requester.texts[0], std::string("A01"));
        QCOMPARE(int(p.Mask()), 0);  // its bits went with it
        ProgressWindow* w = p.Progress();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("Transmitting data [0%]"));
        QCOMPARE(w->Text(), QString("Global Setting Transmitting data\n\nPlese wait."));
        QCOMPARE(w->CancelButton()->text(), QString("Cancel"));

        QSignalSpy titles(w, &QWidget::windowTitleChanged);
        PostProgressStep(&p.View());
        p.Send("B01", kSendRetitle, false);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes.size(), std::size_t(2), kDeadlineMs);
        QCOMPARE(w->windowTitle(), QString("Transmitting data [50%]"));
        QCOMPARE(w->Text(), QString("Master Stations (Telephones) Transmitting data\n\nPlese wait."));
        PostProgressStep(&p.View());
        QTRY_COMPARE_WITH_TIMEOUT(w->Position(), 2, kDeadlineMs);
        QCOMPARE(w->windowTitle(), QString("Transmitting data [100%]"));
        QCOMPARE(titles.count(), 2);  // retitling alone left the window title alone

        PostProgressEnd(&p.View());
        QTRY_VERIFY_WITH_TIMEOUT(!p.Progress(), kDeadlineMs);
    }

    void newReplacesTheLinkAndReopensThePort() {
        Program p;
        QVERIFY(p.Start({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        QSignalSpy oldOneGone(p.services.Link()->TransMng(), &QObject::destroyed);
        QVERIFY(p.View().Doc().OnFileNew(p.prompt));
        QCOMPARE(oldOneGone.count(), 1);
        QVERIFY(p.services.Link()->TransMng());
        QCOMPARE(int(p.Mask()), 128);  // the start-up open again
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        p.Send("A01", kSendNoProgress, false);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes, std::vector<int>{0}, kDeadlineMs);
    }

    void percentageOnlyRewritesWhenItChanges() {
        ProgressWindow w;
        w.Reset(kProgressReceiving, "Start Dwnload", 300);
        QCOMPARE(w.windowTitle(), QString("Receiving data [0%]"));
        QSignalSpy titles(&w, &QWidget::windowTitleChanged);
        w.Step();
        w.Step();
        QCOMPARE(titles.count(), 0);  // still 0 %
        w.Step();
        QCOMPARE(w.windowTitle(), QString("Receiving data [1%]"));
        w.Reset(kProgressPrinting, "Paging", 0);  // no total: 0 %
        w.Step();
        QCOMPARE(w.windowTitle(), QString("Printing [0%]"));
        QCOMPARE(w.Text(), QString("Paging Printing\n\nPlese wait."));
    }

    void retriesRunOutWithCodeOneAndThePortStaysOpen() {
        Program p;
        QVERIFY(p.Start({"--nak-every", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        p.Send("A01", kSendNoProgress, false);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes, std::vector<int>{1}, kDeadlineMs);
        QCOMPARE(int(p.Mask()), 0);
        QCOMPARE(p.Sio()->OpenFlag(), 1);
    }

    void missingDeviceGivesCodeTwo() {
        Program p;
        QVERIFY(p.Start({}, "/nonexistent/tty"));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);  // the start-up open failed silently
        QVERIFY(p.prompt.Messages.empty());
        p.Send("A01", kSendNoProgress, false);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes, std::vector<int>{2}, kDeadlineMs);
        QCOMPARE(int(p.Mask()), 0);

        // nx420ctl send, a requester that shows the message.
        RecordingPrompt ctlPrompt;
        ConnectionOptions connection;
        connection.Ports[0] = "/nonexistent/tty";
        QCOMPARE(CtlSend("A01", connection, ctlPrompt, stdout), 1);
        QCOMPARE(ctlPrompt.Texts(), std::vector<std::string>{"Failed to open the device"});
    }

    void ctlSendIsAcknowledged() {
        TempDir dir(true);
        SimProcess sim;
        QVERIFY(sim.Start(NX420_SIM_PROGRAM, {}, dir.File("sim.log")));
        RecordingPrompt prompt;
        ConnectionOptions connection;
        connection.Ports[0] = sim.Path();
        QCOMPARE(CtlSend("A01", connection, prompt, stdout), 0);
        QVERIFY(prompt.Messages.empty());
        sim.Stop();
        QVERIFY(ReadWholeFile(dir.File("sim.log")).find("rx A01") != std::string::npos);
    }

    void cancelBeforeTheNextTextReturnsCodeFour() {
        Program p;
        QVERIFY(p.Start({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        p.Send("A01", kSendOpenProgress, true);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes, std::vector<int>{0}, kDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(p.Progress(), kDeadlineMs);
        QTest::mouseClick(p.Progress()->CancelButton(), Qt::LeftButton);
        QVERIFY(InterruptionFlag().load());
        QCOMPARE(p.Send("B01", kSendRetitle, false), SendOutcome::Cancelled);
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes, (std::vector<int>{0, 4}), kDeadlineMs);
        QCOMPARE(p.requester.texts[1], std::string());  // the cancel's release record
        QVERIFY(!p.Progress());
        QCOMPARE(int(p.Mask()), 0);
        p.sim.Stop();
        QVERIFY(ReadWholeFile(p.dir.File("sim.log")).find("rx B01") == std::string::npos);
    }

    void statusTextClosesTheProgressAndStopsTransferWindows() {
        Program p;
        QVERIFY(p.Start({"--status", "1:01:0"}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        Requester sheet;
        RegisterSettingReceiver(&sheet);
        p.Send("A01", kSendOpenProgress, true);
        QTRY_COMPARE_WITH_TIMEOUT(p.prompt.Texts(), std::vector<std::string>{kReceivingWarning}, kDeadlineMs);
        QCOMPARE(p.prompt.Messages[0].Icon, PromptIcon::Warning);
        QVERIFY(!p.Progress());
        QVERIFY(InterruptionFlag().load());
        QCOMPARE(sheet.codes, std::vector<int>{4});
        QCOMPARE(p.requester.codes, std::vector<int>{0});
    }

    void textsArrivingUnaskedAreDispatched() {
        Program p;
        QVERIFY(p.Start({"--status-at", "200:02:1", "--rate", "50"}));
        QTRY_COMPARE_WITH_TIMEOUT(p.prompt.Texts(), std::vector<std::string>{"Exchange No.  2\nCommunication Error"},
                                  kDeadlineMs);
        InterruptionFlag() = false;  // as the next progress window would
        // Setting texts to the registered upload/download window, log texts to their hook.
        Requester sheet;
        RegisterSettingReceiver(&sheet);
        std::vector<std::string> logs;
        p.services.OnLogData = [&](std::unique_ptr<ReceivedBlock> b) { logs.emplace_back(b->Text()); };
        p.Send("Q01", kSendNoProgress, false);
        QTRY_VERIFY_WITH_TIMEOUT(sheet.codes.size() >= 5, kDeadlineMs);
        for (std::size_t i = 0; i < sheet.codes.size(); ++i) {
            QCOMPARE(sheet.codes[i], 3);
            QCOMPARE(ClassifyReceivedText(sheet.texts[i]), ReceivedTextKind::SettingData);
        }
        p.Send("O00" + std::string("1") + std::string(15, '0'), kSendNoProgress, false);
        QTRY_VERIFY_WITH_TIMEOUT(logs.size() >= 2, kDeadlineMs);
        QCOMPARE(logs[0][0], 'o');
        RegisterSettingReceiver(nullptr);
    }

    void editorUploadSendsEachTextAfterTheLast() {
        Program p;
        QVERIFY(p.Start({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        std::vector<EncodedText> texts(3);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string t = "F0" + std::to_string(i + 1) + std::string(8, '0');
            texts[i].Length = static_cast<uint32_t>(t.size());
            t.copy(texts[i].Text, t.size());
        }
        QVERIFY(AppEditorTransfer().Send(&p.requester, "Call Forwarding/Time-Out", texts));
        QTRY_COMPARE_WITH_TIMEOUT(p.requester.codes, std::vector<int>{0}, kDeadlineMs);
        QTRY_COMPARE_WITH_TIMEOUT(p.Progress() ? p.Progress()->Position() : -1, 3, kDeadlineMs);
        QCOMPARE(p.Progress()->windowTitle(), QString("Transmitting data [100%]"));
        AppEditorTransfer().Release();
        AppEditorTransfer().EndProgress(true);
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(!p.Progress(), kDeadlineMs);
        QCOMPARE(p.requester.codes, std::vector<int>{0});  // the release's answer is not the editor's
        p.sim.Stop();
        const std::string log = ReadWholeFile(p.dir.File("sim.log"));
        const auto a = log.find("rx F01"), b = log.find("rx F02"), c = log.find("rx F03");
        QVERIFY(a != std::string::npos && a < b && b < c && c != std::string::npos);
    }

    void exitClosesThePortBeforeTheWindowEvenWithTheDeviceGone() {
        for (const bool deviceGone : {false, true}) {
            Program p;
            QVERIFY(p.Start({}));
            QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
            Sequence order;
            p.View().installEventFilter(&order);
            p.frame->installEventFilter(&order);
            if (deviceGone) {
                p.sim.Stop();  // the far end goes away under the open port
                QTRY_COMPARE_WITH_TIMEOUT(order.seen, std::vector<std::string>{"read failed"}, kDeadlineMs);
            }
            QVERIFY(!p.frame->close());  // waits for the port
            QCOMPARE(int(p.Mask()), 64);
            QTRY_VERIFY_WITH_TIMEOUT(!p.frame->isVisible(), kDeadlineMs);
            QCOMPARE(QString::fromStdString(Joined(order.seen)),
                     QString(deviceGone ? "read failed, port closed, window hidden" : "port closed, window hidden"));
            p.frame.reset();  // ends the transfer manager
            QVERIFY(!p.services.Link()->TransMng());
        }
    }

    void exitStopsLogReadingAtTheExchangesFirst() {
        Program p;
        QVERIFY(p.Start({}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        p.View().State().LogReadingActive = true;
        p.prompt.Answers = {PromptAnswer::Yes};
        QVERIFY(!p.frame->close());  // the stop request is on its way
        QTRY_VERIFY_WITH_TIMEOUT(!p.frame->isVisible(), kDeadlineMs);
        QCOMPARE(p.prompt.Texts(), std::vector<std::string>{"Reading log data. Will stop reading."});
        QVERIFY(!p.View().State().LogReadingActive);
        p.sim.Stop();
        QVERIFY(ReadWholeFile(p.dir.File("sim.log")).find("rx O00" + std::string(16, '0')) != std::string::npos);
    }
};

QTEST_MAIN(TransferPathTest)
#include "TransferPathTest.moc"
