// CSioThread against nx420-sim over a pseudo-terminal, and without a device.
#include <QTimer>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "link/MessageEvent.h"
#include "link/SioThread.h"
#include "support/TempDir.h"

namespace {

constexpr int kDeadlineMs = 20000;

struct Received {
    int message;
    qintptr code;
    std::string text;  // of the request or block that came along
};

class Recorder : public QObject {
public:
    std::vector<Received> got;
    int Count(int message, qintptr code = -1) const {
        int n = 0;
        for (const auto& r : got) n += r.message == message && (code < 0 || r.code == code);
        return n;
    }
    const Received* Find(int message) const {
        for (const auto& r : got)
            if (r.message == message) return &r;
        return nullptr;
    }

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        Received r{m->Message(), m->WParam(), {}};
        if (auto request = m->Take<LinkRequest>()) r.text = std::string(request->LinkText());
        else if (auto block = m->Take<ReceivedBlock>()) r.text = std::string(block->Text());
        got.push_back(r);
        return true;
    }
};

// One worker with its view, queues and tick, mapped COM1 onto path.
struct Rig {
    Recorder view;
    LinkSendQueues queues;
    CSioThread sio;
    QTimer tick;
    explicit Rig(const std::string& path) : sio(&view, queues, Map(path)) {
        QObject::connect(&tick, &QTimer::timeout, [this] { sio.Tick(); });
        tick.start(100);
        sio.Start();
    }
    static SerialDeviceMap Map(const std::string& path) {
        SerialDeviceMap m;
        m.Set(0, path);
        return m;
    }
    void Send(const std::string& text) {
        queues.Push(0, std::make_unique<TextLinkRequest>(text));
        sio.RequestQueued();
    }
};

// A simulator with the given options, its log in a scratch folder, and a
// worker whose COM1 is opened on it.
struct SimRig {
    TempDir dir;
    SimProcess sim;
    std::unique_ptr<Rig> rig;
    bool Start(const std::vector<std::string>& options) {
        if (!sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log"))) return false;
        rig = std::make_unique<Rig>(sim.Path());
        return rig->sio.Open("COM1");
    }
};

}  // namespace

class SioThreadTest : public QObject {
    Q_OBJECT
private slots:
    void missingDeviceFailsToOpen() {
        Rig rig("/nonexistent/tty");
        QVERIFY(!rig.sio.Open("COM1"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_COMM_ERROR, 0x8200), 1, kDeadlineMs);
        QCOMPARE(rig.sio.TransitionFlag(), int(CSioThread::OpenFailed));
        QVERIFY(!rig.sio.Open("COM7"));  // names no device
        rig.sio.Close();                 // not open: closed at once
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_PORT_CLOSED), 1, kDeadlineMs);
        rig.sio.Quit();
        QVERIFY(rig.sio.Wait(2000));
    }

    void sendsAndReceivesTexts() {
        SimRig s;
        QVERIFY(s.Start({"--exchanges", "2", "--rate", "20"}));
        Rig& rig = *s.rig;
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_PORT_OPENED), 1, kDeadlineMs);
        QVERIFY(rig.sio.Open("COM1"));  // already open: told again, not reopened
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_PORT_OPENED), 2, kDeadlineMs);

        rig.Send("A01");
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_SEND_DONE, 0x0101), 1, kDeadlineMs);
        QCOMPARE(rig.view.Find(UM_SEND_DONE)->text, std::string("A01"));

        rig.Send("O00" + std::string("11") + std::string(14, '0'));
        auto logTexts = [&] {
            int n = 0;
            for (const auto& r : rig.view.got) n += r.message == UM_RECEIVE_DATA && r.code == 0x0201 && r.text[0] == 'o';
            return n;
        };
        QTRY_VERIFY_WITH_TIMEOUT(logTexts() >= 4, kDeadlineMs);

        rig.sio.Close();
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_PORT_CLOSED), 1, kDeadlineMs);
        QCOMPARE(rig.sio.OpenFlag(), 0);
        rig.sio.Quit();
        QVERIFY(rig.sio.Wait(2000));
    }

    void retriesRunOutAndPortStaysOpen() {
        SimRig s;
        QVERIFY(s.Start({"--nak-every", "1"}));
        Rig& rig = *s.rig;
        rig.Send("A01");
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_COMM_ERROR, 0x8401), 1, kDeadlineMs);
        QCOMPARE(rig.view.Find(UM_COMM_ERROR)->text, std::string("A01"));
        QCOMPARE(rig.sio.OpenFlag(), 1);
        s.sim.Stop();
        QVERIFY(QString::fromStdString(ReadWholeFile(s.dir.File("sim.log"))).count("rx A01 NAK (fault)") == 4);
    }

    void resetReturnsTheRequestInFlight() {
        SimRig s;
        QVERIFY(s.Start({"--silent-after", "0"}));
        Rig& rig = *s.rig;
        rig.Send("A01");
        QTRY_COMPARE_WITH_TIMEOUT(rig.queues.Size(0), std::size_t(0), kDeadlineMs);  // taken into the send slot
        rig.sio.ResetChannel(0);
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_CHANNEL_RESET, 1), 1, kDeadlineMs);
        QCOMPARE(rig.view.Find(UM_CHANNEL_RESET)->text, std::string("A01"));
        QCOMPARE(rig.view.Count(UM_COMM_ERROR), 0);
    }

    void lineGoneReportsReadFailureAndQuitsPromptly() {
        SimRig s;
        QVERIFY(s.Start({}));
        Rig& rig = *s.rig;
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_PORT_OPENED), 1, kDeadlineMs);
        s.sim.Stop();  // the far end goes away under the open port
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_COMM_ERROR, 0x8500), 1, kDeadlineMs);
        rig.sio.Close();
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.Count(UM_PORT_CLOSED), 1, kDeadlineMs);
        QCOMPARE(rig.view.Count(UM_COMM_ERROR, 0x8500), 1);  // once per run of failed reads
        rig.sio.Quit();
        QVERIFY(rig.sio.Wait(1000));
    }
};

QTEST_GUILESS_MAIN(SioThreadTest)
#include "SioThreadTest.moc"
