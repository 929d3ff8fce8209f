// The editors' Upload: the order of its messages against a stand-in view, and
// end to end through the program's own link to nx420-sim: a time-out releases
// the link and the late answer ends nothing early.
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "editors/EditorTestModel.h"
#include "SimProcess.h"
#include "link/MessageEvent.h"
#include "editors/DlgSystem.h"
#include "transfer/EditorUpload.h"
#include "support/ProgramOnSim.h"

namespace {

constexpr int kDeadlineMs = 30000;
using Strings = std::vector<std::string>;

std::string Joined(const Strings& v) {
    std::string s;
    for (const auto& x : v) s += (s.empty() ? "" : ", ") + x;
    return s;
}

QString Shown(const Strings& v) { return QString::fromStdString(Joined(v)); }

// Stands in for the main view: logs what the upload posts to it and keeps
// the last request, to be answered by the test.
class FakeView : public QObject {
public:
    Strings log;
    std::unique_ptr<TransferRequest> last;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        switch (m->Message()) {
        case UM_PROGRESS_OPEN: log.push_back("open " + std::to_string(m->LParam())); break;
        case UM_PROGRESS_STEP: log.push_back("step"); break;
        case UM_PROGRESS_END: log.push_back("end"); break;
        case UM_TRANSFER_REQUEST:
            last = m->Take<TransferRequest>();
            log.push_back(m->WParam() == 1 ? "cancel" : last->IsRelease() ? "release" : "req " + last->Text);
            break;
        default: return QObject::event(e);
        }
        return true;
    }
};

class Requester : public QObject {
public:
    std::vector<int> codes;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        codes.push_back(static_cast<int>(m->WParam()));
        return true;
    }
};

// Delivers what is posted, and what that posts in turn (an answer posts the
// next request, which the view then receives).
void Deliver() {
    for (int round = 0; round < 3; ++round) QCoreApplication::sendPostedEvents();
}

EncodedText Encoded(std::string_view text) {
    EncodedText t;
    t.Length = static_cast<std::uint32_t>(text.size());
    text.copy(t.Text, text.size());
    return t;
}

struct Program : ProgramOnSim {
    std::unique_ptr<SettingData> model = MakeTwoExchangeModel();

    // Starts the simulator and the main window with COM1 on it, and waits for
    // the start-up open to be over.
    bool Start(const Strings& simOptions) {
        return Launch(simOptions) && QTest::qWaitFor([&] { return Mask() == 0; }, kDeadlineMs);
    }
    bool ProgressShown() { return services.Progress() && services.Progress()->Window(); }
    // The texts the simulator acknowledged, in order.
    Strings Received() {
        Strings v;
        std::istringstream log(ReadWholeFile(dir.File("sim.log")));
        const std::string head = "sim: rx ", tail = " ACK";
        for (std::string line; std::getline(log, line);)
            if (line.rfind(head, 0) == 0 && line.size() > head.size() + tail.size() &&
                line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
                v.push_back(line.substr(head.size(), line.size() - head.size() - tail.size()));
        return v;
    }
    // Presses Upload, confirms, and waits until the editor's watch is over
    // and the link is idle again with the progress window gone.
    bool Upload(EditorDialog& editor) {
        prompt.Answers = {PromptAnswer::Ok};
        editor.UploadButton()->click();
        return QTest::qWaitFor([&] { return !editor.UploadRunning() && Mask() == 0 && !ProgressShown(); },
                               kDeadlineMs);
    }
};

}  // namespace

