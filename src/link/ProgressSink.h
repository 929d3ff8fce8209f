#pragma once
// Where a transfer shows its progress: the program's progress window (nx420ctl
// shows none; it draws its line from the engine's OnChange). The engine calls
// it directly, so the window is up to date before any message it then shows.
#include <functional>
#include <string_view>

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // A new window of this kind (ProgressKind), title and total; cancel is what
    // its Cancel button, Esc and close box do while it shows.
    virtual void Open(int kind, std::string_view title, int total, std::function<void()> cancel) = 0;
    // New kind, title and total; the position starts again at 0.
    virtual void Reset(int kind, std::string_view title, int total) = 0;
    virtual void Retitle(int kind, std::string_view title) = 0;
    virtual void Step() = 0;
    // Closes the window; nothing when none is open.
    virtual void End() = 0;
};
