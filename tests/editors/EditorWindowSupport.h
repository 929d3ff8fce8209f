#pragma once
// What the editor window tests share: a private folder, the scripted prompt,
// a fixed clock, a link that records what is sent, the print jobs handed on,
// typing into a grid's cell, and the Tab order.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "editors/EditorDialog.h"
#include "support/PopulatedSettings.h"
#include "support/LinkRecorder.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"
#include "ui/GridWidget.h"

struct EditorWindowTest {
    TempDir dir{true};
    RecordingPrompt prompt;
    ScopedAppPrompt scoped{prompt};
    LinkRecorder link;
    std::unique_ptr<SettingData> model = MakeTwoExchangeModel();
    int saves = 0;
    std::vector<std::unique_ptr<PrintJob>> printed;
    EditorContext context{*model, [this] { ++saves; }, &link.session,
                          [this](std::unique_ptr<PrintJob> job) { printed.push_back(std::move(job)); }};

    EditorWindowTest() {
        SetClockSource([] { return ClockReading{.Hour = 9, .Minute = 5, .Second = 7}; });
    }
    ~EditorWindowTest() { SetClockSource({}); }
};

// Types text into a cell through the grid's own editor and commits it with
// Enter, as the user does. False when no editor opened.
inline bool TypeIntoCell(GridWidget& grid, int row, int column, const QString& text) {
    // Editors closed before go first, so the one found is this cell's.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    grid.setCurrentCell(row, column);
    grid.edit(grid.model()->index(row, column));
    QWidget* editor = grid.viewport()->findChild<QLineEdit*>();
    if (auto* combo = grid.viewport()->findChild<QComboBox*>()) {
        const int at = combo->findText(text);
        if (at < 0) return false;
        combo->setCurrentIndex(at);
        editor = combo;
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    }
    if (!editor) return false;
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits and closes the editor through a queued call.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return true;
}

// The requests sent, a text by its first three characters.
inline std::vector<std::string> Sent(const LinkRecorder& link) {
    std::vector<std::string> keys;
    for (const std::string& r : link.Requests) keys.push_back(r.find('/') == std::string::npos ? r.substr(0, 3) : r);
    return keys;
}

// The widgets Tab visits, from the focus round to it again (the window is
// made active first, as the user has it).
inline std::vector<QWidget*> TabCycle(QWidget& window) {
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return {};
    std::vector<QWidget*> seen;
    for (QWidget* w = window.focusWidget(); w && seen.size() < 32; w = window.focusWidget()) {
        if (!seen.empty() && w == seen.front()) break;
        seen.push_back(w);
        QTest::keyClick(w, Qt::Key_Tab);
    }
    return seen;
}
