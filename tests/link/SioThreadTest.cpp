// CSioThread against nx420-sim over a pseudo-terminal, and without a device:
// what it tells the link session, in order.
#include <QTimer>
#include <QtTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SimProcess.h"
#include "link/MessageEvent.h"
#include "link/SioThread.h"
#include "support/TempDir.h"

namespace {

constexpr int kDeadlineMs = 20000;

// Writes down every message as "<name> <code in hex> <request or reason>".
class Recorder : public QObject {
public:
    QStringList got;

protected:
    bool event(QEvent* e) override {
        static const std::map<int, QString> names{{UM_PORT_OPENED, "opened"},    {UM_PORT_CLOSED, "closed"},
                                                  {UM_SEND_DONE, "done"},        {UM_RECEIVE_DATA, "data"},
                                                  {UM_CHANNEL_RESET, "reset"},   {UM_COMM_ERROR, "error"}};
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        std::string text;
        if (auto request = m->Take<LinkRequest>()) text = request->LinkText();
        else if (auto why = m->Take<std::string>()) text = *why;
        got << QString("%1 %2 %3").arg(names.at(m->Message())).arg(m->WParam(), 0, 16).arg(text.c_str()).trimmed();
        return true;
    }
};

// A worker with its view, queues and tick, COM1 mapped onto the simulator
// started with options, or onto device when one is given.
struct Rig {
    TempDir dir;
    SimProcess sim;
    Recorder view;
    LinkSendQueues queues;
    std::unique_ptr<CSioThread> sio;
    QTimer tick;
    bool Start(const std::vector<std::string>& options, const std::string& device = {}) {
        if (device.empty() && !sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log"))) return false;
        SerialDeviceMap map;
        map.Set(0, device.empty() ? sim.Path() : device);
        sio = std::make_unique<CSioThread>(&view, queues, map);
        QObject::connect(&tick, &QTimer::timeout, [this] { sio->Tick(); });
        tick.start(100);
        return sio->Start() && sio->Open("COM1") == device.empty();
    }
    void Send(const std::string& text) {
        queues.Push(0, std::make_unique<TextLinkRequest>(text));
        sio->RequestQueued();
    }
};

}  // namespace

class SioThreadTest : public QObject {
    Q_OBJECT
private slots:
    void missingDeviceFailsToOpenAndClosesAtOnce() {
        Rig rig;
        QVERIFY(rig.Start({}, "/nonexistent/tty"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.got.size(), 1, kDeadlineMs);
        QCOMPARE(rig.sio->TransitionFlag(), int(CSioThread::OpenFailed));
        QVERIFY(!rig.sio->Open("COM7"));  // names no device
        rig.sio->Close();
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.got,
                                  (QStringList{"error 8200 /nonexistent/tty: no such device (open: No such file or "
                                               "directory)",
                                               "error 8200 COM7: no device is mapped to it", "closed 0"}),
                                  kDeadlineMs);
        rig.sio->Quit();
        QVERIFY(rig.sio->Wait(2000));
    }

    // Open again on an open port is told again, not done again; a refused text
    // comes back after its retries and leaves the port open.
    void retriesRunOutAndThePortStaysOpen() {
        Rig rig;
        QVERIFY(rig.Start({"--nak-every", "1"}));
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.got, QStringList{"opened 0"}, kDeadlineMs);
        QVERIFY(rig.sio->Open("COM1"));
        rig.Send("A01");
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.got, (QStringList{"opened 0", "opened 0", "error 8401 A01"}), kDeadlineMs);
        QCOMPARE(rig.sio->OpenFlag(), 1);
        rig.sim.Stop();
        QCOMPARE(QString::fromStdString(ReadWholeFile(rig.dir.File("sim.log"))).count("rx A01 NAK (fault)"), 4);
        rig.sio->Close();
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.got.back(), QString("closed 0"), kDeadlineMs);
        QCOMPARE(rig.sio->OpenFlag(), 0);
    }

    void resetReturnsTheRequestInFlight() {
        Rig rig;
        QVERIFY(rig.Start({"--silent-after", "0"}));
        rig.Send("A01");
        QTRY_COMPARE_WITH_TIMEOUT(rig.queues.Size(0), std::size_t(0), kDeadlineMs);  // taken into the send slot
        rig.sio->ResetChannel(0);
        QTRY_COMPARE_WITH_TIMEOUT(rig.view.got, (QStringList{"opened 0", "reset 1 A01"}), kDeadlineMs);
    }
};

QTEST_GUILESS_MAIN(SioThreadTest)
#include "SioThreadTest.moc"
