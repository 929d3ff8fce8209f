#include "comm/TransferDriver.h"

#include "comm/MessageEvent.h"
#include "comm/ProgressTitles.h"
#include "comm/ReceivedBlock.h"
#include "comm/SendRoutine.h"

TransferDriver::TransferDriver(QObject* view, SettingData& model) : view_(view), model_(model) {
    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

TransferDriver::~TransferDriver() = default;

SequencePhase TransferDriver::Phase() const {
    if (upload_) return upload_->Phase();
    if (download_) return download_->Phase();
    return SequencePhase::Idle;
}

SequenceProgress TransferDriver::Progress() const {
    if (upload_) return upload_->Progress();
    if (download_) return download_->Progress();
    return {};
}

bool TransferDriver::Start(Direction direction, int selected) {
    if (Running()) return false;
    direction_ = direction;
    bytes_ = 0;
    inFlight_ = 0;
    upload_.reset();
    download_.reset();
    InterruptionFlag() = false;
    SequenceStep step;
    if (direction == Direction::Upload) {
        upload_ = std::make_unique<UploadSequence>(model_);
        step = upload_->Start(selected);
    } else {
        download_ = std::make_unique<DownloadSequence>(model_);
        step = download_->Start(selected);
    }
    if (Phase() == SequencePhase::Idle) return false;
    timer_.start();
    Apply(step);
    return true;
}

void TransferDriver::Abort() {
    if (!Running()) return;
    InterruptionFlag() = true;
    Tick();
}

void TransferDriver::Tick() {
    // The progress window's Cancel reaches the sequence through the flag.
    if (InterruptionFlag().load()) {
        if (upload_) upload_->Cancel();
        if (download_) download_->Cancel();
    }
    Apply(upload_ ? upload_->OnTick() : download_ ? download_->OnTick() : SequenceStep{});
}

bool TransferDriver::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
    const int code = static_cast<int>(m->WParam());
    // A 4 may also come unasked, when the view stops the transfer windows.
    if (code != kTransferReceived && inFlight_ > 0) --inFlight_;
    SequenceStep step;
    if (upload_) {
        // Checked before the next text goes: a Cancel turns it into a release.
        if (InterruptionFlag().load()) upload_->Cancel();
        step = upload_->OnResult(code);
    } else if (download_) {
        std::string text;
        if (auto block = m->Take<ReceivedBlock>()) text.assign(block->Text());
        if (InterruptionFlag().load()) download_->Cancel();
        if (code == kTransferReceived && download_->Receiving()) bytes_ += static_cast<long long>(text.size());
        step = download_->OnResult(code, text);
    }
    // A text the link gave up on leaves its activity bits set, and a modem
    // line is only hung up once they are clear: release them.
    if (code == kTransferFailed && Phase() == SequencePhase::Failed && !step.Send) {
        step.Send = true;
        step.Request = ReleaseRequest(kActivityAll);
    }
    Apply(step);
    return true;
}

void TransferDriver::Apply(const SequenceStep& step) {
    // In the order the sequences ask for: step, send, receiving, end, message.
    if (step.ProgressStep) PostProgressStep(view_);
    if (step.Send) {
        ++inFlight_;
        const SequenceRequest& r = step.Request;
        if (r.IsRelease()) {
            if (r.AsCancel) PostCancel(view_, this, r.ClearBits);
            else PostMessage(view_, UM_TRANSFER_REQUEST, 0, 0, TransferRequest::Release(this, r.ClearBits));
        } else {
            TransferHeader header;
            header.Requester = this;
            header.SetBits = r.SetBits;
            header.ClearBits = r.ClearBits;
            header.ExchangeIndex = r.ExchangeIndex;
            bytes_ += static_cast<long long>(r.Text.Length);
            SendText(view_, header, r.ProgressMode, r.ProgressTotal, r.FirstText, r.Text);
        }
    }
    if (step.ProgressReceiving) PostProgressReset(view_, kProgressReceiving, ProgressTitle('Q'), Progress().Total);
    if (step.ProgressEnd) PostProgressEnd(view_);
    if (!Running()) timer_.stop();
    if (step.Message && OnMessage) OnMessage(step.Message);
    if (step.ForgetRegistration && OnForgetRegistration) OnForgetRegistration();
    if (OnChange) OnChange();
}
