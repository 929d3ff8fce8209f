// The modem link end to end: the PC Port editor switches the program to the
// modem, and transfers dial nx420-sim in its modem mode, run over the call and
// hang up; a failed dial and a lost carrier end as failures the user sees.
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "app/ShellState.h"
#include "editors/DlgPcPort.h"
#include "link/MdmThread.h"
#include "link/TransferEngine.h"
#include "model/SettingsFile.h"
#include "support/ProgramOnSim.h"
#include "transfer/UploadSequence.h"

namespace {

constexpr int kDeadlineMs = 30000;

struct OnModem : ProgramOnSim {
    std::vector<std::string> shown;  // what the transfer told the user

    bool Start(const std::vector<std::string>& simOptions) {
        const bool started = ProgramOnSim::Start(simOptions);
        if (engine) engine->OnMessage = [this](std::string_view m, std::string_view) { shown.emplace_back(m); };
        return started;
    }
    // The settings say modem from now on, as the PC Port editor leaves them.
    void UseModem(const char* telNo) {
        program->State.Model->Maintenance.PcConnect = 1;
        program->State.Model->Maintenance.TelNo.Set(telNo);
        View().Doc().RestartLink();
    }
    CMdmThread* Mdm() { return Link().TransMng() ? Link().TransMng()->Mdm() : nullptr; }
    int Upload(int texts) {
        return engine->Start(std::make_unique<UploadSequence>(SmallUploadTexts(texts))) ? Outcome() : -1;
    }
    bool HungUp() {
        return QTest::qWaitFor([&] { return Mask() == 0 && Mdm() && Mdm()->CallState() == ModemCall::State::Idle; },
                               kDeadlineMs);
    }
};

}  // namespace

class ModemLinkTest : public QObject {
    Q_OBJECT
private slots:
    void portEditorSwitchesToTheModemAndAnUploadDialsOnceAndHangsUp() {
        OnModem p;
        QVERIFY(p.Start({"--modem", "--connect-delay", "200"}));
        QVERIFY(p.Link().TransMng()->Sio());
        bool restarted = false;
        CDlgPcPort dialog(&p.Frame(), EditorContext{p.View().Model(), {}, &p.Link()},
                          PcPortHooks{[&] { return BusyGuard(p.program->State, p.prompt) != 0; },
                                      [&] { restarted = true, p.View().Doc().RestartLink(); }});
        dialog.show();
        dialog.MethodButton(1)->click();
        QVERIFY(!dialog.PortButton(0)->isEnabled() && dialog.TelNoEdit()->isEnabled());
        dialog.TelNoEdit()->clear();
        QTest::keyClicks(dialog.TelNoEdit(), "0-123-4567");
        dialog.OverwriteButton()->click();
        QVERIFY(restarted);
        QCOMPARE(int(p.View().Model().Modified), 1);
        QVERIFY(p.Mdm() && !p.Link().TransMng()->Sio());
        QCOMPARE(p.Mdm()->CallState(), ModemCall::State::Idle);  // no dial before a request
        dialog.close();

        QCOMPARE(p.Upload(3), int(kTransferDone));
        QVERIFY(p.HungUp());
        const std::string log = p.SimLog();
        QCOMPARE(QString::fromStdString(log).count("modem: dial 0,123,4567"), 1);  // the texts went over one call
        QVERIFY2(log.find("rx F03") < log.find("modem: escape") &&
                     log.find("modem: escape") < log.find("modem: hung up (ATH)") &&
                     log.find("modem: hung up (ATH)") != std::string::npos,
                 log.c_str());
    }

    void aDialThatFailsSaysFailedToOpenTheDevice() {
        const struct {
            std::vector<std::string> sim;
            const char* telNo;
            const char* why;
        } cases[] = {
            {{"--modem", "--modem-busy"}, "12", "modem: the call failed: BUSY"},
            {{"--modem", "--modem-no-answer"}, "12", "modem: the call failed: NO ANSWER"},
            {{"--modem"}, "", "modem: no telephone number is set"},
        };
        for (const auto& c : cases) {
            OnModem p;
            QVERIFY(p.Start(c.sim));
            p.UseModem(c.telNo);
            QCOMPARE(p.Upload(1), int(kTransferOpenFailed));
            QCOMPARE(p.shown, std::vector<std::string>{kFailedToOpenDeviceText});
            QCOMPARE(p.Link().PortError(), std::string(c.why));
            QVERIFY(p.HungUp());
        }
    }

    // The carrier drops, or the modem goes away, mid-upload.
    void aLostCallEndsInTheTimeOutAndAShownFailure() {
        for (const bool killed : {false, true}) {
            OnModem p;
            QVERIFY(p.Start({"--modem", "--modem-drop-after", killed ? "1000" : "2"}));
            p.UseModem("5");
            QVERIFY(p.engine->Start(std::make_unique<UploadSequence>(SmallUploadTexts(6))));
            if (killed) {
                QVERIFY(QTest::qWaitFor([&] { return p.engine->Progress().Count >= 2; }, kDeadlineMs));
                p.sim.Stop();
            }
            // A modem gone between two texts fails the next one's dial instead.
            const int outcome = p.Outcome();
            QVERIFY2(outcome == kTransferFailed || (killed && outcome == kTransferOpenFailed), killed ? "killed" : "dropped");
            QCOMPARE(p.shown.size(), std::size_t{1});
            QVERIFY(p.HungUp());
            const std::string log = p.SimLog();
            QCOMPARE(QString::fromStdString(log).count("rx F06"), 0);
            if (!killed) QVERIFY2(log.find("modem: hung up (carrier dropped)") != std::string::npos, log.c_str());
        }
    }

    // nx420ctl takes the method and the number from NX420.txt in its folder.
    void nx420ctlUploadsOverTheModem() {
        TempDir dir(false);
        SimProcess sim;
        QVERIFY(sim.Start(NX420_SIM_PROGRAM, {"--modem"}, dir.File("sim.log")));
        RecordingPrompt prompt;
        auto data = MakeSettingData();
        data->Maintenance.PcConnect = 1;
        data->Maintenance.TelNo.Set("7-7");
        QVERIFY(WriteSettingsFile(*data, dir.File("NX420.txt"), prompt));
        QProcess ctl;
        ctl.setWorkingDirectory(QString::fromStdString(dir.Path()));
        ctl.start(NX420_CTL_PROGRAM, {"--modem", QString::fromStdString(sim.Path()), "--exchange", "1", "upload",
                                      QString::fromStdString(dir.File("NX420.txt"))});
        QVERIFY(ctl.waitForFinished(120000));
        QCOMPARE(ctl.exitCode(), 0);
        QVERIFY2(ctl.readAllStandardOutput().contains("100%"), "no complete upload");
        sim.Stop();
        const std::string log = ReadWholeFile(dir.File("sim.log"));
        QCOMPARE(QString::fromStdString(log).count("modem: dial 7,7"), 1);
        QVERIFY2(log.find("modem: hung up (ATH)") != std::string::npos, log.c_str());
    }
};

QTEST_MAIN(ModemLinkTest)
#include "ModemLinkTest.moc"
