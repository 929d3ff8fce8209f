// nx420ctl as a user runs it: transfers against nx420-sim, their failures, and the commands
// over files (the CSV files read back by Python's csv module).
#include <QtTest>

#include "SimProcess.h"
#include "editors/LineRules.h"
#include "editors/SystemRules.h"
#include "model/SettingsFile.h"
#include "support/CarriedText.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "texts/SettingTextSequence.h"

namespace {
struct CtlRun {
    int status = -1;  // also when it crashed or did not end
    QString out, err;
};

CtlRun Ctl(const TempDir& dir, const QStringList& args, const QString& program = NX420_CTL_PROGRAM) {
    QProcess ctl;
    ctl.setWorkingDirectory(QString::fromStdString(dir.Path()));  // no NX420.txt there: COM1
    ctl.start(program, args);
    CtlRun r;
    if (!ctl.waitForFinished(240000)) return r;
    r.status = ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
    r.out = QString::fromLocal8Bit(ctl.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(ctl.readAllStandardError());
    return r;
}

// Starts the simulator with its log in dir/sim.log; the --port value for it, "" when it did not start.
QString StartSim(SimProcess& sim, const TempDir& dir, const std::vector<std::string>& options = {}) {
    if (!sim.Start(NX420_SIM_PROGRAM, options, dir.File("sim.log"))) return {};
    return QString::fromStdString("COM1=" + sim.Path());
}

// The first text of an upload that differs between two configurations.
std::string FirstDifferentText(const SettingData& a, const SettingData& b) {
    EncodedText ta, tb;
    for (int i = 1; i < UploadTextCount(a.System.SwitchCnt, 0); ++i)
        if (EncodeUploadText(a, 0, i, ta) && EncodeUploadText(b, 0, i, tb) && ta.View() != tb.View())
            return std::string(tb.View());
    return {};
}
}  // namespace

class CtlTransferTest : public QObject {
    Q_OBJECT
private slots:
    // capture as an unattended logger: every log text the simulator had
    // acknowledged is in the history file and on standard output, and
    // reading is switched off at the end.
    void captureKeepsEveryRecordSent() {
        TempDir dir(false);
        SimProcess sim;
        const QString port = StartSim(sim, dir, {"--rate", "50"});
        QVERIFY(!port.isEmpty());
        // A copy of the program in the folder, so that its work file lands there.
        const QString program = QString::fromStdString(dir.File("nx420ctl"));
        QVERIFY(QFile::copy(NX420_CTL_PROGRAM, program));
        const CtlRun r = Ctl(dir, {"--port", port, "capture", "--for", "2"}, program);
        QCOMPARE(r.status, 0);
        sim.Stop();
        const QString log = QString::fromStdString(ReadWholeFile(dir.File("sim.log")));
        QString sent, kept;
        for (const QString& line : log.split('\n'))
            if (line.startsWith("sim: tx o") && line.endsWith(" acknowledged"))
                sent += line.mid(8, line.size() - 8 - 13) + "\n";
        const QStringList files = QDir(QString::fromStdString(dir.Path())).entryList({"HS*-01.txt"});
        QCOMPARE(files.size(), 1);
        for (const QString& line : QString::fromStdString(ReadWholeFile(dir.File(files[0].toStdString()))).split("\r\n"))
            if (!line.isEmpty()) kept += line.mid(14) + "\n";
        QVERIFY(sent.size() > 50);
        QCOMPARE(kept, sent);
        QCOMPARE(r.out.count('\n'), sent.count('\n'));
        QVERIFY(log.contains("rx O001000000000000000 ACK"));
        QVERIFY(log.contains("rx O000000000000000000 ACK"));
        QVERIFY(ReadWholeFile(dir.File("NX420work.txt")).find("History=" + files[0].toStdString()) != std::string::npos);
    }

