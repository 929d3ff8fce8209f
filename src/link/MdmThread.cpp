#include "link/MdmThread.h"

#include <chrono>
#include <thread>

#include "link/MessageEvent.h"

namespace {
class WorkerEvent : public QEvent {
public:
    WorkerEvent(int type, int argument, std::string text)
        : QEvent(static_cast<QEvent::Type>(type)), argument(argument), text(std::move(text)) {}
    int argument;
    std::string text;
};

// The pauses between the hang-up steps, for the modem to act on each.
void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(100)); }

const char* ResultName(ModemResult r) {
    switch (r) {
    case ModemResult::NoCarrier: return "NO CARRIER";
    case ModemResult::Busy: return "BUSY";
    case ModemResult::NoDialtone: return "NO DIALTONE";
    case ModemResult::NoAnswer: return "NO ANSWER";
    case ModemResult::Error: return "ERROR";
    default: return "an unexpected answer";
    }
}
}  // namespace

CMdmThread::CMdmThread(QObject* view, LinkSendQueues& queues, std::string device)
    : view_(view), queues_(queues), device_(std::move(device)) {
    for (int i = 0; i < 16; ++i) {
        channels_[static_cast<std::size_t>(i)].Clear();
        channels_[static_cast<std::size_t>(i)].Bind(i, this);
    }
    thread_.setObjectName("CMdmThread");
}

CMdmThread::~CMdmThread() {
    if (thread_.isRunning()) {
        Quit();
        thread_.wait();
    }
    port_.Close();
}

bool CMdmThread::Start() {
    moveToThread(&thread_);
    thread_.start();
    return thread_.isRunning();
}

void CMdmThread::Post(int message, int argument, std::string text) {
    QCoreApplication::postEvent(this, new WorkerEvent(message, argument, std::move(text)));
}

// One read step is queued at a time: a second chain of steps would run
// between a reset or close and the step that should see it.
void CMdmThread::PostRead() {
    if (!readPosted_.exchange(true)) Post(MsgRead);
}

void CMdmThread::Open(const std::string& telNo) { Post(MsgOpen, 0, telNo); }

void CMdmThread::Close() {
    closeAsked_ = true;
    Post(MsgClose);
    port_.Wake();
}

void CMdmThread::Quit() {
    quit_ = true;
    Post(MsgQuit);
    port_.Wake();
}

bool CMdmThread::Wait(int timeoutMs) { return thread_.wait(QDeadlineTimer(timeoutMs)); }

void CMdmThread::ResetChannel(int channel) {
    if (channel < 0 || channel >= 16) return;
    Post(MsgReset, channel);
    attention_ = true;
    port_.Wake();
}

void CMdmThread::Tick() {
    for (auto& c : channels_) c.Tick();
}

bool CMdmThread::event(QEvent* e) {
    const int type = static_cast<int>(e->type());
    if (type < MsgRead || type > MsgReset) return QObject::event(e);
    auto* w = static_cast<WorkerEvent*>(e);
    switch (type) {
    case MsgRead:
        readPosted_ = false;
        ReadStep();
        break;
    case MsgOpen: {
        const ModemCall::Step step = call_.Open();
        state_ = static_cast<int>(call_.Current());
        if (!step.Dial) {
            Apply(step);
            break;
        }
        std::string why;
        const int notice = Dial(w->text, why);
        if (notice == ModemDialFailed)
            PostMessage(view_, UM_COMM_ERROR, CommErrorOpenFailed, 0, std::make_unique<std::string>(why));
        ModemCall::Step outcome = call_.Notice(notice);
        outcome.NotifyFailed = false;  // told above, with the reason
        Apply(outcome);
        break;
    }
    case MsgClose:
        // A close that stopped a dial was handled by the dial.
        if (closeAsked_.exchange(false)) Apply(call_.Close());
        break;
    case MsgQuit:
        if (call_.Current() == ModemCall::State::Connected) {
            call_.Close();
            HangUp();
            call_.HungUp();
        }
        state_ = static_cast<int>(call_.Current());
        thread_.quit();
        break;
    case MsgReset: channels_[static_cast<std::size_t>(w->argument)].Reset(); break;
    }
    return true;
}

