#pragma once
// Carries the messages that objects of the user-interface thread post to one
// another (a request to the link session, a result to its requester), in the
// order they were posted, through one queue of its own.
//
// Qt's own posted events cost the thread a wake-up per event: several system
// calls per text of a transfer. Here one queued Qt event drains every message
// waiting, including those that the handlers post while it runs; a handler
// that opens a modal dialog still gets the later messages delivered inside the
// dialog's loop, because the queue is looked at again whenever that loop is
// about to wait. Other threads never touch it: they post through Qt's queue
// (PostMessage), so the carrier can go while a worker still posts.
#include <QObject>
#include <QPointer>
#include <deque>
#include <memory>

class MessageEvent;

class MessageCarrier : public QObject {
public:
    // Lives on the calling thread, which must be the one its messages go to.
    MessageCarrier();
    ~MessageCarrier() override;

    // Delivers e to receiver after the current event, as a posted event would;
    // a receiver that is gone by then drops it. A receiver of another thread
    // gets it through Qt's queue.
    void Post(QObject* receiver, std::unique_ptr<MessageEvent> e);
    bool Empty() const { return queue_.empty(); }

protected:
    bool event(QEvent* e) override;

private:
    struct Entry {
        QPointer<QObject> Receiver;
        std::unique_ptr<MessageEvent> Message;
    };
    void Drain();
    void ScheduleIfWaiting();

    std::deque<Entry> queue_;
    bool scheduled_ = false;  // a drain event is in Qt's queue
    int draining_ = 0;        // drains running (nested ones too)
};
