#include "printout/PageLayout.h"

#include <cstdio>

#include "printout/Layouts.h"

std::string PageTitle(int code) {
    switch (code) {
    case PrintMasters: return "Stations : Master Stations (Telephones)";
    case PrintSubstations: return "Stations : Substations";
    case PrintPaging: return "Paging : Substations";
    case PrintPublicAddress: return "Paging : Public Address Systems";
    case PrintExternalSource: return "Paging : External Source Distribution";
    default: {
        const char* t = PrintTitle(code);
        return t ? t : "";
    }
    }
}

std::string PrintDate(int year, int month, int day) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[32];
    std::snprintf(text, sizeof text, "%s %02d, %04d", kMonths[(month >= 1 && month <= 12) ? month - 1 : 0], day, year);
    return text;
}

std::string PrintedFilePath(const PrintJob& job) { return job.Data ? job.Data->CurrentFilePath.Str() : job.FilePath; }

PageOps LayoutPage(const PrintJob& job, int code, const PageSlice& page, int pageNo, const std::string& date) {
    PageOps ops;
    PageBuilder out(ops);
    out.Frame(date, PrintedFilePath(job), PageTitle(code), pageNo);
    LayoutBody(job, code, page, out);
    return ops;
}

void LayoutBody(const PrintJob& job, int code, const PageSlice& page, PageBuilder& out) {
    switch (code) {
    case PrintLogData:
    case PrintMonitor: LayoutRecords(job, code, page, out); return;
    case PrintGroupCall:
    case PrintScanMonitor:
    case PrintEmergencyConference: LayoutMembers(*job.Data, code, page, out); return;
    case PrintMasters:
    case PrintSubstations: LayoutStations(job, code, page, out); return;
    default: LayoutSettings(*job.Data, code, page, out); return;
    }
}
