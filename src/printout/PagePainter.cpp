#include "printout/PagePainter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <algorithm>
#include <cmath>

#include "core/Clock.h"
#include "printout/PageLayout.h"

namespace {
// A font set up as its cell height and average character width ask: Qt
// sizes fonts by their em and stretches them by percent.
QFont MakeFont(QPaintDevice* device, int height, int width) {
    QFont font(kPrintFontFamily);
    font.setWeight(QFont::Normal);
    font.setPixelSize(1000);
    const QFontMetricsF probe(font, device);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * 1000.0 / std::max(1.0, probe.height())))));
    if (width > 0) {
        const QFontMetricsF natural(font, device);
        const double average = std::max(1.0, natural.averageCharWidth());
        font.setStretch(std::clamp(static_cast<int>(std::lround(width * 100.0 / average)), 1, 4000));
    }
    return font;
}

class QtPrintMetrics final : public PrintMetrics {
public:
    explicit QtPrintMetrics(QPaintDevice* device) : device_(device) {}
    int LineHeight(int fontHeight) const override {
        return static_cast<int>(std::lround(QFontMetricsF(MakeFont(device_, fontHeight, 0), device_).lineSpacing()));
    }
    int LetterWidth(int fontHeight, int charWidth) const override {
        const QFontMetricsF m(MakeFont(device_, fontHeight, charWidth), device_);
        return static_cast<int>(std::lround(m.horizontalAdvance(QLatin1Char('A'))));
    }

private:
    QPaintDevice* device_;
};
}  // namespace

PagePainter::PagePainter(QPainter& painter, int width, int height) : painter_(painter) {
    QPaintDevice* device = painter.device();
    geometry_ = ComputeGeometry(width, height, QtPrintMetrics(device));
    const double scale[3] = {1.0, 1.3, 2.0};
    for (int f = 0; f < 3; ++f) {
        fonts_[f] = MakeFont(device, static_cast<int>(geometry_.FontHeight * scale[f]),
                             static_cast<int>(geometry_.CharWidth * scale[f]));
        ascent_[f] = QFontMetrics(fonts_[f], device).ascent();
    }
}

void PagePainter::Draw(const PageOps& ops) {
    painter_.setPen(QPen(Qt::black, 3, Qt::SolidLine));
    for (const PageLine& l : ops.Lines)
        painter_.drawLine(geometry_.X(l.From), geometry_.Y(l.From), geometry_.X(l.To), geometry_.Y(l.To));
    int current = -1;
    for (const PageText& t : ops.Texts) {
        const int f = static_cast<int>(t.Font);
        if (f != current) painter_.setFont(fonts_[f]);
        current = f;
        // Positions are the text's top; Qt draws at the baseline. Texts are 8-bit.
        painter_.drawText(geometry_.X(t.At), geometry_.Y(t.At) + ascent_[f], QString::fromLatin1(t.Text));
    }
}

int PrintPages(const PrintJob& job, const std::vector<JobSpan>& spans, QPagedPaintDevice& device, int from, int to,
               const std::string& date, const PrintHooks& hooks) {
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    PagePainter pages(painter, device.width(), device.height());
    int printed = 0;
    for (const JobSpan& span : spans) {
        const int count = static_cast<int>(span.Pages.size());
        const int last = span.First + count;  // one past, 0-based
        if (last < from || span.First + 1 > to) continue;
        if (hooks.Start) hooks.Start(PrintTitle(span.Code), count);
        for (int i = 0; i < count; ++i) {
            const int pageNo = span.First + i + 1;
            if (pageNo >= from && pageNo <= to) {
                if (hooks.Interrupted && hooks.Interrupted()) {
                    painter.end();
                    return printed;
                }
                if (printed > 0) device.newPage();
                pages.Draw(LayoutPage(job, span.Code, span.Pages[static_cast<std::size_t>(i)], pageNo, date));
                ++printed;
            }
            if (hooks.Step) hooks.Step();
        }
    }
    painter.end();
    return printed;
}

std::string TodayPrintDate() {
    const ClockReading now = ClockNow();
    return PrintDate(now.Year, now.Month, now.Day);
}
