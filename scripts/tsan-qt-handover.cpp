// Preloaded into the ThreadSanitizer test runs by scripts/tsan: tells TSan
// about the two hand-overs uninstrumented Qt makes between threads (a posted
// event to its receiver, a thread's end to QThread::wait).
#include <QCoreApplication>
#include <QThread>
#include <dlfcn.h>

namespace {
using Sync = void (*)(void*);
// Present in the instrumented programs only; elsewhere the helper does nothing.
const Sync acquire = reinterpret_cast<Sync>(dlsym(RTLD_DEFAULT, "__tsan_acquire"));
const Sync release = reinterpret_cast<Sync>(dlsym(RTLD_DEFAULT, "__tsan_release"));

// Qt calls this on the receiver's thread before it delivers any event.
bool Delivering(void** data) {
    acquire(data[1]);                    // what the poster did before posting it
    release(QThread::currentThread());  // what this thread did so far, for QThread::wait
    return false;                        // deliver as usual
}

struct Install {
    Install() {
        if (acquire && release) QInternal::registerCallback(QInternal::EventNotifyCallback, Delivering);
    }
} install;

template <class F>
F Next(const char* name) { return reinterpret_cast<F>(dlsym(RTLD_NEXT, name)); }
}  // namespace

void QCoreApplication::postEvent(QObject* receiver, QEvent* event, int priority) {
    static const auto real =
        Next<void (*)(QObject*, QEvent*, int)>("_ZN16QCoreApplication9postEventEP7QObjectP6QEventi");
    if (release) release(event);
    real(receiver, event, priority);
}

bool QThread::wait(QDeadlineTimer deadline) {
    static const auto real = Next<bool (*)(QThread*, QDeadlineTimer)>("_ZN7QThread4waitE14QDeadlineTimer");
    const bool ended = real(this, deadline);
    if (ended && acquire) {
        acquire(this);
        // Passed on, so that whoever waits for this thread sees the ended one too.
        release(QThread::currentThread());
    }
    return ended;
}
