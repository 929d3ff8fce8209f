// nx420ctl diff and export as a user runs them: diff's exit status and text,
// and the CSV files read back by Python's csv module.
#include <QtTest>

#include "CtlRun.h"
#include "model/SettingsFile.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"

class CtlDiffTest : public QObject {
    Q_OBJECT
private slots:
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
