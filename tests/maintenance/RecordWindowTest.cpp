// The Log Data and Communication Monitor windows against nx420-sim: reading
// switched on and off through the window, records kept by the view and shown,
// and the exit while reading.
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QStandardItemModel>
#include <QtTest>

#include "maintenance/HistoryLines.h"
#include "maintenance/RecordWindow.h"
#include "support/ProgramOnSim.h"

namespace {
constexpr int kDeadlineMs = 60000;
using Strings = std::vector<std::string>;

// The HS files in folder whose names are length characters long, in name order.
std::vector<std::string> Files(const std::string& folder, int length) {
    QStringList names = QDir(QString::fromStdString(folder)).entryList({"HS*.txt"}, QDir::Files, QDir::Name);
    std::vector<std::string> paths;
    for (const QString& n : names)
        if (n.size() == length) paths.push_back(folder + "/" + n.toStdString());
    return paths;
}

bool Red(QPushButton* b) { return b->palette().color(QPalette::Button) == Qt::red; }

// Ticks the items, answers the confirmation and waits for the request's end.
void Select(ProgramOnSim& p, CRecordWindow& w, const std::vector<int>& items, PromptAnswer answer) {
    for (int i = 0; i < w.SelectorItems()->rowCount(); ++i) w.SetTick(i, false);
    for (int i : items) w.SetTick(i, true);
    p.prompt.Answers = {answer};
    QTest::mouseClick(w.SelectButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w.Transfer()->Running(), kDeadlineMs);
}

// The view's ring, decoded, and the window's rows: the same, in the same order.
bool SameRows(CTR420View& view, CRecordWindow& w) {
    std::lock_guard<std::mutex> lock(view.Records().Lock);
    const auto& ring = view.Records().Log;
    if (ring.Count() != w.Rows().rowCount()) return false;
    for (int i = 0; i < ring.Count(); ++i)
        if (DecodeLogRow(ring.At(i)).Cells != w.Rows().Rows()[static_cast<std::size_t>(i)].Cells) return false;
    return ring.Count() > 0;
}
}  // namespace

class RecordWindowTest : public QObject {
    Q_OBJECT
private slots:
    void logReadingOnKeptAndOff() {
        ProgramOnSim p;
        QVERIFY(p.Launch({"--exchanges", "3", "--rate", "20"}));
        QTRY_COMPARE_WITH_TIMEOUT(int(p.Mask()), 0, kDeadlineMs);
        p.View().Model().System.SwitchCnt = 3;
        auto w = p.View().MakeRecordWindow(Category::LogData);
        w->show();
        QCOMPARE(w->windowTitle(), QString("Log Data"));
        QCOMPARE(w->Rows().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("      Dowdload Time"));

        Select(p, *w, {0, 1}, PromptAnswer::Ok);
        QCOMPARE(p.prompt.Texts(), Strings{"Will transmit set data. OK?"});
        QCOMPARE(p.prompt.Messages[0].Title, std::string("Transmission verification"));
        QTRY_VERIFY_WITH_TIMEOUT(p.View().State().LogReadingActive, kDeadlineMs);
        QVERIFY(Red(p.View().Button(Category::LogData)));
        QTRY_VERIFY_WITH_TIMEOUT(w->Rows().rowCount() >= 20, kDeadlineMs);
        QVERIFY(SameRows(p.View(), *w));

        // Data Save writes the ring as it is and waits for the next record;
        // Destination sends the next records to the chosen folder.
        w->OnDataSave();
        QVERIFY(!w->DataSaveButton()->isEnabled());
        const auto saved = Files(p.dir.Path(), 18);
        QCOMPARE(saved.size(), std::size_t(1));
        QVERIFY(ReadWholeFile(saved[0]).size() >= 20 * 51);
        const std::string logs = p.dir.File("logs");
        QVERIFY(QDir().mkdir(QString::fromStdString(logs)));
        p.prompt.FolderAnswers = {logs + "/"};
        QTest::mouseClick(w->DestinationButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w->DataSaveButton()->isEnabled(), kDeadlineMs);

        // Closed, the view goes on keeping records; reopened, they come back in order.
        w.reset();
        const int kept = p.View().Records().Log.Count();
        QTRY_VERIFY_WITH_TIMEOUT(p.View().Records().Log.Count() >= kept + 10, kDeadlineMs);
        std::unique_ptr<PrintJob> printed;
        p.View().Print = [&](std::unique_ptr<PrintJob> job) { printed = std::move(job); };
        w = p.View().MakeRecordWindow(Category::LogData);
        QCOMPARE(w->Selector()->currentText(), QString("1 2 "));
        QVERIFY(SameRows(p.View(), *w));

        // Print hands the rows in the list's order, the exchange cell first.
        w->SortByColumn(kExchangeColumn);
        w->SortByColumn(kExchangeColumn);  // descending
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == "Print") b->click();
        QVERIFY(printed && printed->Code == PrintLogData);
        QCOMPARE(printed->FilePath, p.View().Model().CurrentFilePath.Str());
        std::vector<Strings> shown;
        for (const RecordRow& row : w->Rows().Rows()) {
            shown.push_back(row.Cells);
            std::swap(shown.back()[0], shown.back()[1]);
        }
        QCOMPARE(printed->Records, shown);

