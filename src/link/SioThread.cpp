#include "link/SioThread.h"

#include "link/MessageEvent.h"

namespace {
class WorkerEvent : public QEvent {
public:
    WorkerEvent(int type, int argument) : QEvent(static_cast<QEvent::Type>(type)), argument(argument) {}
    int argument;
};
}  // namespace

CSioThread::CSioThread(QObject* view, LinkSendQueues& queues, SerialDeviceMap devices)
    : view_(view), queues_(queues), devices_(std::move(devices)) {
    for (int i = 0; i < 16; ++i) {
        channels_[static_cast<std::size_t>(i)].Clear();
        channels_[static_cast<std::size_t>(i)].Bind(i, this);
    }
    thread_.setObjectName("CSioThread");
}

CSioThread::~CSioThread() {
    if (thread_.isRunning()) {
        Quit();
        thread_.wait();
    }
    port_.Close();
}

bool CSioThread::Start() {
    moveToThread(&thread_);
    connect(&thread_, &QThread::started, this, &CSioThread::OnStarted, Qt::DirectConnection);
    thread_.start();
    return thread_.isRunning();
}

void CSioThread::Post(int message, int argument) {
    QCoreApplication::postEvent(this, new WorkerEvent(message, argument));
}

// One read step is queued at a time: a second chain of steps would run
// between a reset or close and the step that should see it.
void CSioThread::PostRead() {
    if (!readPosted_.exchange(true)) Post(MsgRead);
}

void CSioThread::OnStarted() {
    readLoop_ = NotOpen;
    PostRead();
}

bool CSioThread::Open(const std::string& portName) {
    if (open_.load() == 1) {
        PostMessage(view_, UM_PORT_OPENED);
        return true;
    }
    int expected = transition_.load();
    if (expected == Opening) return true;  // an open is under way already
    if (!transition_.compare_exchange_strong(expected, Opening)) return true;
    const std::string path = devices_.PathOf(portName);
    auto why = std::make_unique<std::string>();
    if (path.empty()) *why = portName + ": no device is mapped to it";
    if (path.empty() || !port_.Open(path, why.get())) {
        transition_ = OpenFailed;
        PostMessage(view_, UM_COMM_ERROR, CommErrorOpenFailed, 0, std::move(why));
        return false;
    }
    Post(MsgOpened);
    return true;
}

void CSioThread::Close() {
    if (open_.load() != 1) {
        PostMessage(view_, UM_PORT_CLOSED);
        return;
    }
    int expected = transition_.load();
    if (expected == Closing || !transition_.compare_exchange_strong(expected, Closing)) return;
    readLoop_ = CloseRequested;
    PostRead();
    port_.Wake();
}

void CSioThread::Quit() {
    readLoop_ = Stopped;
    Post(MsgQuit);
    port_.Wake();
}

bool CSioThread::Wait(int timeoutMs) { return thread_.wait(QDeadlineTimer(timeoutMs)); }

void CSioThread::ResetChannel(int channel) {
    if (channel < 0 || channel >= 16) return;
    Post(MsgReset, channel);
    attention_ = true;
    port_.Wake();
}

void CSioThread::Tick() {
    for (auto& c : channels_) c.Tick();
}

bool CSioThread::event(QEvent* e) {
    const int type = static_cast<int>(e->type());
    if (type < MsgRead || type > MsgReset) return QObject::event(e);
    switch (type) {
    case MsgRead:
        readPosted_ = false;
        ReadStep();
        break;
    case MsgClose:
        port_.Close();
        Post(MsgClosed);
        break;
    case MsgOpened:
        open_ = 1;
        readLoop_ = Reading;
        transition_ = NoTransition;
        readFailing_ = false;
        PostRead();
        PostMessage(view_, UM_PORT_OPENED);
        break;
    case MsgClosed:
        transition_ = NoTransition;
        open_ = 0;
        PostMessage(view_, UM_PORT_CLOSED);
        break;
    case MsgQuit:
        readLoop_ = Stopped;
        thread_.quit();
        break;
    case MsgReset: channels_[static_cast<std::size_t>(static_cast<WorkerEvent*>(e)->argument)].Reset(); break;
    }
    return true;
}

void CSioThread::ReadStep() {
    switch (readLoop_.load()) {
    case CloseRequested:
        readLoop_ = Stopped;
        Post(MsgClose);
        return;
    case Reading: break;
    default:
        // Stopped ends the loop; with the port not open the loop also rests
        // instead of spinning, and the opened message starts it again.
        return;
    }
    // While an exchange is under way the step reads on, so that it does not
    // pay a turn of the message loop for every byte; it ends when the channel
    // rests, the read loop state changes or a reset is asked for.
    for (int reads = 0; reads < kStepReads; ++reads) {
        const SerialPort::ReadResult result = ReadOnce();
        if (attention_.exchange(false) || readLoop_.load() != Reading) break;
        if (result == SerialPort::ReadResult::Failed) break;
        if (result == SerialPort::ReadResult::Nothing && channels_[0].State() == ChannelState::Idle) break;
    }
    PostRead();
}

SerialPort::ReadResult CSioThread::ReadOnce() {
    std::uint8_t byte = 0;
    const SerialPort::ReadResult result = port_.ReadByte(byte);
    switch (result) {
    case SerialPort::ReadResult::Byte:
        readFailing_ = false;
        channels_[0].FeedByte(byte);
        break;
    case SerialPort::ReadResult::Nothing:
        readFailing_ = false;
        channels_[0].IdleRead();
        break;
    case SerialPort::ReadResult::Failed:
        // A port that has gone fails every read at once: tell the view once per
        // run of failures and keep to the read time-out's pace.
        if (!readFailing_) PostMessage(view_, UM_COMM_ERROR, CommErrorReadFailed);
        readFailing_ = true;
        channels_[0].FailedRead();
        port_.Pause(SerialPort::ReadTimeoutMs);
        break;
    }
    return result;
}

void CSioThread::WriteLink(const std::uint8_t* bytes, std::size_t length) {
    // The channel notices the missing answer and retries; the view learns why,
    // once per run of failures, so a failed send can say what the line did.
    if (!port_.IsOpen() || port_.Write(bytes, length)) {
        writeFailing_ = false;
        return;
    }
    if (!writeFailing_)
        PostMessage(view_, UM_COMM_ERROR, CommErrorWriteFailed, 0, std::make_unique<std::string>(port_.LastError()));
    writeFailing_ = true;
}

void CSioThread::ReportOutcome(LinkOutcome outcome) {
    const int code = outcome.Code;
    switch (code & 0xFF00) {
    case LinkOutcomeCode::SendDone:
        PostMessage(view_, UM_SEND_DONE, code, 0, std::move(outcome.Request));
        break;
    case LinkOutcomeCode::ReceiveData:
        PostMessage(view_, UM_RECEIVE_DATA, code, 0, std::move(outcome.Block));
        break;
    case LinkOutcomeCode::SendFailed:
    case LinkOutcomeCode::SendSkipped:
        PostMessage(view_, UM_COMM_ERROR, code, 0, std::move(outcome.Request));
        break;
    default: PostMessage(view_, UM_COMM_ERROR, code); break;
    }
}

void CSioThread::ChannelWasReset(int channel, std::unique_ptr<LinkRequest> dropped) {
    PostMessage(view_, UM_CHANNEL_RESET, channel + 1, 0, std::move(dropped));
}

std::unique_ptr<LinkRequest> CSioThread::TakeRequest(int channel) { return queues_.Take(channel); }
