#pragma once
// A posted message: a QEvent whose type is the message number (Messages.h), two
// integer arguments and at most one payload that the receiver takes over.
#include <QCoreApplication>
#include <QEvent>
#include <memory>

#include "protocol/Messages.h"

class MessagePayload {
public:
    virtual ~MessagePayload() = default;
};

template <class T>
class BoxedPayload : public MessagePayload {
public:
    explicit BoxedPayload(std::unique_ptr<T> v) : value(std::move(v)) {}
    std::unique_ptr<T> value;
};

class MessageEvent : public QEvent {
public:
    MessageEvent(int message, qintptr wParam = 0, qintptr lParam = 0,
                 std::unique_ptr<MessagePayload> payload = nullptr)
        : QEvent(static_cast<QEvent::Type>(message)), wParam_(wParam), lParam_(lParam),
          payload_(std::move(payload)) {}

    int Message() const { return static_cast<int>(type()); }
    qintptr WParam() const { return wParam_; }
    qintptr LParam() const { return lParam_; }
    bool HasPayload() const { return payload_ != nullptr; }

    // The payload as the type it was posted with; nothing when it is another
    // type or was taken already.
    template <class T>
    std::unique_ptr<T> Take() {
        auto* boxed = dynamic_cast<BoxedPayload<T>*>(payload_.get());
        return boxed ? std::move(boxed->value) : nullptr;
    }

    static bool IsMessage(const QEvent* e) { return dynamic_cast<const MessageEvent*>(e) != nullptr; }

private:
    qintptr wParam_;
    qintptr lParam_;
    std::unique_ptr<MessagePayload> payload_;
};

// Posts a message through Qt's queue of the receiver's thread, which keeps each
// sender's order; a null receiver drops it and its payload.
inline void PostMessage(QObject* receiver, int message, qintptr wParam = 0, qintptr lParam = 0) {
    if (receiver) QCoreApplication::postEvent(receiver, new MessageEvent(message, wParam, lParam));
}

template <class T>
void PostMessage(QObject* receiver, int message, qintptr wParam, qintptr lParam, std::unique_ptr<T> payload) {
    if (!receiver) return;
    std::unique_ptr<MessagePayload> boxed;
    if (payload) boxed = std::make_unique<BoxedPayload<T>>(std::move(payload));
    QCoreApplication::postEvent(receiver, new MessageEvent(message, wParam, lParam, std::move(boxed)));
}
