#pragma once
// The serial link worker: a QObject in its own QThread that owns the RS-232C
// port, reads it one byte at a time and runs channel 0 of the link protocol on
// every byte, every empty read and every failed read. It tells the link session with
// posted messages: UM_PORT_OPENED, UM_PORT_CLOSED, UM_SEND_DONE, UM_RECEIVE_DATA,
// UM_CHANNEL_RESET and UM_COMM_ERROR (the code travels in WParam; a request or
// a ReceivedBlock as the payload).
#include <QObject>
#include <QThread>
#include <array>
#include <atomic>
#include <string>

#include "protocol/LinkChannel.h"
#include "protocol/LinkSendQueues.h"
#include "port/SerialPort.h"

class CSioThread : public QObject, private LinkChannelOwner {
    Q_OBJECT
public:
    enum ReadLoop { Stopped = -1, NotOpen = 0, CloseRequested = 1, Reading = 2 };
    enum Transition { OpenFailed = -1, NoTransition = 0, Opening = 1, Closing = 2 };

    // view: the link session, which receives the notifications; queues are the channels' send queues.
    CSioThread(QObject* view, LinkSendQueues& queues, SerialDeviceMap devices = {});
    ~CSioThread() override;

    // Starts the worker thread; false when it cannot be started.
    bool Start();

    // Called from the transfer manager's thread.
    bool Open(const std::string& portName);
    void Close();
    void Quit();
    // Waits for the worker thread to end; true when it has.
    bool Wait(int timeoutMs);
    // Resets a channel on the worker thread.
    void ResetChannel(int channel);
    // A request was put in a send queue: end the current read's wait at once so
    // that the idle channel picks it up without waiting for the read time-out.
    void RequestQueued() { port_.Wake(); }
    // The 100 ms protocol tick; safe from any thread.
    void Tick();

    int ReadLoopState() const { return readLoop_.load(); }
    int OpenFlag() const { return open_.load(); }
    int TransitionFlag() const { return transition_.load(); }
    // For diagnostics and tests; the channels run on the worker thread only.
    const LinkChannel& Channel(int n) const { return channels_.at(static_cast<std::size_t>(n)); }

protected:
    bool event(QEvent* e) override;

private:
    enum WorkerMessage { MsgRead = 0x1801, MsgClose, MsgOpened, MsgClosed, MsgQuit, MsgReset };
    // Reads one step may make while an exchange is under way. A close, quit or
    // reset ends the step at once anyway (they wake the read), so the limit
    // only bounds how long the worker's own message loop goes unvisited.
    static constexpr int kStepReads = 1024;
    void Post(int message, int argument = 0);
    void PostRead();
    void OnStarted();
    void ReadStep();
    SerialPort::ReadResult ReadOnce();

    void WriteLink(const std::uint8_t* bytes, std::size_t length) override;
    void ReportOutcome(LinkOutcome outcome) override;
    void ChannelWasReset(int channel, std::unique_ptr<LinkRequest> dropped) override;
    std::unique_ptr<LinkRequest> TakeRequest(int channel) override;

    QObject* view_;
    LinkSendQueues& queues_;
    SerialDeviceMap devices_;
    SerialPort port_;
    QThread thread_;
    std::array<LinkChannel, 16> channels_;
    std::atomic<int> readLoop_{NotOpen};
    std::atomic<int> open_{0};
    std::atomic<int> transition_{NoTransition};
    bool readFailing_ = false;
    bool writeFailing_ = false;
    std::atomic<bool> attention_{false};  // a reset waits: end the read step
    std::atomic<bool> readPosted_{false};  // a read step is queued
};
