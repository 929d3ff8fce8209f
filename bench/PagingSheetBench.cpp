// The Paging sheet over a populated 16-exchange installation, offscreen:
//  - open: built, shown and painted, exchange 1 on show (64 rows x 19 zones);
//  - zone digits: 2 to 1 and back, each rebuilding the substation grid,
//    for one exchange and for "ALL" (1024 rows).
// Each figure is the median of its runs, in milliseconds.
#include <QApplication>
#include <QComboBox>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "editors/PagingPage.h"
#include "editors/SheetPaging.h"
#include "support/PopulatedSettings.h"

namespace {
double MedianMs(int runs, const std::function<void()>& run) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    auto model = MakeSettingData();
    FillPopulatedSettings(*model);
    model->System.SwitchCnt = kMaxExchanges;
    for (SwitchData& sw : model->Switch) sw.ZoneSize = 2;
    const EditorContext context{*model, {}, nullptr};

    const double open = MedianMs(21, [&] {
        CSheetPaging sheet(nullptr, context);
        sheet.show();
        sheet.repaint();
        QApplication::processEvents();
    });
    std::printf("open and show, 64 rows x 19 zones: %.1f ms\n", open);

    CSheetPaging sheet(nullptr, context);
    sheet.show();
    QComboBox* digits = sheet.SubPage()->ZoneDigitsList();
    for (int selection : {1, 0}) {
        sheet.Selector()->setCurrentIndex(selection == 1 ? 0 : sheet.Selector()->count() - 1);
        const double rebuild = MedianMs(21, [&] {
            digits->setCurrentIndex(1 - digits->currentIndex());
            sheet.repaint();
            QApplication::processEvents();
        });
        std::printf("zone digits switched, %s: %.1f ms\n", selection ? "one exchange (64 rows)" : "ALL (1024 rows)",
                    rebuild);
    }
    return 0;
}
