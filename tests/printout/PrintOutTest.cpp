// The report on paper (PDFs read back with pdftotext and pdfinfo), File > Print's worker,
// the Printout window and the editors' Print buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "CtlCommands.h"
#include "app/Application.h"
#include "editors/DlgDirectSelect.h"
#include "editors/DlgFunction.h"
#include "editors/DlgLine.h"
#include "editors/DlgPcPort.h"
#include "editors/DlgSystem.h"
#include "editors/SheetStation.h"
#include "editors/PageSub.h"
#include "ui/GridWidget.h"
#include "model/SettingsFile.h"
#include "printout/DlgPrintout.h"
#include "printout/PagePainter.h"
#include "support/PopulatedSettings.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

namespace {
std::string Output(const char* program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput().toStdString();
}

int PdfPages(const std::string& pdf) {
    const std::string info = Output("pdfinfo", {QString::fromStdString(pdf)});
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// Three exchanges with a few values each category shows.
std::unique_ptr<SettingData> Site() {
    auto data = MakeSettingData();
    data->System.SwitchCnt = 3;
    data->System.NumberSize = 3;
    data->System.TieLine[1] = 1;
    for (int e = 1; e <= 3; ++e) SetFirst(data->System, e, std::to_string(e * 100));
    SetStation(data->Exchange(2).Master[0], "280", "FRONT");
    SetStation(data->Exchange(1).Sub[4], "105", "LOBBY");
    data->Exchange(1).Sub[4].CallSwNo = 2;
    data->Exchange(1).Sub[4].CallStNo = 1;
    data->Exchange(1).Sub[4].Level = 1;
    MasterData& m = data->Exchange(1).Master[0];
    m.GroupCnt = 50;  // more than the list holds
    m.GroupMaster[0] = {1, 2, 1};
    m.ScanTime = 7;
    data->Function[0].CallTime = 12;
    data->Exchange(1).Line[0].Name = "TRUNK1";
    data->Exchange(1).SpeakerPaging[0] = 1u << 4;
    data->Maintenance.TelNo = "0312345678";
    data->DirectSelect.Rows[0][0][4].Dial = "280";
    data->DirectSelect.OutMode[0] = 1;
    return data;
}

// The windows' messages go to prompt.
class Print : public testing::Test {
protected:
    RecordingPrompt prompt;
    ScopedAppPrompt scoped{prompt};
};
}  // namespace

TEST_F(Print, EveryCategoryOnPaper) {
    TempDir dir;
    const std::string file = dir.File("site.txt");
    auto site = Site();
    ASSERT_TRUE(WriteSettingsFile(*site, file, prompt));
    const struct {
        const char* category;  // "" the whole report
        int pages;
        std::vector<std::string> texts;
    } cases[] = {
        {"", 67, {"VELCARO NX-420 System", "(" + file + ")", "Global Setting", "Direct Select", "-67-"}},
        {"Global Setting", 1, {"No. of Exchanges:", "Connection", "Unconnected", "300", "-1-"}},
        {"Group Call", 12, {"Master Station (Telephone) No.", "Exchange", "280", "FRONT", "-12-"}},
        {"Scan Monitor", 12, {"Monitor Time", "7"}},
        {"Emergency Conference", 12, {"Master Station (Telephone) No."}},
        {"Master Stations (Telephones)", 3, {"Stations : Master Stations (Telephones)", "No-Answer Call Fwd", "FRONT"}},
        {"Substations", 6, {"Called Station", "Call Priority", "LOBBY", "Emergency", "FRONT"}},
        {"C/O Trunks", 3, {"C/O Time-Out:", "Rcv Station", "TRUNK1", "Member3"}},
        {"Call Forwarding/Time-Out", 3, {"Time-Based Call Forwarding", "Conversation Time-Out", "12 min"}},
        {"Paging", 6, {"Paging : Substations", "Paging Time-Out", "Zone Digits", "x"}},
        {"Public Address Systems", 3, {"Paging : Public Address Systems", "PA16", "v"}},
        {"External Source Distribution", 3, {"Ctrl IN", "ch4"}},
        {"Direct Select", 3, {"Control Outputs:", "Response-Activated", "Call-Activated"}},
        {"PC Port", 1, {"PC/Exchange Connection Setting", "Baud Rate: 19200; Parity: Even; Data: 8 bits; Stop Bit: 1",
                        "0312345678", "COM1"}},
        {"Dialing Assignment", 12, {"Door Lock(Switch No)", "0005", "FRONT"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        const std::string pdf = dir.File("out.pdf");
        std::vector<std::string> args{"print", file, "--pdf", pdf};
        if (*c.category) args.insert(args.end(), {"--category", c.category});
        ASSERT_EQ(CtlMain(args, prompt, stdout), 0) << (prompt.Texts().empty() ? "" : prompt.Texts().back());
        EXPECT_EQ(PdfPages(pdf), c.pages);
        const std::string text = Output("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
        for (const std::string& t : c.texts) EXPECT_NE(text.find(t), std::string::npos) << t;
    }
    // One exchange and master of a category; a name that is no category.
    const std::string pdf = dir.File("one.pdf");
    EXPECT_EQ(CtlMain({"print", file, "--pdf", pdf, "--category", "Group Call", "--exchange", "2", "--master", "1"},
                      prompt, stdout), 0);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_EQ(CtlMain({"print", file, "--pdf", pdf, "--exchange", "4"}, prompt, stdout), 2);
    EXPECT_EQ(prompt.Texts().back(), kIncorrectExchangeText);
    EXPECT_EQ(CtlMain({"print", file, "--pdf", pdf, "--category", "Log Data"}, prompt, stdout), 2);
}

TEST(PrintToPdf, StopDuringPageThreeLeavesTwoPages) {
    TempDir dir;
    PrintJob job;
    job.Code = PrintGroupCall;
    job.Data = Site();
    const auto spans = PlanJob(job);
    QPdfWriter writer(QString::fromStdString(dir.File("stop.pdf")));
    int steps = 0;
    std::vector<std::pair<std::string, int>> started;
    PrintHooks hooks;
    hooks.Start = [&](const std::string& title, int pages) { started.emplace_back(title, pages); };
    hooks.Step = [&] { ++steps; };
    hooks.Interrupted = [&] { return steps == 2; };  // Cancel while page 2 prints
    EXPECT_EQ(PrintPages(job, spans, writer, 1, 12, "Dec 06, 2026", hooks), 2);
    EXPECT_EQ(started, (std::vector<std::pair<std::string, int>>{{"Group Call", 12}}));
    EXPECT_EQ(PdfPages(dir.File("stop.pdf")), 2);
}

TEST_F(Print, FilePrintWorkerAsksForThePrinterOnce) {
    TempDir dir(true);
    const struct {
        const char* name;
        bool ok;
        int from, to, pages;  // pages -1: no PDF
    } cases[] = {{"Cancel", false, 1, 23, -1}, {"pages 2 to 3", true, 2, 3, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto program = MakeProgram(ConnectionOptions{}, nullptr);
        const std::string pdf = dir.File(std::string(c.name) + ".pdf");
        int offered = 0;
        program->PrintDesk->RunDialog = [&](QPrinter& printer, int pages, int& from, int& to) {
            offered = pages;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(pdf));
            from = c.from;
            to = c.to;
            return c.ok;
        };
        program->Frame->PrintAction()->trigger();
        // A second request while the first is under way is dropped.
        EXPECT_FALSE(program->Printer->Request(MakePrintJob(PrintGlobalSetting, 0, program->State.Model.operator*())));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !program->Printer->Printing(); }, 60000));
        QCoreApplication::processEvents();
        EXPECT_EQ(std::pair(program->PrintDesk->DialogsShown(), offered), std::pair(1, 23));
        EXPECT_TRUE(program->Link.Progress().Window() == nullptr || !program->Link.Progress().Window()->isVisible());
        EXPECT_EQ(PdfPages(pdf), c.pages);
    }
}

TEST_F(Print, PrintoutWindowChecksTheExchangeAndStaysOpen) {
    auto model = MakeSettingData();
    model->System.SwitchCnt = 3;
    const struct {
        bool single;
        const char* text;
        int exchange;  // of the job sent; -1 none
    } cases[] = {{false, "9", 0}, {true, "2", 2}, {true, "0", -1}, {true, "4", -1}, {true, "", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.single ? "single " : "all ") + c.text);
        prompt.Messages.clear();
        int sent = -1;
        CDlgPrintout dialog(nullptr, *model, [&](std::unique_ptr<PrintJob> job) {
            EXPECT_EQ(job->Code, PrintAll);
            sent = job->Exchange;
        });
        dialog.show();
        EXPECT_TRUE(dialog.AllButton()->isChecked());
        EXPECT_FALSE(dialog.ExchangeEdit()->isEnabled());
        if (c.single) dialog.SingleButton()->click();
        dialog.ExchangeEdit()->setText(c.text);
        dialog.PrintButton()->click();
        EXPECT_EQ(sent, c.exchange);
        ASSERT_EQ(prompt.Texts(), c.exchange < 0 ? std::vector<std::string>{kIncorrectExchangeText}
                                                  : std::vector<std::string>{});
        if (c.exchange < 0) {
            EXPECT_EQ(prompt.Messages[0].Icon, PromptIcon::Question);
            EXPECT_EQ(dialog.ExchangeEdit()->selectedText(), dialog.ExchangeEdit()->text());
        }
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        dialog.CancelButton()->click();
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(PrintToPdf, ArialResolvesToItsMetricTwin) {
    const QFontInfo info{QFont(kPrintFontFamily)};
    EXPECT_TRUE(info.family() == "Arial" || info.family() == "Liberation Sans") << info.family().toStdString();
}

TEST_F(Print, StationSheetHandsSubstationsInTheGridsOrder) {
    auto model = MakeTwoExchangeModel();
    std::unique_ptr<PrintJob> sent;
    CSheetStation sheet(nullptr, {*model, {}, nullptr, [&](std::unique_ptr<PrintJob> job) { sent = std::move(job); }});
    sheet.Pages()->setCurrentWidget(sheet.SubPage());
    sheet.SubPage()->Grid()->verticalHeader()->moveSection(3, 0);  // substation 4 shown first
    sheet.PrintButton()->click();
    ASSERT_TRUE(sent);
    ASSERT_EQ(std::pair(int(sent->Code), sent->Rows.size()), std::pair(int(PrintSubstations), std::size_t(64)));
    EXPECT_EQ(std::tuple(sent->Rows[0].Position, sent->Rows[1].Position, sent->Rows[0].Exchange), std::tuple(4, 1, 1));
}

namespace {
using Button = QAbstractButton*;
// Opens the editor on exchange 2 (where it has a selector) and clicks the button picked.
template <class Dialog, auto pick, class... Extra>
std::unique_ptr<EditorDialog> ClickIn(const EditorContext& c) {
    auto d = std::make_unique<Dialog>(nullptr, c, Extra{}...);
    if constexpr (requires { d->Selector(); }) d->Selector()->setCurrentIndex(1);
    pick(*d)->click();
    return d;
}
}  // namespace

// Each editor's Print hands the exchange shown with the edit made there: in
// the job's data, not yet in the model.
TEST_F(Print, EachEditorHandsItsShownCopy) {
    const struct {
        int code, exchange;
        std::unique_ptr<EditorDialog> (*open)(const EditorContext&);
        int (*edited)(const SettingData&);
    } cases[] = {
        {PrintGlobalSetting, 0, ClickIn<CDlgSystem, [](CDlgSystem& d) -> Button { return d.TieLineBox(2); }>,
         [](const SettingData& s) { return int(s.System.TieLine[1]); }},
        {PrintCoTrunks, 2, ClickIn<CDlgLine, [](CDlgLine& d) -> Button { return d.Line(2).Outgoing; }>,
         [](const SettingData& s) { return int(s.Exchange(2).Line[1].TxNumberOnOff); }},
        {PrintCallForwarding, 2, ClickIn<CDlgFunction, [](CDlgFunction& d) -> Button { return d.Busy(); }>,
         [](const SettingData& s) { return int(s.Function[1].TalkSend); }},
        {PrintDirectSelect, 2,
         ClickIn<CDlgDirectSelect, [](CDlgDirectSelect& d) -> Button { return d.CallActivated(); }>,
         [](const SettingData& s) { return int(s.DirectSelect.OutMode[1]); }},
        {PrintPcPort, 0, ClickIn<CDlgPcPort, [](CDlgPcPort& d) -> Button { return d.PortButton(3); }, PcPortHooks>,
         [](const SettingData& s) { return int(s.Maintenance.CommPort); }},
    };
    for (const auto& c : cases) {
        auto model = MakeTwoExchangeModel();
        std::unique_ptr<PrintJob> sent;
        const EditorContext context{*model, {}, nullptr, [&](std::unique_ptr<PrintJob> job) { sent = std::move(job); }};
        c.open(context)->PrintButton()->click();
        ASSERT_TRUE(sent && sent->Data) << c.code;
        EXPECT_EQ(std::tuple(sent->Code, sent->Exchange), std::tuple(c.code, c.exchange));
        EXPECT_NE(c.edited(*sent->Data), c.edited(*model)) << c.code;
    }
}
