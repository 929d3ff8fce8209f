#pragma once
// The main view's side of the link: it owns the transfer manager, keeps the
// activity byte by the rules of LinkActivity, accepts the requests of the send
// routine, follows the link worker's notifications, returns every request to
// its requester with a result code and dispatches received texts by letter.
// Qt Core only, so the command-line companion runs the same path.
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>

#include "comm/LinkActivity.h"
#include "comm/SerialPort.h"
#include "comm/TransMng.h"
#include "comm/TransferRequest.h"

class MessageEvent;
class ReceivedBlock;

class ViewLink {
public:
    // view: where the link worker's notifications go (the object whose events
    // are handed to Handle); mask: the view's activity byte.
    ViewLink(QObject* view, std::uint8_t& mask, SerialDeviceMap devices);
    ~ViewLink();
    ViewLink(const ViewLink&) = delete;
    ViewLink& operator=(const ViewLink&) = delete;

    // Creates and starts a transfer manager; unless the method is modem the
    // port is opened at once (activity 128).
    void Start(const PortSetting& setting);
    // Before a replacement: closes what the method needs closed, ends the
    // transfer manager and waits for it without a time limit.
    void Stop();
    // Exit: closes the port (activity 64); true when a UM_PORT_CLOSED will come.
    bool CloseForExit();
    // Exit: ends the transfer manager, waiting at most timeoutMs.
    void End(int timeoutMs);

    // The link, transfer and relay messages; true when taken.
    bool Handle(MessageEvent& message);

    // Receivers of texts by letter. A window registers while it is open and
    // unregisters (nullptr) when it closes; a destroyed one is forgotten.
    void SetSettingReceiver(QObject* window) { settingReceiver_ = window; }
    void SetDialingReceiver(QObject* window) { dialingReceiver_ = window; }
    // Texts 'o' and 'p': the record rings and their consumers, once they exist.
    std::function<void(std::unique_ptr<ReceivedBlock>)> OnLogData;
    std::function<void(std::unique_ptr<ReceivedBlock>)> OnMonitorData;
    // A status text 'z' arrived: close the progress window if one is showing.
    std::function<void()> OnExchangeStatus;

    CTransMng* TransMng() const { return mng_.get(); }
    std::uint8_t Mask() const { return mask_; }
    // A request accepted but not yet queued (the port is being opened).
    bool Holding() const { return current_ != nullptr; }

private:
    LinkActivity Rules() { return LinkActivity(mask_, type_); }
    void Apply(const LinkActions& a, std::unique_ptr<TransferRequest> concerned);
    void OnTransferRequest(MessageEvent& m);
    void OnReceiveData(MessageEvent& m);
    void StopTransferWindows();

    QObject* view_;
    std::uint8_t& mask_;
    SerialDeviceMap devices_;
    LinkType type_ = LinkType::Serial;
    std::unique_ptr<CTransMng> mng_;
    std::unique_ptr<TransferRequest> current_;  // accepted, waiting for the port
    std::uint8_t currentSetBits_ = 0;
    bool portOpen_ = false;  // reported open, not closed or failed since
    QPointer<QObject> settingReceiver_;
    QPointer<QObject> dialingReceiver_;
};

// Posts a request back to its requester with a result code.
void ReturnRequest(std::unique_ptr<TransferRequest> request, int code);
