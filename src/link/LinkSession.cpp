#include "link/LinkSession.h"

#include "core/Prompt.h"
#include "link/MessageEvent.h"
#include "link/TransferEngine.h"
#include "protocol/ExchangeStatusText.h"
#include "protocol/ReceivedBlock.h"

namespace {
std::unique_ptr<TransferRequest> AsTransfer(std::unique_ptr<LinkRequest> r) {
    if (!dynamic_cast<TransferRequest*>(r.get())) return nullptr;
    return std::unique_ptr<TransferRequest>(static_cast<TransferRequest*>(r.release()));
}

// Argument of UM_TRANSFER_REQUEST: a request, or a release posted as a cancel.
enum RequestKind : int { kPlainRequest = 0, kCancelRequest = 1 };
}  // namespace

LinkSession::LinkSession(std::uint8_t& mask, SerialDeviceMap devices) : mask_(mask), devices_(std::move(devices)) {}

LinkSession::~LinkSession() {
    if (mng_) End();
}

void LinkSession::Start(const PortSetting& setting) {
    type_ = LinkTypeOf(setting.Method);
    portOpen_ = false;
    mng_ = std::make_unique<CTransMng>(this, setting, devices_);
    mng_->Create();
    if (Rules().StartLink()) mng_->Open(0);
}

void LinkSession::Stop() {
    if (!mng_) return;
    if (Rules().CloseLink()) mng_->Close();
    mng_->Quit();
    mng_->Wait(-1);
    mng_.reset();
    // A request still waiting for the old port will never be sent.
    Return(std::move(current_), kTransferCancelled);
}

bool LinkSession::CloseForExit() {
    if (!mng_ || !Rules().CloseLink()) return false;
    portOpen_ = false;
    mng_->Close();
    return true;
}

void LinkSession::End(int timeoutMs) {
    if (!mng_) return;
    mng_->Quit();
    // A transfer manager that does not end in time is left behind rather than
    // destroyed under its running thread; the program is ending anyway.
    if (!mng_->Wait(timeoutMs)) (void)mng_.release();
    mng_.reset();
}

void LinkSession::Submit(std::unique_ptr<TransferRequest> request, bool cancel) {
    PostMessage(this, UM_TRANSFER_REQUEST, cancel ? kCancelRequest : kPlainRequest, 0, std::move(request));
}

void LinkSession::Return(std::unique_ptr<TransferRequest> request, int code) {
    if (!request) return;
    QObject* requester = request->Requester.data();
    PostMessage(requester, UM_TRANSFER_RESULT, code, 0, std::move(request));
}

void LinkSession::Apply(const LinkActions& a, std::unique_ptr<TransferRequest> concerned) {
    if (a.ResetChannel && mng_) mng_->Reset(0);
    if (a.QueueCurrent && current_ && mng_) mng_->Queue(0, std::move(current_));
    if (a.Return >= 0) Return(std::move(concerned), a.Return);
    if (a.Open && mng_) mng_->Open(0);
    if (a.Close && mng_) mng_->Close();
}

