#pragma once
// The modem link worker: a QObject in its own QThread that drives a Hayes
// modem on a serial device. It dials when the transfer manager opens the link,
// then runs the same byte loop and channel-0 protocol as the serial worker on
// the call, and hangs up on a close. It tells the link session with the same
// posted messages as the serial worker; a failed dial is UM_COMM_ERROR 0x8200
// with the modem's reason as the payload.
#include <QObject>
#include <QThread>
#include <array>
#include <atomic>
#include <string>

#include "port/SerialPort.h"
#include "protocol/LinkChannel.h"
#include "protocol/LinkSendQueues.h"
#include "protocol/ModemRules.h"

class CMdmThread : public QObject, private LinkChannelOwner {
    Q_OBJECT
public:
    static constexpr int kCommandWaitMs = 3000;  // a command's "OK"
    static constexpr int kConnectWaitMs = 60000;  // ATD's "CONNECT"
    // The escape's guard time: the set-up asks the modem for 200 ms (S12=10);
    // waiting a little longer keeps clear of its edge.
    static constexpr int kGuardMs = 300;
    static constexpr const char* kSetUp = "ATE0V1S12=10";

    CMdmThread(QObject* view, LinkSendQueues& queues, std::string device);
    ~CMdmThread() override;

    bool Start();
    // Called from the link session's thread; they only post to the worker,
    // except that a close also stops a dial under way.
    void Open(const std::string& telNo);
    void Close();
    void Quit();
    bool Wait(int timeoutMs);
    void ResetChannel(int channel);
    void RequestQueued() { port_.Wake(); }
    void Tick();

    ModemCall::State CallState() const { return static_cast<ModemCall::State>(state_.load()); }

protected:
    bool event(QEvent* e) override;

private:
    enum WorkerMessage { MsgRead = 0x1821, MsgOpen, MsgClose, MsgQuit, MsgReset };
    enum class AwaitEnd { Result, Silent, Interrupted, Failed };
    static constexpr int kStepReads = 1024;

    void Post(int message, int argument = 0, std::string text = {});
    void PostRead();
    void Apply(const ModemCall::Step& step);
    int Dial(const std::string& telNo, std::string& why);
    AwaitEnd Await(int timeoutMs, bool interruptible, ModemResult& result);
    bool Command(const std::string& command, std::string& why);
    void SendText(const std::string& text);
    void HangUp();
    void ReadStep();
    void RemoteHangUp();

    void WriteLink(const std::uint8_t* bytes, std::size_t length) override;
    void ReportOutcome(LinkOutcome outcome) override;
    void ChannelWasReset(int channel, std::unique_ptr<LinkRequest> dropped) override;
    std::unique_ptr<LinkRequest> TakeRequest(int channel) override;

    QObject* view_;
    LinkSendQueues& queues_;
    std::string device_;
    SerialPort port_;
    QThread thread_;
    std::array<LinkChannel, 16> channels_;
    ModemCall call_;                 // the worker thread's alone
    std::atomic<int> state_{0};      // call_'s state, for other threads
    ModemResponseParser parser_;
    CarrierWatch carrier_;
    bool online_ = false;            // in data mode: the escape is needed to reach the modem
    std::atomic<bool> closeAsked_{false};
    std::atomic<bool> quit_{false};
    std::atomic<bool> attention_{false};
    std::atomic<bool> readPosted_{false};  // a read step is queued
    bool writeFailing_ = false;
};