void CMdmThread::Apply(const ModemCall::Step& step) {
    state_ = static_cast<int>(call_.Current());
    if (step.NotifyClosed) PostMessage(view_, UM_PORT_CLOSED);
    if (step.NotifyFailed) PostMessage(view_, UM_COMM_ERROR, CommErrorOpenFailed);
    if (step.StartReading) {
        online_ = true;
        carrier_ = CarrierWatch();
        PostRead();
    }
    if (step.NotifyOpened) PostMessage(view_, UM_PORT_OPENED);
    if (step.HangUp) {
        HangUp();
        Apply(call_.HungUp());
        // A text still on the channel ends by the protocol's time-outs.
        PostRead();
    }
}

int CMdmThread::Dial(const std::string& telNo, std::string& why) {
    if (telNo.empty()) {
        why = "modem: no telephone number is set";
        return ModemDialFailed;
    }
    if (!port_.Open(device_, &why, SerialPort::Line::Modem)) {
        why = "modem: " + why;
        return ModemDialFailed;
    }
    parser_.Reset();
    online_ = false;
    if (!Command("ATZ", why) || !Command(kSetUp, why)) {
        if (closeAsked_.exchange(false)) {
            Apply(call_.Close());
            return ModemIdle;  // the hang-up that follows puts the modem back
        }
        if (quit_.load()) return ModemIdle;
        port_.Close();
        return ModemDialFailed;
    }
    SendText("ATDT" + DialString(telNo) + "\r");
    ModemResult result = ModemResult::None;
    switch (Await(kConnectWaitMs, true, result)) {
    case AwaitEnd::Result:
        if (result == ModemResult::Connect) return ModemConnected;
        why = std::string("modem: the call failed: ") + ResultName(result);
        break;
    case AwaitEnd::Silent: why = "modem: no answer to the dial within 60 s"; break;
    case AwaitEnd::Failed: why = "modem: the device failed while dialling"; break;
    case AwaitEnd::Interrupted:
        // A close while dialling: answered at once, and the call is not
        // opened; any key stops a modem's dial.
        if (closeAsked_.exchange(false)) Apply(call_.Close());
        SendText("\r");
        parser_.Reset();
        return ModemIdle;
    }
    port_.Close();
    return ModemDialFailed;
}

bool CMdmThread::Command(const std::string& command, std::string& why) {
    SendText(command + "\r");
    ModemResult result = ModemResult::None;
    const AwaitEnd w = Await(kCommandWaitMs, true, result);
    if (w == AwaitEnd::Result && result == ModemResult::Ok) return true;
    if (w == AwaitEnd::Interrupted) why = "modem: dial stopped";
    else if (w == AwaitEnd::Result) why = "modem: " + command + " answered " + ResultName(result);
    else if (w == AwaitEnd::Silent) why = "modem: " + device_ + " does not answer " + command;
    else why = "modem: " + device_ + " failed";
    return false;
}

CMdmThread::AwaitEnd CMdmThread::Await(int timeoutMs, bool interruptible, ModemResult& result) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (interruptible && (closeAsked_.load() || quit_.load())) return AwaitEnd::Interrupted;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return AwaitEnd::Silent;
        std::uint8_t byte = 0;
        switch (port_.ReadByte(byte, static_cast<int>(left.count()))) {
        case SerialPort::ReadResult::Failed: return AwaitEnd::Failed;
        case SerialPort::ReadResult::Nothing: continue;
        case SerialPort::ReadResult::Byte: break;
        }
        const ModemResult r = parser_.Feed(byte);
        if (r == ModemResult::Ok || r == ModemResult::Connect || IsDialFailure(r)) {
            result = r;
            return AwaitEnd::Result;
        }
    }
}

