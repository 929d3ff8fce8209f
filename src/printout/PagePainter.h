#pragma once
// Draws a job's pages with QPainter on any paged device (a printer, a PDF
// file): the geometry from the measured "Arial" of that device, the three
// fonts, and the progress of the job page by page.
#include <QFont>
#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "printout/PageOps.h"
#include "printout/PrintPlan.h"

class QPagedPaintDevice;

inline constexpr const char* kPrintFontFamily = "Arial";

class PagePainter {
public:
    // painter is active on a device of width × height device units.
    PagePainter(QPainter& painter, int width, int height);
    const PageGeometry& Geometry() const { return geometry_; }
    void Draw(const PageOps& ops);

private:
    QPainter& painter_;
    PageGeometry geometry_;
    QFont fonts_[3];
    int ascent_[3] = {};
};

// What a job tells its owner: a category starts (its title and page
// count), a page is done (printed or outside the range), and whether the
// user stopped it; each may be empty.
struct PrintHooks {
    std::function<void(const std::string& title, int pages)> Start;
    std::function<void()> Step;
    std::function<bool()> Interrupted;
};

// Prints the pages from..to (1-based, of the whole job) of the planned job
// onto the device, as one document. Returns the number of pages printed; -1
// when the device could not be painted on.
int PrintPages(const PrintJob& job, const std::vector<JobSpan>& spans, QPagedPaintDevice& device, int from, int to,
               const std::string& date, const PrintHooks& hooks = {});

// Today's date as printed.
std::string TodayPrintDate();