bool LinkSession::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m) return QObject::event(e);
    switch (m->Message()) {
    case UM_TRANSFER_REQUEST: OnTransferRequest(*m); return true;
    case UM_PORT_OPENED:
        portOpen_ = true;
        portError_.clear();
        // A cancel waiting for its channel reset is never sent.
        Apply(Rules().PortOpened(current_ && !current_->IsRelease()), nullptr);
        return true;
    case UM_SEND_DONE: {
        auto request = AsTransfer(m->Take<LinkRequest>());
        const LinkActions a = Rules().SendDone(request ? request->ClearBits : 0);
        Apply(a, std::move(request));
        return true;
    }
    case UM_RECEIVE_DATA: OnReceiveData(*m); return true;
    case UM_CHANNEL_RESET: {
        (void)m->Take<LinkRequest>();  // the text in the send slot: withdrawn
        const LinkActions a = Rules().ChannelReset(current_ != nullptr);
        Apply(a, std::move(current_));
        return true;
    }
    case UM_COMM_ERROR: {
        const int code = static_cast<int>(m->WParam()) & 0xFF00;
        if (auto why = m->Take<std::string>()) portError_ = *why;
        if (code == LinkOutcomeCode::OpenFailed) {
            portOpen_ = false;
            const LinkActions a = Rules().OpenFailed(currentSetBits_, current_ != nullptr);
            Apply(a, std::move(current_));
        } else if (code == LinkOutcomeCode::SendFailed) {
            auto request = AsTransfer(m->Take<LinkRequest>());
            const LinkActions a = Rules().SendFailed(request ? request->ClearBits : 0);
            Apply(a, std::move(request));
        } else if (code == LinkOutcomeCode::SendSkipped) {
            Return(AsTransfer(m->Take<LinkRequest>()), kTransferSkipped);
        }
        return true;  // 0x85xx: the port failed a read or write; nothing to do here
    }
    case UM_PORT_CLOSED:
        portOpen_ = false;
        emit portClosed();
        return true;
    case UM_RELAY: return true;  // for the modem worker
    default: return QObject::event(e);
    }
}

void LinkSession::OnTransferRequest(MessageEvent& m) {
    auto request = m.Take<TransferRequest>();
    if (!request) return;
    if (m.WParam() == kCancelRequest) {
        const std::uint8_t clearBits = request->ClearBits;
        // A request still waiting for the port goes nowhere now.
        current_ = std::move(request);
        currentSetBits_ = 0;
        Apply(Rules().Cancel(clearBits), nullptr);
        return;
    }
    if (request->IsRelease()) {
        const LinkActions a = Rules().Release(request->ClearBits);
        Apply(a, std::move(request));
        return;
    }
    if (request->Follows != 0) {
        // Queued ahead of its turn: never held for the port like a request
        // (that slot is the one before it); what cannot go now comes back unsent.
        if (!QueuesAhead()) return Return(std::move(request), kTransferSkipped);
        Rules().Accept(request->SetBits, true);
        mng_->Queue(0, std::move(request));
        return;
    }
    currentSetBits_ = request->SetBits;
    const LinkActions a = Rules().Accept(request->SetBits, portOpen_ && mask_ != LinkActivity::Closing);
    current_ = std::move(request);
    Apply(a, nullptr);
}

void LinkSession::OnReceiveData(MessageEvent& m) {
    auto block = m.Take<ReceivedBlock>();
    if (!block) return;
    switch (ClassifyReceivedText(block->Text())) {
    case ReceivedTextKind::SettingData:
        PostMessage(settingReceiver_.data(), UM_TRANSFER_RESULT, kTransferReceived, 0, std::move(block));
        break;
    case ReceivedTextKind::DialingAssignment:
        PostMessage(dialingReceiver_.data(), UM_TRANSFER_RESULT, kTransferReceived, 0, std::move(block));
        break;
    case ReceivedTextKind::ExchangeStatus: OnExchangeStatus(block->Text()); break;
    case ReceivedTextKind::LogData:
        PostMessage(logReceiver_.data(), UM_TRANSFER_RESULT, kTransferReceived, 0, std::move(block));
        break;
    case ReceivedTextKind::MonitorData:
        PostMessage(monitorReceiver_.data(), UM_TRANSFER_RESULT, kTransferReceived, 0, std::move(block));
        break;
    case ReceivedTextKind::Unused: break;
    }
}

void LinkSession::OnExchangeStatus(std::string_view text) {
    const auto status = ExchangeStatusText::Decode(text);
    if (!status) return;
    // The transfer under way ends first, releasing its activity (a modem line
    // is hung up), so the message box is shown with no progress window left.
    if (active_) active_->Interrupt();
    const std::string message = status->Message();
    if (!message.empty()) AppPrompt().Tell(message, PromptIcon::Warning);
}
