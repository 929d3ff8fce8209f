#pragma once
// The window and thread messages of the program, one table for every area. A
// message is a QEvent whose type is its number (all lie in Qt's user range),
// with two integer arguments and at most one payload that the receiver owns.
#include <QCoreApplication>
#include <QEvent>
#include <cstdint>
#include <memory>

enum WindowMessage : int {
    UM_RELAY = 0x401,
    UM_PORT_OPENED = 0x464,
    UM_PORT_CLOSED = 0x465,
    UM_SEND_DONE = 0x466,
    UM_RECEIVE_DATA = 0x467,
    UM_CHANNEL_RESET = 0x468,
    UM_COMM_ERROR = 0x46E,
    UM_WORKER_QUIT = 0x1401,
    UM_LOG_READING = 0x1402,
    UM_MONITOR_READING = 0x1403,
    UM_LOG_RECORD = 0x1410,
    UM_MONITOR_RECORD = 0x1411,
    UM_TRANSFER_REQUEST = 0x1420,
    UM_TRANSFER_RESULT = 0x1421,
    UM_PRINT_REQUEST = 0x1500,
    UM_PROGRESS_FIRST = 0x1700,
    UM_PROGRESS_LAST = 0x1704,
};
static_assert(int(UM_RELAY) > int(QEvent::User) && int(UM_PROGRESS_LAST) < int(QEvent::MaxUser));

// Base of every payload; the receiver of a message owns it.
struct MessagePayload {
    virtual ~MessagePayload() = default;
};

class PostedMessage final : public QEvent {
public:
    PostedMessage(int number, std::intptr_t wparam, std::intptr_t lparam,
                  std::unique_ptr<MessagePayload> payload = nullptr)
        : QEvent(static_cast<QEvent::Type>(number)), WParam(wparam), LParam(lparam), Payload(std::move(payload)) {}

    int Number() const { return static_cast<int>(type()); }

    std::intptr_t WParam;
    std::intptr_t LParam;
    std::unique_ptr<MessagePayload> Payload;
};

// Posts a message; the order of one sender's messages is kept.
inline void PostWindowMessage(QObject* receiver, int number, std::intptr_t wparam = 0, std::intptr_t lparam = 0,
                              std::unique_ptr<MessagePayload> payload = nullptr) {
    QCoreApplication::postEvent(receiver, new PostedMessage(number, wparam, lparam, std::move(payload)));
}
