#pragma once
// A link session that is never started, for window tests: the requests the
// windows hand it are held and written down ("A00..." for a text, "release/N"
// and "cancel/N" for releases), and the test answers them with result codes,
// as the link would. Header-only: the pure test support library has no Qt.
#include <QCoreApplication>
#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "link/LinkSession.h"
#include "link/MessageEvent.h"

class LinkRecorder : public QObject {
public:
    std::uint8_t mask = 0;
    LinkSession session{mask, SerialDeviceMap{}};
    std::vector<std::string> Requests;

    LinkRecorder() { session.installEventFilter(this); }

    // Answers the oldest held request with code; false when none is held.
    bool Answer(int code) {
        Deliver();
        if (held_.empty()) return false;
        std::unique_ptr<TransferRequest> r = std::move(held_.front());
        held_.erase(held_.begin());
        QObject* requester = r->Requester.data();
        PostMessage(requester, UM_TRANSFER_RESULT, code, 0, std::move(r));
        Deliver();
        return true;
    }
    // Answers every request with code, the ones they bring about too.
    void AnswerAll(int code) {
        while (Answer(code)) {
        }
    }
    // Hands on what was posted: the requests reach this recorder.
    static void Deliver() {
        for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (watched != &session || !m || m->Message() != UM_TRANSFER_REQUEST) return false;
        auto r = m->Take<TransferRequest>();
        if (!r) return true;
        if (m->WParam() == 1) Requests.push_back("cancel/" + std::to_string(r->ClearBits));
        else if (r->IsRelease()) Requests.push_back("release/" + std::to_string(r->ClearBits));
        else Requests.push_back(r->Text);
        held_.push_back(std::move(r));
        return true;
    }

private:
    std::vector<std::unique_ptr<TransferRequest>> held_;
};