class EditorUploadSimTest : public QObject {
    Q_OBJECT
private slots:
    // The order of an upload's messages: each text only after the answer to
    // the one before, a release at the end or after a failed send, answers
    // that are not the current text's ignored.
    void textsGoOneAfterTheAnswerToTheLast_data() {
        QTest::addColumn<QString>("script");  // answers: code, then c current, z another text, r a release
        QTest::addColumn<QString>("viewLog");
        QTest::addColumn<QList<int>>("results");
        const QString sent = "open 2, req X1, step, req X2, step, release";
        QTest::newRow("acknowledged") << "0c 0c" << sent << QList<int>{0};
        QTest::newRow("send fails") << "0c 1c" << "open 2, req X1, step, req X2, release" << QList<int>{1};
        QTest::newRow("open fails") << "2c" << "open 2, req X1" << QList<int>{2};
        QTest::newRow("stale answers") << "0z 0r 1z" << "open 2, req X1" << QList<int>{};
        QTest::newRow("stale, then current") << "0z 0c 1z 0c" << sent << QList<int>{0};
        QTest::newRow("cancel before the next") << "! 0c 4c" << "open 2, req X1, step, end, cancel" << QList<int>{4};
        QTest::newRow("given up") << "R 0c" << "open 2, req X1, release" << QList<int>{};
    }
    void textsGoOneAfterTheAnswerToTheLast() {
        QFETCH(QString, script);
        QFETCH(QString, viewLog);
        QFETCH(QList<int>, results);
        InterruptionFlag() = false;
        FakeView view;
        Requester requester;
        EditorLinkTransfer upload(&view);
        // An upload given up: its requester of texts lives on until deleted.
        QVERIFY(upload.Send(&requester, "Title", {Encoded("W1")}));
        Deliver();
        QPointer<QObject> gone = view.last->Requester.data();
        upload.Release();
        Deliver();
        view.log.clear();
        QVERIFY(upload.Send(&requester, "Title", {Encoded("X1"), Encoded("X2")}));
        QVERIFY(!upload.Send(&requester, "Title", {Encoded("Y1")}));  // one upload at a time
        Deliver();
        for (const QString& step : script.split(' ')) {
            if (step == "!") InterruptionFlag() = true;
            if (step == "R") upload.Release();
            if (step.size() != 2) continue;
            // c: the current request back to whoever asked; r: a release's
            // answer; z: an answer of an upload given up before.
            std::unique_ptr<TransferRequest> answer;
            QObject* to = &upload;
            if (step[1] == 'c' && view.last) to = (answer = std::move(view.last))->Requester;
            if (step[1] == 'r') answer = TransferRequest::Release(&upload);
            if (step[1] == 'z') {
                QVERIFY(gone);
                to = gone;
            }
            PostMessage(to, UM_TRANSFER_RESULT, step[0].digitValue(), 0, std::move(answer));
            Deliver();
        }
        QCOMPARE(Shown(view.log), viewLog);
        QCOMPARE(QList<int>(requester.codes.begin(), requester.codes.end()), results);
        QCOMPARE(upload.Active(), results.isEmpty() && !script.contains('R'));  // still awaiting X1
        InterruptionFlag() = false;
    }

    void timeOutReleasesAndTheLateAnswerIsIgnored() {
        Program p;
        QVERIFY(p.Start({"--delay", "1500"}));
        CDlgSystem system(nullptr, *p.model);
        system.show();
        p.prompt.Answers = {PromptAnswer::Ok};
        system.UploadButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(p.Received().size(), std::size_t(1), kDeadlineMs);  // held at the exchange
        for (int tick = 0; tick < UploadSupervision::kLimit; ++tick) system.TickUpload();
        QCOMPARE(p.prompt.Texts(), (Strings{"Will transmit set data. OK?", "Failed to transmit"}));
        QTRY_VERIFY_WITH_TIMEOUT(p.Mask() == 0 && !p.ProgressShown(), kDeadlineMs);
        // Uploading again: the first text's late answer ends nothing early.
        QVERIFY(p.Upload(system));
        QCOMPARE(p.prompt.Messages.size(), std::size_t(3));
        QCOMPARE(p.Received().size(), std::size_t(2));
    }

};

QTEST_MAIN(EditorUploadSimTest)
#include "EditorUploadSimTest.moc"
