// The Dialing Assignment window with every row of every master filled:
// switching masters (the whole table shown again) and the validation over
// 16 x 4 x 1024 rows, slowest and median of 20 runs each, in milliseconds.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_dialing
#include <QApplication>
#include <QComboBox>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "editors/DlgDirectDial.h"

namespace {
template <class F>
void Report(const char* what, F run) {
    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run(i);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s median %7.2f ms  slowest %7.2f ms\n", what, ms[ms.size() / 2], ms.back());
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    auto model = MakeSettingData();
    model->System.SwitchCnt = kMaxExchanges;
    for (auto& exchange : model->DirectSelect.Rows)
        for (auto& master : exchange)
            for (int r = 0; r < kDialRows; ++r) master[r].Dial = std::to_string(1000000 + r);
    CDlgDirectDial dialog(nullptr, EditorContext{*model, {}, nullptr});
    dialog.show();
    Report("show a master's table", [&](int i) {
        dialog.MasterList()->setCurrentIndex((i + 1) % kMastersPerExchange);
        QApplication::processEvents();
    });
    const auto copy = LoadDialCopy(*model);
    Report("validate every row", [&](int) {
        if (!ValidateDialing(*copy, kMaxExchanges).Passed()) std::puts("unexpected failure");
    });
    return 0;
}
