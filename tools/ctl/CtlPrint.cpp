#include "CtlPrint.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <memory>

#include "core/Decimal.h"
#include "model/SettingsFile.h"
#include "printout/PagePainter.h"

namespace {
// Fonts need a GUI application; without a screen it runs on the offscreen platform.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    static int argc = 3;
    static char name[] = "nx420ctl";
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool TakeNumber(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != 0 || n < low || n > high) return false;
    value = static_cast<int>(n);
    return true;
}
}  // namespace

int CtlPrint(const std::vector<std::string>& args, Prompt& prompt, std::FILE* out) {
    std::string file, pdf, category;
    int exchange = 0, master = 0;
    std::string exchangeText, masterText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--pdf" ? &pdf : a == "--category" ? &category : a == "--exchange" ? &exchangeText
                             : a == "--master"                           ? &masterText
                                                                         : nullptr;
        if (value) {
            if (i + 1 >= args.size()) {
                prompt.Tell("nx420ctl: " + a + " needs a value");
                return 2;
            }
            *value = args[++i];
        } else if (file.empty() && !(a.size() > 1 && a[0] == '-')) {
            file = a;
        } else {
            prompt.Tell("nx420ctl: print takes FILE --pdf OUT [--category NAME] [--exchange N] [--master M]");
            return 2;
        }
    }
    if (file.empty() || pdf.empty()) {
        prompt.Tell("nx420ctl: print takes FILE --pdf OUT [--category NAME] [--exchange N] [--master M]");
        return 2;
    }
    auto job = std::make_unique<PrintJob>();
    job->Data = MakeSettingData();
    const SettingsReadResult read = ReadSettingsFile(*job->Data, file, prompt);
    if (read == SettingsReadResult::CannotOpen) prompt.Tell("Cannot open " + file);
    if (read != SettingsReadResult::Ok) return 1;
    job->Data->CurrentFilePath = file;
    const int code = category.empty() ? PrintAll : PrintCodeOfTitle(category);
    if (code < 0 || code == PrintLogData || code == PrintMonitor) {
        prompt.Tell("nx420ctl: no category \"" + category + "\" in a settings file");
        return 2;
    }
    const int inUse = ExchangesInUse(*job->Data);
    if (!exchangeText.empty() && !TakeNumber(exchangeText, 1, inUse, exchange)) {
        prompt.Tell("Incorrect exchange No.");
        return 2;
    }
    if (!masterText.empty() && !TakeNumber(masterText, 1, kMastersPerExchange, master)) {
        prompt.Tell("nx420ctl: --master takes 1 to 4");
        return 2;
    }
    job->Code = static_cast<uint8_t>(code);
    job->Exchange = static_cast<uint8_t>(exchange);
    job->Master = static_cast<uint8_t>(master);

    const auto app = EnsureGuiApplication();
    const std::vector<JobSpan> spans = PlanJob(*job);
    const int pages = JobPageCount(spans);
    QPdfWriter writer(QString::fromLocal8Bit(pdf.c_str()));
    writer.setPageSize(QPageSize(QPageSize::A4));
    // The page is what a printer could reach: a printable area inside the sheet.
    writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    writer.setTitle(QString::fromLatin1(PrintTitle(code)));
    writer.setCreator("nx420ctl");
    const int printed = PrintPages(*job, spans, writer, 1, pages, TodayPrintDate());
    if (printed < 0) {
        prompt.Tell("nx420ctl: cannot write " + pdf);
        return 1;
    }
    std::fprintf(out, "wrote %d pages to %s\n", printed, pdf.c_str());
    return 0;
}
