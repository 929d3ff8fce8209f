#pragma once
// The transfer manager: a QObject in its own QThread that owns the one link
// worker (CSioThread for RS-232C, CMdmThread for the modem), the send queues of the 16 channels and the
// 100 ms protocol tick. The link session calls it; Open, Close, Queue and Reset run on
// the caller's thread (they only post to the worker), Quit runs on this thread.
#include <QObject>
#include <QThread>
#include <array>
#include <atomic>
#include <memory>
#include <string>

#include "protocol/LinkActivity.h"
#include "protocol/LinkSendQueues.h"
#include "port/SerialPort.h"

class CSioThread;
class CMdmThread;
class QTimer;
struct MaintenanceData;

// The connection setting the transfer manager works from.
struct PortSetting {
    std::uint8_t Method = 0;   // 0 RS-232C, 1 modem, 2 socket
    std::uint8_t ComPort = 0;  // 0..3 = COM1..COM4
    std::string TelNo;

    static PortSetting From(const MaintenanceData& m);
    // "COM1" to "COM4".
    std::string PortName() const;
};

class CTransMng : public QObject {
    Q_OBJECT
public:
    // view: the link session, which receives the link worker's notifications; devices maps COM1..COM4.
    CTransMng(QObject* view, PortSetting setting, SerialDeviceMap devices);
    ~CTransMng() override;

    // Starts the thread and the link worker; false when the worker could not
    // be started (it is then destroyed and every Open fails).
    bool Create();
    void Open(int exchange);
    void Close();
    void Queue(int channel, std::unique_ptr<LinkRequest> request);
    // Withdraws what the channel holds: its queued texts and the one in its send slot.
    void Reset(int channel);
    // Takes one queued request out again; true when it had not been taken yet.
    bool Withdraw(int channel, std::uint64_t serial) { return queues_.Withdraw(channel, serial) != nullptr; }
    // Ends the worker (waiting for it without a limit), then this thread.
    void Quit();
    // Waits for this thread to end; true when it has.
    bool Wait(int timeoutMs);

    LinkType Type() const { return type_; }
    const PortSetting& Setting() const { return setting_; }
    const LinkSendQueues& Queues() const { return queues_; }
    CSioThread* Sio() const { return sio_.get(); }
    CMdmThread* Mdm() const { return mdm_.get(); }

protected:
    bool event(QEvent* e) override;

private:
    enum ManagerMessage { MsgQuit = 0x1813 };
    void Post(int message);
    void OnOpen();
    void OnClose();
    void OnQuit();

    QObject* view_;
    PortSetting setting_;
    LinkType type_;
    SerialDeviceMap devices_;
    LinkSendQueues queues_;
    std::unique_ptr<CSioThread> sio_;
    std::unique_ptr<CMdmThread> mdm_;
    QThread thread_;
    QTimer* tick_ = nullptr;  // lives on this thread
    std::atomic<bool> ended_{false};  // set last by the quit, read after the thread ended
};