    // Up and verified, back into a new file, and exchange 2 alone into a file of
    // defaults: A, B and exchange 2's texts come back, the rest stays. One text
    // changed in the exchanges is then the one difference verify finds.
    void settingsFileRoundTrips() {
        TempDir dir(false);
        SimProcess sim;
        const QString port = StartSim(sim, dir);
        QVERIFY(!port.isEmpty());
        RecordingPrompt prompt;
        auto src = MakeSettingData(), defaults = MakeSettingData(), got = MakeSettingData();
        FillPopulatedSettings(*src, 5);
        src->System.SwitchCnt = defaults->System.SwitchCnt = 3;
        const std::string up = dir.File("up.txt"), down = dir.File("down.txt"), one = dir.File("one.txt");
        QVERIFY(WriteSettingsFile(*src, up, prompt) && WriteSettingsFile(*defaults, one, prompt));

        const CtlRun upload = Ctl(dir, {"--port", port, "upload", QString::fromStdString(up)});
        QCOMPARE(upload.status, 0);
        QVERIFY2(upload.out.startsWith("434/434 texts 100% ") && upload.out.endsWith(" B/s\n"), qPrintable(upload.out));
        QVERIFY2(upload.err.isEmpty(), qPrintable(upload.err));
        const CtlRun equal = Ctl(dir, {"--port", port, "verify", QString::fromStdString(up)});
        QVERIFY2(equal.out.isEmpty(), qPrintable(equal.out.left(2000)));
        QCOMPARE(equal.status, 0);
        const CtlRun all = Ctl(dir, {"download", QString::fromStdString(down), "--port", port});
        QCOMPARE(all.status, 0);
        QVERIFY2(all.out.startsWith("433/433 texts 100%"), qPrintable(all.out));
        QCOMPARE(ReadSettingsFile(*got, down, prompt), SettingsReadResult::Ok);
        QCOMPARE(int(got->System.SwitchCnt), 3);
        for (int i = 1; i < UploadTextCount(3, 0); ++i) QCOMPARE(CarriedText(*got, i), CarriedText(*src, i));

        const CtlRun single = Ctl(dir, {"--exchange", "2", "--port", port, "download", QString::fromStdString(one)});
        QCOMPARE(single.status, 0);
        QVERIFY2(single.out.startsWith(QString("%1/%1 texts").arg(UploadTextCount(3, 2) - 1)), qPrintable(single.out));
        QCOMPARE(ReadSettingsFile(*got, one, prompt), SettingsReadResult::Ok);
        for (int i = 1; i < UploadTextCount(3, 0); ++i) {
            UploadStep step;
            QVERIFY(UploadStepAt(3, 0, i, step));
            const bool carried = step.Letter == 'A' || step.Letter == 'B' || step.Exchange == 2;
            QCOMPARE(CarriedText(*got, i), CarriedText(carried ? *src : *defaults, i));
        }

        *got = *src;
        got->Function[1].TalkTime = got->Function[1].TalkTime == 990 ? 980 : 990;
        const std::string text = FirstDifferentText(*src, *got);
        QVERIFY(!text.empty());
        QCOMPARE(Ctl(dir, {"--port", port, "send", QString::fromLatin1(text)}).status, 0);
        const CtlRun differs = Ctl(dir, {"--port", port, "verify", QString::fromStdString(up), "--json"});
        QCOMPARE(differs.status, 1);
        const QJsonArray found = QJsonDocument::fromJson(differs.out.toUtf8()).array();
        QCOMPARE(found.size(), 1);
        QCOMPARE(std::pair(found[0]["place"].toString(), found[0]["field"].toString()),
                 std::pair(QString("Exchange 2"), QString("Conversation Time-Out")));
        sim.Stop();  // no exchange answers: the transfer fails, nothing compared
        QCOMPARE(Ctl(dir, {"--port", port, "verify", QString::fromStdString(up)}).status, 2);
    }

    // Every failure exits 1 and leaves FILE as it was; a port that does not
    // open says why on a line of its own.
    void failuresKeepTheFileAndExitNonZero() {
        TempDir dir(false);
        RecordingPrompt prompt;
        auto data = MakeSettingData();
        data->System.SwitchCnt = 2;
        const std::string file = dir.File("keep.txt");
        QVERIFY(WriteSettingsFile(*data, file, prompt));
        const std::string before = ReadWholeFile(file);
        const QString path = QString::fromStdString(file), none = "COM1=/nonexistent/tty";
        SimProcess sim;
        const QString port = StartSim(sim, dir, {"--nak-every", "1"});  // the exchanges refuse every text
        QVERIFY(!port.isEmpty());
        const QString noDevice =
            "Failed to open the device\n/nonexistent/tty: no such device (open: No such file or directory)\n";
        const struct {
            QStringList args;
            QString err;
        } cases[] = {
            {{"--port", none, "send", "A00"}, noDevice},
            {{"--port", none, "upload", path}, noDevice},
            {{"download", path, "--exchange", "3"}, "Incorrect exchange No.\n"},
            {{"--port", port, "download", path}, "Failed to receive\n"},
        };
        for (const auto& c : cases) {
            const CtlRun r = Ctl(dir, c.args);
            QCOMPARE(r.status, 1);
            QCOMPARE(r.err, c.err);
            QCOMPARE(ReadWholeFile(file), before);
        }
    }

