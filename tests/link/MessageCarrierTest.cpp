// Posted messages: order, hand-over between threads, receivers that go away,
// and delivery inside a loop that a handler runs (as a modal dialog does).
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/MessageCarrier.h"
#include "link/MessageEvent.h"

namespace {

std::vector<std::string> delivered;

// Logs "<name><wParam>" for every message and runs the reaction given for it.
class Window : public QObject {
public:
    explicit Window(std::string name) : name_(std::move(name)) {}
    std::function<void(int)> react;

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m) return QObject::event(e);
        delivered.push_back(name_ + std::to_string(m->WParam()));
        if (react) react(static_cast<int>(m->WParam()));
        return true;
    }

private:
    std::string name_;
};

constexpr int kMessage = UM_TRANSFER_RESULT;
constexpr int kDeadlineMs = 10000;

std::unique_ptr<MessageEvent> Message(int n, std::unique_ptr<std::string> payload = nullptr) {
    return MakeMessage(kMessage, n, 0, std::move(payload));
}

using Log = std::vector<std::string>;

}  // namespace

class MessageCarrierTest : public QObject {
    Q_OBJECT
    std::unique_ptr<MessageCarrier> carrier;
private slots:
    void init() {
        delivered.clear();
        carrier = std::make_unique<MessageCarrier>();
    }

    void deliversInPostingOrderIncludingMessagesPostedByHandlers() {
        Window a("a"), b("b");
        a.react = [&](int n) {
            if (n == 1) carrier->Post(&b, Message(3));  // after everything posted before it
        };
        b.react = [&](int n) {
            if (n == 3) carrier->Post(&a, Message(4));
        };
        carrier->Post(&a, Message(1));
        carrier->Post(&b, Message(2));
        QVERIFY(delivered.empty());  // nothing before the loop runs
        QTRY_VERIFY_WITH_TIMEOUT(delivered.size() == 4, kDeadlineMs);
        QCoreApplication::processEvents();
        QCOMPARE(delivered, (Log{"a1", "b2", "b3", "a4"}));
    }

    // Workers post through Qt's queue and never touch a carrier, so one can
    // go (the program ends) while they post.
    void aWorkersMessagesArriveAllAndInOrderWhileCarriersGo() {
        Window a("a");
        std::vector<int> got;
        a.react = [&](int n) {
            if (n >= 0) got.push_back(n);
        };
        constexpr int kCount = 2000;
        std::unique_ptr<QThread> poster(QThread::create([&] {
            for (int i = 0; i < kCount; ++i) PostMessage(&a, kMessage, i);
        }));
        poster->start();
        for (int i = 0; i < 50; ++i) {
            carrier = std::make_unique<MessageCarrier>();
            carrier->Post(&a, Message(-1));
            QCoreApplication::processEvents();
            carrier.reset();
        }
        QTRY_VERIFY_WITH_TIMEOUT(static_cast<int>(got.size()) == kCount, kDeadlineMs);
        poster->wait();
        for (int i = 0; i < kCount; ++i) QCOMPARE(got[static_cast<std::size_t>(i)], i);
    }

    void aReceiverGoneBeforeDeliveryDropsItsMessageAndPayload() {
        auto gone = std::make_unique<Window>("gone");
        Window stays("s");
        carrier->Post(gone.get(), Message(1, std::make_unique<std::string>("payload")));
        carrier->Post(&stays, Message(2));
        gone.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!delivered.empty(), kDeadlineMs);
        QCOMPARE(delivered, Log{"s2"});
    }

    // As a requester showing a modal message box: the loop inside the
    // handler waits for a message posted after the handler started.
    void aHandlerRunningItsOwnLoopStillGetsLaterMessages() {
        Window a("a"), b("b");
        bool nestedDone = false;
        a.react = [&](int) {
            QEventLoop modal;
            b.react = [&](int) { modal.quit(); };
            carrier->Post(&b, Message(2));
            QTimer::singleShot(kDeadlineMs, &modal, &QEventLoop::quit);
            modal.exec();
            nestedDone = delivered.size() == 2;
        };
        carrier->Post(&a, Message(1));
        QTRY_VERIFY_WITH_TIMEOUT(delivered.size() == 2, kDeadlineMs);
        QVERIFY(nestedDone);
        QCOMPARE(delivered, (Log{"a1", "b2"}));
    }

    void aReceiverOnAnotherThreadGetsItThroughThatThreadsLoop() {
        QThread worker;
        Window w("w");
        w.moveToThread(&worker);
        std::atomic<QThread*> ranOn{nullptr};
        w.react = [&](int) { ranOn = QThread::currentThread(); };
        worker.start();
        carrier->Post(&w, Message(7));
        QTRY_VERIFY_WITH_TIMEOUT(ranOn.load() != nullptr, kDeadlineMs);
        QCOMPARE(ranOn.load(), &worker);
        worker.quit();
        worker.wait();
    }
};

QTEST_GUILESS_MAIN(MessageCarrierTest)
#include "MessageCarrierTest.moc"
