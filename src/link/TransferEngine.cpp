#include "link/TransferEngine.h"

#include "link/LinkSession.h"
#include "link/MessageEvent.h"
#include "link/ProgressSink.h"
#include "protocol/ReceivedBlock.h"
#include "protocol/TransferResult.h"
#include "texts/ProgressTitles.h"

class TransferEngine::Relay final : public QObject {
public:
    explicit Relay(TransferEngine& engine) : QObject(&engine), engine_(engine) {}

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        if (engine_.relay_ != this) return true;  // the request goes with the event
        const int code = static_cast<int>(m->WParam());
        if (code == kTransferSkipped) engine_.OnSkipped(m->Take<TransferRequest>());
        else engine_.OnResult(code, {});
        return true;
    }

private:
    TransferEngine& engine_;
};

namespace {
TransferHeader HeaderOf(QObject* requester, const SequenceRequest& r) {
    TransferHeader header;
    header.Requester = requester;
    header.SetBits = r.SetBits;
    header.ClearBits = r.ClearBits;
    header.ExchangeIndex = r.ExchangeIndex;
    return header;
}

bool SameText(const SequenceRequest& a, const SequenceRequest& b) {
    return a.SetBits == b.SetBits && a.ClearBits == b.ClearBits && a.ExchangeIndex == b.ExchangeIndex &&
           a.Text.View() == b.Text.View();
}
}  // namespace

TransferEngine::TransferEngine(LinkSession& session) : session_(session) {
    timer_.setInterval(1000);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
}

TransferEngine::~TransferEngine() {
    // A transfer whose window goes gives the link up, so no activity is left
    // behind and no result is addressed to a requester that is gone. Its
    // owner is going too: nothing is told any more.
    OnMessage = nullptr;
    OnChange = nullptr;
    OnFinished = nullptr;
    if (Running()) Interrupt();
    Register(false);
    session_.ClearActive(this);
}

void TransferEngine::Register(bool on) {
    if (registered_ == on) return;
    registered_ = on;
    if (settingTexts_) session_.SetSettingReceiver(on ? this : nullptr);
    if (dialingTexts_) session_.SetDialingReceiver(on ? this : nullptr);
}

bool TransferEngine::Run(std::unique_ptr<TransferSequence> sequence, const SequenceStep& first) {
    if (Running() || !sequence || sequence->Phase() == SequencePhase::Idle) return false;
    sequence_ = std::move(sequence);
    if (relay_) relay_->deleteLater();
    relay_ = new Relay(*this);
    bytes_ = 0;
    inFlight_ = 0;
    ahead_.reset();
    lastSerial_ = askedSerial_ = 0;
    running_ = true;
    session_.SetActive(this);
    if (settingTexts_ || dialingTexts_) Register(true);
    timer_.start();
    Apply(first);
    return true;
}

void TransferEngine::Cancel() {
    if (!Running()) return;
    sequence_->Cancel();
    // The text queued ahead is not sent after a cancel, unless the link has
    // started it already (as it would have had it been asked for just then).
    if (ahead_ && session_.WithdrawAhead(ahead_->Serial)) ahead_.reset();
}

void TransferEngine::DropAhead() {
    if (ahead_) session_.WithdrawAhead(ahead_->Serial);
    ahead_.reset();
}

void TransferEngine::Interrupt() {
    if (!Running()) return;
    Cancel();
    Tick();
}

void TransferEngine::Tick() {
    if (sequence_) Apply(sequence_->OnTick());
}

// Texts from the exchanges, as the receiver of setting texts.
bool TransferEngine::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
    std::string text;
    if (auto block = m->Take<ReceivedBlock>()) text.assign(block->Text());
    OnResult(static_cast<int>(m->WParam()), text);
    return true;
}

