#pragma once
// The program's one link to the exchanges. The application makes it, and so
// does nx420ctl; every window that talks to the exchanges is handed it. It
// owns the transfer manager (and through it the link worker), keeps the
// activity byte by the rules of LinkActivity, accepts the requests of the send
// routine (UM_TRANSFER_REQUEST), follows the link worker's notifications,
// returns every request to its requester with a result code (UM_TRANSFER_RESULT)
// and dispatches received texts by letter. Qt Core only.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>

#include "link/TransMng.h"
#include "link/TransferRequest.h"
#include "port/SerialPort.h"
#include "protocol/LinkActivity.h"

class MessageEvent;
class ProgressSink;
class TransferEngine;

class LinkSession : public QObject {
    Q_OBJECT
public:
    // mask: the activity byte (the main view's, or the command's own).
    LinkSession(std::uint8_t& mask, SerialDeviceMap devices);
    ~LinkSession() override;

    // Creates and starts a transfer manager; unless the method is modem the
    // port is opened at once (activity 128).
    void Start(const PortSetting& setting);
    // Before a replacement: closes what the method needs closed, ends the
    // transfer manager and waits for it without a time limit.
    void Stop();
    // Exit: closes the port (activity 64); true when portClosed() will follow.
    bool CloseForExit();
    // Exit: ends the transfer manager, waiting at most timeoutMs.
    static constexpr int kEndWaitMs = 3000;
    void End(int timeoutMs = kEndWaitMs);

    // The send routine's way in: a request, or with cancel a release that
    // withdraws what the link holds. Posted, as every message between windows
    // (Qt's queue keeps each sender's order, also into a dialog's own loop).
    void Submit(std::unique_ptr<TransferRequest> request, bool cancel = false);

    // Receivers of texts by letter. A transfer registers while it runs and
    // unregisters (nullptr) when it ends; a destroyed one is forgotten.
    void SetSettingReceiver(QObject* receiver) { settingReceiver_ = receiver; }
    void SetDialingReceiver(QObject* receiver) { dialingReceiver_ = receiver; }
    // Log ('o') and monitor ('p') texts: the main view, for the program's life.
    void SetLogReceiver(QObject* receiver) { logReceiver_ = receiver; }
    void SetMonitorReceiver(QObject* receiver) { monitorReceiver_ = receiver; }

    // Where transfers show their progress; nullptr: nowhere.
    void SetProgress(ProgressSink* sink) { progress_ = sink; }
    ProgressSink* Progress() const { return progress_; }
    // The transfer under way: a status text from an exchange interrupts it.
    void SetActive(TransferEngine* engine) { active_ = engine; }
    void ClearActive(TransferEngine* engine) {
        if (active_ == engine) active_ = nullptr;
    }

    // A request queued ahead of its turn (LinkRequest::Follows) is taken:
    // a serial port is open and not closing.
    bool QueuesAhead() const {
        return mng_ && portOpen_ && type_ == LinkType::Serial && mask_ != LinkActivity::Closing;
    }

    // Takes a request queued ahead out of the link again (a cancel); false
    // when the link has taken it already or it is not queued yet.
    bool WithdrawAhead(std::uint64_t serial) { return mng_ && mng_->Withdraw(0, serial); }

    CTransMng* TransMng() const { return mng_.get(); }
    std::uint8_t Mask() const { return mask_; }
    // Why the port last failed to open or to take bytes, as the device said.
    const std::string& PortError() const { return portError_; }

signals:
    // UM_PORT_CLOSED: the port or line is closed.
    void portClosed();

protected:
    bool event(QEvent* e) override;

private:
    LinkActivity Rules() { return LinkActivity(mask_, type_); }
    void Apply(const LinkActions& a, std::unique_ptr<TransferRequest> concerned);
    void Return(std::unique_ptr<TransferRequest> request, int code);
    void OnTransferRequest(MessageEvent& m);
    void OnReceiveData(MessageEvent& m);
    void OnExchangeStatus(std::string_view text);

    std::uint8_t& mask_;
    SerialDeviceMap devices_;
    LinkType type_ = LinkType::Serial;
    std::unique_ptr<CTransMng> mng_;
    std::unique_ptr<TransferRequest> current_;  // accepted, waiting for the port
    std::uint8_t currentSetBits_ = 0;
    bool portOpen_ = false;  // reported open, not closed or failed since
    std::string portError_;
    QPointer<QObject> settingReceiver_;
    QPointer<QObject> dialingReceiver_;
    QPointer<QObject> logReceiver_;
    QPointer<QObject> monitorReceiver_;
    ProgressSink* progress_ = nullptr;
    TransferEngine* active_ = nullptr;
};