        // Cancel at the confirmation sends nothing but keeps the selection.
        p.prompt.Messages.clear();
        Select(p, *w, {2}, PromptAnswer::Cancel);
        QCOMPARE(p.prompt.Texts(), Strings{"Will transmit set data. OK?"});
        QVERIFY(p.View().State().LogReadingActive);
        QVERIFY(p.View().State().LogRequestFlags == FlagsFromTicks({false, false, true}, 3));

        // RESET: sixteen '0' switch reading off.
        Select(p, *w, {4, 1}, PromptAnswer::Ok);
        QTRY_VERIFY_WITH_TIMEOUT(!p.View().State().LogReadingActive, kDeadlineMs);
        QVERIFY(!Red(p.View().Button(Category::LogData)));
        w.reset();
        const std::string log = p.SimLog();  // the cancelled request never went
        for (auto [text, sent] : {std::pair{"rx O001100000000000000 ACK", true}, {"rx O000000000000000000 ACK", true},
                                  {"rx O000010000000000000", false}})
            QCOMPARE(log.find(text) != std::string::npos, sent);

        // The history files hold every record, in order, before and after the new folder.
        std::string ringLines;
        {
            std::lock_guard<std::mutex> lock(p.View().Records().Lock);
            const auto& ring = p.View().Records().Log;
            for (int i = 0; i < ring.Count(); ++i) ringLines += LogLine(ring.At(i), LineBytes::UpToZero);
        }
        p.program.reset();  // the worker ends, the work file is written
        std::string files;
        for (const std::string& folder : {p.dir.Path(), logs})
            for (const std::string& f : Files(folder, 15)) files += ReadWholeFile(f);
        QVERIFY(!ringLines.empty());
        QCOMPARE(files, ringLines);
        QVERIFY(ReadWholeFile(p.dir.File("NX420work.txt")).find("History=" + logs + "/HS") != std::string::npos);
    }

    void monitorRowsAndTheExitWhileReading() {
        ProgramOnSim p;
        QVERIFY(p.Start({"--exchanges", "2", "--rate", "50"}));
        p.View().Model().System.SwitchCnt = 2;
        auto w = p.View().MakeRecordWindow(Category::CommunicationMonitor);
        Select(p, *w, {2}, PromptAnswer::Ok);  // ALL
        QTRY_VERIFY_WITH_TIMEOUT(Red(p.View().Button(Category::CommunicationMonitor)), kDeadlineMs);
        QTRY_VERIFY_WITH_TIMEOUT(w->Rows().rowCount() >= 10, kDeadlineMs);
        QCOMPARE(w->Rows().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Monitor Data"));
        for (const RecordRow& r : w->Rows().Rows()) QVERIFY(r.Exchange == 1 || r.Exchange == 2);
        w.reset();

        // Exit: No keeps reading on; Yes stops it, and the exit goes on to close.
        p.prompt.Messages.clear();
        p.prompt.Answers = {PromptAnswer::No};
        QVERIFY(!p.Frame().close());
        QCOMPARE(p.prompt.Texts(), Strings{"Reading communication data. Will stop reading."});
        QVERIFY(p.View().State().MonitorReadingActive);
        p.prompt.Answers = {PromptAnswer::Yes};
        QVERIFY(!p.Frame().close());
        QTRY_VERIFY_WITH_TIMEOUT(!p.Frame().isVisible(), kDeadlineMs);
        QVERIFY(!p.View().State().MonitorReadingActive);
        QVERIFY(p.View().State().MonitorRequestFlags == RequestFlags{});
        QVERIFY(p.SimLog().find("rx P000000000000000000 ACK") != std::string::npos);
    }
};

QTEST_MAIN(RecordWindowTest)
#include "RecordWindowTest.moc"
