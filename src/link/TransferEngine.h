#pragma once
// The one way the program sends texts to the exchanges: it runs one transfer's
// sequence (a whole upload or download, an editor's texts, a single request),
// is the requester its results come back to, feeds them, the one-second ticks
// and the received texts to the sequence, and carries out what the sequence
// returns: the send routine, the progress window, release and cancel requests.
// Cancel belongs to the transfer: the progress window's Cancel, Esc and close
// box, and a status text from an exchange, reach the sequence through it.
#include <QObject>
#include <QTimer>
#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "transfer/TransferSequence.h"

class LinkSession;
class TransferRequest;

class TransferEngine : public QObject {
public:
    explicit TransferEngine(LinkSession& session);
    ~TransferEngine() override;

    // Runs sequence from its first step (what its Start returned); false when
    // it did not start (the sequence stayed Idle).
    bool Run(std::unique_ptr<TransferSequence> sequence, const SequenceStep& first);
    // Starts sequence with args (its Start's) and runs it.
    template <class Sequence, class... Args>
    bool Start(std::unique_ptr<Sequence> sequence, Args... args) {
        const SequenceStep first = sequence->Start(args...);
        return Run(std::move(sequence), first);
    }
    // As the progress window's Cancel: the sequence ends at its next result or tick.
    void Cancel();
    // Cancel, and the sequence's next tick at once: a status text from an
    // exchange, or the window of the transfer closing.
    void Interrupt();
    // One second of the transfer's supervision: the engine's timer calls it,
    // tests may too.
    void Tick();

    bool Running() const { return Phase() == SequencePhase::Running; }
    SequencePhase Phase() const { return sequence_ ? sequence_->Phase() : SequencePhase::Idle; }
    SequenceProgress Progress() const { return sequence_ ? sequence_->Progress() : SequenceProgress{}; }
    // The result code the transfer ended with (TransferSequence::Outcome).
    int Outcome() const { return sequence_ ? sequence_->Outcome() : kTransferDone; }
    // Requests handed on whose result has not come back yet.
    int InFlight() const { return inFlight_; }
    // Bytes of the texts sent and received so far.
    long long Bytes() const { return bytes_; }
    // Receive the setting texts the exchanges send while a transfer runs.
    void ReceiveSettingTexts(bool on) { settingTexts_ = on; }
    // Receive the dialing assignment texts (K) while a transfer runs.
    void ReceiveDialingTexts(bool on) { dialingTexts_ = on; }

    // The message to show (warning icon), after the progress window has gone,
    // with the port's own reason when the port would not open.
    std::function<void(const char* text, std::string_view detail)> OnMessage;
    // The progress moved or the phase changed.
    std::function<void()> OnChange;
    // The transfer ended (any phase), after its message.
    std::function<void()> OnFinished;

protected:
    bool event(QEvent* e) override;

private:
    class Relay;
    void OnResult(int code, std::string_view text);
    void OnSkipped(std::unique_ptr<TransferRequest> request);
    void Apply(const SequenceStep& step);
    void Send(const SequenceRequest& r);
    void ShowSending(const SequenceRequest& r);
    void QueueAhead();
    // Takes the text queued ahead back, as far as the link has not started it.
    void DropAhead();
    void Submit(std::unique_ptr<TransferRequest> request);
    void Register(bool on);

    // The sequence's next text, queued in the link before the answer to the
    // one in flight, so the link sends it without waiting for this thread.
    struct Ahead {
        SequenceRequest Request;
        std::uint64_t Serial = 0;
    };

    LinkSession& session_;
    std::unique_ptr<TransferSequence> sequence_;
    // The requester of this run's texts: an answer still on its way when a
    // run ends reaches that run's relay, never the next run's first text.
    QObject* relay_ = nullptr;
    QTimer timer_;
    std::optional<Ahead> ahead_;      // queued, not yet asked for by the sequence
    std::uint64_t lastSerial_ = 0;    // the text handed to the link last
    std::uint64_t askedSerial_ = 0;   // the text the sequence asked for last
    long long bytes_ = 0;
    int inFlight_ = 0;
    bool settingTexts_ = false;
    bool dialingTexts_ = false;
    bool registered_ = false;
    bool running_ = false;  // started and not yet seen to end
};
