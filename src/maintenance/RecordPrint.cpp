#include "maintenance/RecordPrint.h"

#include <utility>

std::unique_ptr<PrintJob> RecordPrintJob(const RecordKind& kind, const std::deque<RecordRow>& rows) {
    auto job = std::make_unique<PrintJob>();
    job->Code = kind.Id == RecordKindId::Log ? PrintLogData : PrintMonitor;
    job->Records.reserve(rows.size());
    for (const RecordRow& row : rows) {
        std::vector<std::string> texts = row.Cells;
        // The list shows the download time first; the page puts the exchange first.
        if (texts.size() >= 2) std::swap(texts[0], texts[1]);
        job->Records.push_back(std::move(texts));
    }
    return job;
}