void CMdmThread::SendText(const std::string& text) {
    (void)port_.Write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void CMdmThread::HangUp() {
    // In the order of the call's release: leave the data stream, drop the
    // call, then close the line (the device's close drops DTR as well).
    ModemResult result = ModemResult::None;
    if (port_.IsOpen() && online_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kGuardMs));
        SendText("+++");
        parser_.Reset();
        (void)Await(kGuardMs + kCommandWaitMs, false, result);
        Settle();
    }
    online_ = false;
    if (port_.IsOpen()) {
        SendText("ATH\r");
        (void)Await(kCommandWaitMs, false, result);
        Settle();
    }
    port_.Close();
}

void CMdmThread::RemoteHangUp() {
    online_ = false;  // the modem is back in command mode already
    Apply(call_.Notice(ModemDisconnected));
}

void CMdmThread::ReadStep() {
    if (quit_.load()) return;
    if (call_.Current() != ModemCall::State::Connected) {
        // No call: a text still on the channel runs down to its time-out.
        if (channels_[0].State() == ChannelState::Idle) return;
        channels_[0].IdleRead();
        port_.Pause(SerialPort::ReadTimeoutMs);
        PostRead();
        return;
    }
    for (int reads = 0; reads < kStepReads; ++reads) {
        std::uint8_t byte = 0;
        const SerialPort::ReadResult result = port_.ReadByte(byte);
        if (result == SerialPort::ReadResult::Byte) {
            channels_[0].FeedByte(byte);
            if (carrier_.Feed(byte)) return RemoteHangUp();
        } else if (result == SerialPort::ReadResult::Nothing) {
            if (port_.Carrier() == 0) return RemoteHangUp();
            channels_[0].IdleRead();
        } else {
            // A modem device that fails its reads carries no call any more:
            // the call ends, and a text in flight runs down to its time-out
            // instead of the line error that every failed read would renew.
            PostMessage(view_, UM_COMM_ERROR, CommErrorReadFailed);
            channels_[0].FailedRead();
            return RemoteHangUp();
        }
        if (attention_.exchange(false) || closeAsked_.load() || quit_.load()) break;
        if (result == SerialPort::ReadResult::Nothing && channels_[0].State() == ChannelState::Idle) break;
    }
    PostRead();
}

void CMdmThread::WriteLink(const std::uint8_t* bytes, std::size_t length) {
    if (!port_.IsOpen() || !online_ || port_.Write(bytes, length)) {
        writeFailing_ = false;
        return;
    }
    if (!writeFailing_)
        PostMessage(view_, UM_COMM_ERROR, CommErrorWriteFailed, 0, std::make_unique<std::string>(port_.LastError()));
    writeFailing_ = true;
}

void CMdmThread::ReportOutcome(LinkOutcome outcome) {
    const int code = outcome.Code;
    switch (code & 0xFF00) {
    case LinkOutcomeCode::SendDone: PostMessage(view_, UM_SEND_DONE, code, 0, std::move(outcome.Request)); break;
    case LinkOutcomeCode::ReceiveData: PostMessage(view_, UM_RECEIVE_DATA, code, 0, std::move(outcome.Block)); break;
    case LinkOutcomeCode::SendFailed:
    case LinkOutcomeCode::SendSkipped: PostMessage(view_, UM_COMM_ERROR, code, 0, std::move(outcome.Request)); break;
    default: PostMessage(view_, UM_COMM_ERROR, code); break;
    }
}

void CMdmThread::ChannelWasReset(int channel, std::unique_ptr<LinkRequest> dropped) {
    PostMessage(view_, UM_CHANNEL_RESET, channel + 1, 0, std::move(dropped));
}

std::unique_ptr<LinkRequest> CMdmThread::TakeRequest(int channel) { return queues_.Take(channel); }