void TransferEngine::OnResult(int code, std::string_view text) {
    if (!sequence_) return;
    if (code != kTransferReceived && inFlight_ > 0) --inFlight_;
    if (code == kTransferReceived && sequence_->Receiving()) bytes_ += static_cast<long long>(text.size());
    SequenceStep step = sequence_->OnResult(code, text);
    // A text the link gave up on leaves its activity bits set, and a modem
    // line is only hung up once they are clear: release them.
    if (code == kTransferFailed && Phase() == SequencePhase::Failed && !step.Send) {
        step.Send = true;
        step.Request = ReleaseRequest(kActivityAll);
    }
    Apply(step);
}

// A text queued ahead that the link did not send: as it was not yet asked
// for, the sequence's step sends it in turn; if it was, it goes now.
void TransferEngine::OnSkipped(std::unique_ptr<TransferRequest> request) {
    if (!request) return;
    if (ahead_ && ahead_->Serial == request->Serial) {
        ahead_.reset();
        return;
    }
    if (!Running() || request->Serial != askedSerial_) return;
    request->Follows = 0;
    session_.Submit(std::move(request));
}

void TransferEngine::Submit(std::unique_ptr<TransferRequest> request) {
    lastSerial_ = request->Serial;
    session_.Submit(std::move(request));
}

void TransferEngine::Send(const SequenceRequest& r) {
    ++inFlight_;
    if (ahead_ && !SameText(ahead_->Request, r)) DropAhead();
    if (r.IsRelease()) {
        session_.Submit(TransferRequest::Release(relay_, r.ClearBits), r.AsCancel);
        return;
    }
    ShowSending(r);
    bytes_ += static_cast<long long>(r.Text.Length);
    if (ahead_) {
        // In the link already: it goes once the one before it is acknowledged.
        askedSerial_ = ahead_->Serial;
        ahead_.reset();
    } else {
        Submit(std::make_unique<TransferRequest>(HeaderOf(relay_, r), r.Text.View()));
        askedSerial_ = lastSerial_;
    }
    QueueAhead();
}

void TransferEngine::QueueAhead() {
    if (ahead_ || !session_.QueuesAhead()) return;
    SequenceRequest next;
    if (!sequence_->Following(next) || next.IsRelease()) return;
    auto request = std::make_unique<TransferRequest>(HeaderOf(relay_, next), next.Text.View());
    request->Follows = lastSerial_;
    ahead_ = Ahead{next, request->Serial};
    Submit(std::move(request));
}

// The send routine's progress window follows the text's letter.
void TransferEngine::ShowSending(const SequenceRequest& r) {
    const std::string_view text = r.Text.View();
    ProgressSink* progress = session_.Progress();
    if (const char* title = progress && !text.empty() ? ProgressTitle(text[0]) : nullptr) {
        if (r.ProgressMode == kProgressRetitle)
            progress->Retitle(kProgressTransmitting, title);
        else if (r.ProgressMode == kProgressOpen && r.FirstText)
            progress->Open(kProgressTransmitting, title, r.ProgressTotal, [this] { Cancel(); });
        else if (r.ProgressMode == kProgressNone && r.FirstText)
            progress->Reset(kProgressTransmitting, title, r.ProgressTotal);
    }
}

void TransferEngine::Apply(const SequenceStep& step) {
    // In the order the sequences ask for: step, send, receiving, end, message.
    ProgressSink* progress = session_.Progress();
    if (step.ProgressStep && progress) progress->Step();
    if (step.Send) Send(step.Request);
    if (step.ProgressReceiving && progress) progress->Reset(kProgressReceiving, ProgressTitle('Q'), Progress().Total);
    if (step.ProgressEnd && progress) progress->End();
    const bool finished = running_ && !Running();
    if (finished) {
        running_ = false;
        DropAhead();
        timer_.stop();
        Register(false);
        session_.ClearActive(this);
    }
    if (step.ForgetRegistration) Register(false);
    if (OnChange) OnChange();
    // Last: a message box runs a loop of its own, in which later results may
    // arrive; the sequence has taken this step whole by then.
    if (step.Message && OnMessage) {
        const bool portFailed = std::string_view(step.Message) == kFailedToOpenDeviceText;
        OnMessage(step.Message, portFailed ? std::string_view(session_.PortError()) : std::string_view());
    }
    if (finished && OnFinished) OnFinished();
}