    void checkReportsEachFailingEditor() {
        TempDir dir(false);
        RecordingPrompt prompt;
        auto data = MakeSettingData();
        const QString good = QString::fromStdString(dir.File("good.txt"));
        const QString bad = QString::fromStdString(dir.File("bad.txt"));
        QVERIFY(WriteSettingsFile(*data, good.toStdString(), prompt));
        SetFirst(data->System, 1, "1");  // two digits are set
        SetStation(data->Switch[0].Master[1], "90", "");  // master 1's number
        data->Switch[0].LineCntLimit = 0;
        data->Switch[0].Master[0].GroupMaster[0] = MemberRef{1, 1, 1};  // the master itself
        data->Switch[0].PagingTimeLimit = 995;
        data->DirectSelect.Rows[0][2][7].Dial = "12B";
        QVERIFY(WriteSettingsFile(*data, bad.toStdString(), prompt));
        const QString missing = QString::fromStdString(dir.File("no \"such\" \\file.txt"));
        const QString station = "Master Stations (Telephones)\nDuplicated station No.(90) for Exchange 1\n"
                                "( Master Stations (Telephones) : 1-2 )";
        // Every editor in its order, with the bad file's message or null.
        const std::pair<QString, QString> editors[] = {
            {"Global Setting", kFirstStationDigitText}, {"Stations", station}, {"C/O Trunks", kCoTimeOutText},
            {"Group Call", "Invalid master equipment No.is set."}, {"Call Forwarding/Time-Out", {}},
            {"Scan Monitor", {}}, {"Paging", "Incorrect paging time-out"}, {"Emergency Conference", {}},
            {"Dialing Assignment", "Exchange1\nMaster Station No.3\nIncorrect dial number"}};
        QString badText;
        QJsonObject goodJson, badJson;
        for (const auto& [name, message] : editors) {
            if (!message.isNull()) badText += name + ": " + QString(message).replace("\n", " / ") + "\n";
            goodJson[name] = QJsonValue::Null;
            badJson[name] = message.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(message);
        }
        badText += "Station numbering check: " + QString(station).replace("\n", " / ") + "\n";
        const auto report = [](const QJsonValue& file, const QJsonObject& editors, const QJsonValue& numbering) {
            return QJsonObject{{"file", file}, {"editors", editors}, {"station_check", numbering}};
        };
        const struct {
            QStringList args;
            int status;
            QString out;       // compared when json is empty
            QJsonObject json;  // the one line of --json
            QString err;
        } cases[] = {
            {{"check", good}, 0, "OK\n", {}, ""},
            {{"check", bad}, 1, badText, {}, ""},
            {{"--json", "check", good}, 0, "", report(QJsonValue::Null, goodJson, QJsonValue::Null), ""},
            {{"check", bad, "--json"}, 1, "", report(QJsonValue::Null, badJson, station), ""},
            {{"check", missing}, 1, "", {}, "Cannot open " + missing + "\n"},
            {{"check", missing, "--json"}, 1, "", report("Cannot open " + missing, {}, QJsonValue::Null), ""},
        };
        for (const auto& c : cases) {
            const CtlRun r = Ctl(dir, c.args);
            QCOMPARE(r.status, c.status);
            QCOMPARE(r.err, c.err);
            if (c.json.isEmpty()) {
                QCOMPARE(r.out, c.out);
                continue;
            }
            QJsonParseError error;
            const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
            QVERIFY2(error.error == QJsonParseError::NoError && r.out.count('\n') == 1 && r.out.endsWith('\n'),
                     qPrintable(r.out));
            QCOMPARE(doc.object(), c.json);
        }
    }

    void diffAndExport() {
        TempDir dir(false);
        RecordingPrompt prompt;
        auto a = MakeSettingData();
        a->System.SwitchCnt = 2;
        SetStation(a->Exchange(2).Master[0], "20", "\xB1\xB2 A,\"B\"");  // katakana, and CSV's separators
        SetStation(a->Exchange(1).Sub[1], "12");
        const std::string fa = dir.File("a.txt"), fb = dir.File("b.txt");
        QVERIFY(WriteSettingsFile(*a, fa, prompt));
        a->Exchange(1).Sub[1].Level = 1;
        QVERIFY(WriteSettingsFile(*a, fb, prompt));
        const QString qa = QString::fromStdString(fa), qb = QString::fromStdString(fb);

        QCOMPARE(Ctl(dir, {"diff", qa, qa}).status, 0);
        const CtlRun text = Ctl(dir, {"diff", qa, qb});
        QCOMPARE(text.status, 1);
        QCOMPARE(text.out, QString("Stations\n  Exchange 1, Substation 2: Call Priority: \"Normal\" -> \"Emergency\"\n"));
        QCOMPARE(Ctl(dir, {"diff", qa, "missing.txt"}).status, 2);

        const QString csvDir = QString::fromStdString(dir.File("csv"));
        QCOMPARE(Ctl(dir, {"export", qa, "--csv", csvDir}).status, 0);
        // The name as the windows show it, under its field, in the master's row.
        const QString script =
            "import csv,sys\n"
            "rows=list(csv.DictReader(open(sys.argv[1]+'/stations.csv',encoding='utf-8-sig',newline='')))\n"
            "r=[x for x in rows if x['Place']=='Exchange 2, Master 1'][0]\n"
            "sys.stdout.write(r['Name']+'|'+str(len(rows)))\n";
        QProcess python;
        python.start("python3", {"-c", script, csvDir});
        QVERIFY(python.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()),
                 QString::fromUtf8("\uFF71\uFF72 A,\"B\"|%1").arg(2 * (kMastersPerExchange + kSubsPerExchange)));
    }
};

QTEST_MAIN(CtlTransferTest)
#include "CtlTransferTest.moc"
