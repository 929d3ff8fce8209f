// nx420ctl diff, verify and export as a user runs them: verify against
// nx420-sim right after an upload and after one text changed there, diff's
// exit status and JSON, and the CSV files read back by Python's csv module.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "CtlRun.h"
#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "texts/SettingTextSequence.h"

// The first text of an upload that differs between two configurations.
static std::string FirstDifferentText(const SettingData& a, const SettingData& b) {
    EncodedText ta, tb;
    for (int i = 1; i < UploadTextCount(a.System.SwitchCnt, 0); ++i)
        if (EncodeUploadText(a, 0, i, ta) && EncodeUploadText(b, 0, i, tb) && ta.View() != tb.View())
            return std::string(tb.View());
    return {};
}

class CtlDiffTest : public QObject {
    Q_OBJECT
private slots:
    void verifyAgainstTheExchanges() {
        TempDir dir(false);
        SimProcess sim;
        const QString port = StartSim(sim, dir);
        QVERIFY(!port.isEmpty());
        RecordingPrompt prompt;
        auto src = MakeSettingData(), changed = MakeSettingData();
        FillPopulatedSettings(*src, 3);
        src->System.SwitchCnt = 2;
        *changed = *src;
        changed->Function[1].TalkTime = changed->Function[1].TalkTime == 990 ? 980 : 990;
        const QString file = QString::fromStdString(dir.File("site.txt"));
        QVERIFY(WriteSettingsFile(*src, file.toStdString(), prompt));

        QCOMPARE(Ctl(dir, {"--port", port, "upload", file}).status, 0);
        const CtlRun equal = Ctl(dir, {"--port", port, "verify", file});
        QVERIFY2(equal.out.isEmpty(), qPrintable(equal.out.left(2000)));
        QCOMPARE(equal.status, 0);

        const std::string text = FirstDifferentText(*src, *changed);
        QVERIFY(!text.empty());
        QCOMPARE(Ctl(dir, {"--port", port, "send", QString::fromLatin1(text)}).status, 0);
        const CtlRun one = Ctl(dir, {"--port", port, "verify", file, "--json"});
        QCOMPARE(one.status, 1);
        const QJsonArray found = QJsonDocument::fromJson(one.out.toUtf8()).array();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].toObject()["place"].toString(), QString("Exchange 2"));
        QCOMPARE(found[0].toObject()["field"].toString(), QString("Conversation Time-Out"));

        sim.Stop();  // no exchange answers: the transfer fails, nothing compared
        QCOMPARE(Ctl(dir, {"--port", port, "verify", file}).status, 2);
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

QTEST_GUILESS_MAIN(CtlDiffTest)
#include "CtlDiffTest.moc"
