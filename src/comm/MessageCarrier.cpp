#include "comm/MessageCarrier.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include "comm/MessageEvent.h"

namespace {
std::atomic<MessageCarrier*> g_carrier{nullptr};

QEvent::Type DrainEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
}  // namespace

MessageCarrier::MessageCarrier(QObject* app) : QObject(app) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(app->thread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { ScheduleIfWaiting(); },
                Qt::DirectConnection);
        hooked_ = true;
    }
}

MessageCarrier::~MessageCarrier() { g_carrier = nullptr; }

MessageCarrier* MessageCarrier::Instance(bool create) {
    if (MessageCarrier* c = g_carrier.load()) return c;
    if (!create) return nullptr;
    auto* c = new MessageCarrier(QCoreApplication::instance());  // the application deletes it
    g_carrier = c;
    return c;
}

void MessageCarrier::Post(QObject* receiver, std::unique_ptr<MessageEvent> e) {
    if (!receiver) return;
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && receiver->thread() == app->thread()) {
        // Only the main thread makes the carrier, as a child of the application;
        // until then the others' messages take Qt's queue, which the carrier's
        // first drain event joins at the end, so their order holds.
        if (MessageCarrier* c = Instance(QThread::currentThread() == app->thread())) {
            c->Push(receiver, std::move(e));
            return;
        }
    }
    QCoreApplication::postEvent(receiver, e.release());
}

void MessageCarrier::Push(QObject* receiver, std::unique_ptr<MessageEvent> e) {
    bool post = false;
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back({receiver, std::move(e)});
        // A message from a handler that the running drain delivered is picked
        // up by that drain, or by the hook when the handler runs a loop of its own.
        const bool drainSeesIt = hooked_ && draining_ > 0 && QThread::currentThread() == thread();
        if (!scheduled_ && !drainSeesIt) scheduled_ = post = true;
    }
    if (post) QCoreApplication::postEvent(this, new QEvent(DrainEventType()));
}

void MessageCarrier::ScheduleIfWaiting() {
    bool post = false;
    {
        const std::lock_guard lock(mutex_);
        if (!queue_.empty() && !scheduled_) scheduled_ = post = true;
    }
    if (post) QCoreApplication::postEvent(this, new QEvent(DrainEventType()));
}

bool MessageCarrier::event(QEvent* e) {
    if (e->type() != DrainEventType()) return QObject::event(e);
    Drain();
    return true;
}

void MessageCarrier::Drain() {
    {
        const std::lock_guard lock(mutex_);
        scheduled_ = false;
        ++draining_;
    }
    struct EndOfDrain {
        MessageCarrier* c;
        ~EndOfDrain() {
            const std::lock_guard lock(c->mutex_);
            --c->draining_;
        }
    } end{this};
    for (;;) {
        Entry entry;
        {
            const std::lock_guard lock(mutex_);
            if (queue_.empty()) return;
            entry = std::move(queue_.front());
            queue_.pop_front();
        }
        if (QObject* receiver = entry.Receiver.data()) QCoreApplication::sendEvent(receiver, entry.Message.get());
    }
}
