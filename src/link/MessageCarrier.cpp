#include "link/MessageCarrier.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include "link/MessageEvent.h"

namespace {
QEvent::Type DrainEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
}  // namespace

MessageCarrier::MessageCarrier() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { ScheduleIfWaiting(); },
                Qt::DirectConnection);
}

MessageCarrier::~MessageCarrier() = default;

void MessageCarrier::Post(QObject* receiver, std::unique_ptr<MessageEvent> e) {
    if (!receiver) return;
    if (receiver->thread() != thread() || QThread::currentThread() != thread()) {
        QCoreApplication::postEvent(receiver, e.release());
        return;
    }
    queue_.push_back({receiver, std::move(e)});
    // A message from a handler that a running drain delivered is picked up by
    // that drain, or by the hook when the handler runs a loop of its own.
    if (!scheduled_ && draining_ == 0) {
        scheduled_ = true;
        QCoreApplication::postEvent(this, new QEvent(DrainEventType()));
    }
}

void MessageCarrier::ScheduleIfWaiting() {
    if (queue_.empty() || scheduled_) return;
    scheduled_ = true;
    QCoreApplication::postEvent(this, new QEvent(DrainEventType()));
}

bool MessageCarrier::event(QEvent* e) {
    if (e->type() != DrainEventType()) return QObject::event(e);
    scheduled_ = false;
    Drain();
    return true;
}

void MessageCarrier::Drain() {
    ++draining_;
    struct EndOfDrain {
        int& n;
        ~EndOfDrain() { --n; }
    } end{draining_};
    while (!queue_.empty()) {
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        if (QObject* receiver = entry.Receiver.data()) QCoreApplication::sendEvent(receiver, entry.Message.get());
    }
}
