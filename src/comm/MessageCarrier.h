#pragma once
// Carries posted messages to the objects of the program's main thread, in the
// order they were posted, through one queue of its own.
//
// Qt's own posted events cost the receiving thread a wake-up per event, even
// when a handler posts to another window of the same thread (a result to its
// requester, the next text to the view): several system calls per text of a
// transfer. Here one queued Qt event drains every message waiting, including
// those that the handlers post while it runs; a handler that opens a modal
// dialog still gets the later messages delivered inside the dialog's loop,
// because the queue is looked at again whenever that loop is about to wait.
// Messages for objects of other threads go through Qt's queue as before.
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>
#include <mutex>

class MessageEvent;

class MessageCarrier : public QObject {
public:
    // Delivers e to receiver after the current event, as a posted event would;
    // a receiver that is gone by then drops it.
    static void Post(QObject* receiver, std::unique_ptr<MessageEvent> e);
    ~MessageCarrier() override;

protected:
    bool event(QEvent* e) override;

private:
    struct Entry {
        QPointer<QObject> Receiver;
        std::unique_ptr<MessageEvent> Message;
    };
    explicit MessageCarrier(QObject* app);
    // The carrier of the running application, made on its thread when needed.
    static MessageCarrier* Instance(bool create);
    void Push(QObject* receiver, std::unique_ptr<MessageEvent> e);
    void Drain();
    void ScheduleIfWaiting();

    std::mutex mutex_;
    std::deque<Entry> queue_;
    bool scheduled_ = false;  // a drain event is in Qt's queue
    int draining_ = 0;        // drains running on the main thread (nested ones too)
    bool hooked_ = false;     // the main loop tells the carrier before it waits
};
