#pragma once
// What the log and monitor windows hand to the printout: the rows as the list
// shows them, in its order, with the exchange cell first as the page wants it.
#include <deque>
#include <memory>

#include "maintenance/RecordKinds.h"
#include "maintenance/RecordRows.h"
#include "printout/PrintJob.h"

std::unique_ptr<PrintJob> RecordPrintJob(const RecordKind& kind, const std::deque<RecordRow>& rows);
