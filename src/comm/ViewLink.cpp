#include "comm/ViewLink.h"

#include "comm/ExchangeStatusText.h"
#include "comm/MessageEvent.h"
#include "comm/ReceivedBlock.h"
#include "comm/SendRoutine.h"
#include "core/Prompt.h"

namespace {
std::unique_ptr<TransferRequest> AsTransfer(std::unique_ptr<LinkRequest> r) {
    if (!dynamic_cast<TransferRequest*>(r.get())) return nullptr;
    return std::unique_ptr<TransferRequest>(static_cast<TransferRequest*>(r.release()));
}
}  // namespace

void ReturnRequest(std::unique_ptr<TransferRequest> request, int code) {
    if (!request) return;
    QObject* requester = request->Requester.data();
    PostMessage(requester, UM_TRANSFER_RESULT, code, 0, std::move(request));
}

ViewLink::ViewLink(QObject* view, std::uint8_t& mask, SerialDeviceMap devices)
    : view_(view), mask_(mask), devices_(std::move(devices)) {}

ViewLink::~ViewLink() {
    if (mng_) End(3000);
}

void ViewLink::Start(const PortSetting& setting) {
    type_ = LinkTypeOf(setting.Method);
    portOpen_ = false;
    mng_ = std::make_unique<CTransMng>(view_, setting, devices_);
    mng_->Create();
    if (Rules().StartLink()) mng_->Open(0);
}

void ViewLink::Stop() {
    if (!mng_) return;
    if (Rules().CloseLink()) mng_->Close();
    mng_->Quit();
    mng_->Wait(-1);
    mng_.reset();
    // A request still waiting for the old port will never be sent.
    ReturnRequest(std::move(current_), kTransferCancelled);
}

bool ViewLink::CloseForExit() {
    if (!mng_ || !Rules().CloseLink()) return false;
    portOpen_ = false;
    mng_->Close();
    return true;
}

void ViewLink::End(int timeoutMs) {
    if (!mng_) return;
    mng_->Quit();
    // A transfer manager that does not end in time is left behind rather than
    // destroyed under its running thread; the program is ending anyway.
    if (!mng_->Wait(timeoutMs)) (void)mng_.release();
    mng_.reset();
}

void ViewLink::Apply(const LinkActions& a, std::unique_ptr<TransferRequest> concerned) {
    if (a.ResetChannel && mng_) mng_->Reset(0);
    if (a.QueueCurrent && current_ && mng_) mng_->Queue(0, std::move(current_));
    if (a.Return >= 0) ReturnRequest(std::move(concerned), a.Return);
    if (a.Open && mng_) mng_->Open(0);
    if (a.Close && mng_) mng_->Close();
}

bool ViewLink::Handle(MessageEvent& m) {
    switch (m.Message()) {
    case UM_TRANSFER_REQUEST: OnTransferRequest(m); return true;
    case UM_PORT_OPENED:
        portOpen_ = true;
        // A cancel waiting for its channel reset is never sent.
        Apply(Rules().PortOpened(current_ && !current_->IsRelease()), nullptr);
        return true;
    case UM_SEND_DONE: {
        auto request = AsTransfer(m.Take<LinkRequest>());
        const LinkActions a = Rules().SendDone(request ? request->ClearBits : 0);
        Apply(a, std::move(request));
        return true;
    }
    case UM_RECEIVE_DATA: OnReceiveData(m); return true;
    case UM_CHANNEL_RESET: {
        (void)m.Take<LinkRequest>();  // the text in the send slot: withdrawn
        const LinkActions a = Rules().ChannelReset(current_ != nullptr);
        Apply(a, std::move(current_));
        return true;
    }
    case UM_COMM_ERROR: {
        const int code = static_cast<int>(m.WParam()) & 0xFF00;
        if (code == LinkOutcomeCode::OpenFailed) {
            portOpen_ = false;
            const LinkActions a = Rules().OpenFailed(currentSetBits_, current_ != nullptr);
            Apply(a, std::move(current_));
        } else if (code == LinkOutcomeCode::SendFailed) {
            auto request = AsTransfer(m.Take<LinkRequest>());
            const LinkActions a = Rules().SendFailed(request ? request->ClearBits : 0);
            Apply(a, std::move(request));
        }
        return true;  // 0x8500: nothing for the view to do
    }
    case UM_PORT_CLOSED:
        portOpen_ = false;
        return true;  // the view turns "closing" into the close request
    case UM_RELAY: return true;        // for the modem worker, which is not built yet
    default: return false;
    }
}

void ViewLink::OnTransferRequest(MessageEvent& m) {
    auto request = m.Take<TransferRequest>();
    if (!request) return;
    if (m.WParam() == 1) {
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
    currentSetBits_ = request->SetBits;
    const LinkActions a = Rules().Accept(request->SetBits, portOpen_ && mask_ != LinkActivity::Closing);
    current_ = std::move(request);
    Apply(a, nullptr);
}

void ViewLink::OnReceiveData(MessageEvent& m) {
    auto block = m.Take<ReceivedBlock>();
    if (!block) return;
    switch (ClassifyReceivedText(block->Text())) {
    case ReceivedTextKind::SettingData:
        PostMessage(settingReceiver_.data(), UM_TRANSFER_RESULT, kTransferReceived, 0, std::move(block));
        break;
    case ReceivedTextKind::DialingAssignment:
        PostMessage(dialingReceiver_.data(), UM_TRANSFER_RESULT, kTransferReceived, 0, std::move(block));
        break;
    case ReceivedTextKind::LogData:
        if (OnLogData) OnLogData(std::move(block));
        break;
    case ReceivedTextKind::MonitorData:
        if (OnMonitorData) OnMonitorData(std::move(block));
        break;
    case ReceivedTextKind::ExchangeStatus: {
        const auto status = ExchangeStatusText::Decode(block->Text());
        if (!status) break;
        if (OnExchangeStatus) OnExchangeStatus();
        InterruptionFlag() = true;
        StopTransferWindows();
        const std::string message = status->Message();
        if (!message.empty()) AppPrompt().Tell(message, PromptIcon::Warning);
        break;
    }
    case ReceivedTextKind::Unused: break;
    }
}

void ViewLink::StopTransferWindows() {
    // Told to stop as if the transfer manager had withdrawn their request;
    // their own request's late result is then ignored by their supervision.
    PostMessage(settingReceiver_.data(), UM_TRANSFER_RESULT, kTransferCancelled);
    PostMessage(dialingReceiver_.data(), UM_TRANSFER_RESULT, kTransferCancelled);
}
