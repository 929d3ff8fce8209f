#include "link/TransMng.h"

#include <QTimer>

#include "link/MessageEvent.h"
#include "link/MdmThread.h"
#include "link/SioThread.h"
#include "model/SettingData.h"

PortSetting PortSetting::From(const MaintenanceData& m) {
    PortSetting s;
    s.Method = m.PcConnect;
    s.ComPort = m.CommPort;
    s.TelNo = m.TelNo.Str();
    return s;
}

std::string PortSetting::PortName() const { return "COM" + std::to_string(ComPort + 1); }

CTransMng::CTransMng(QObject* view, PortSetting setting, SerialDeviceMap devices)
    : view_(view), setting_(std::move(setting)), type_(LinkTypeOf(setting_.Method)), devices_(std::move(devices)) {
    thread_.setObjectName("CTransMng");
}

CTransMng::~CTransMng() {
    if (thread_.isRunning()) {
        Quit();
        Wait(-1);
    }
    sio_.reset();
    mdm_.reset();
}

bool CTransMng::Create() {
    // The socket mode (method 2) is left out: the port editor never offers
    // it. Without a worker every open fails (result code 2) and a close is
    // answered at once.
    if (type_ == LinkType::Serial) {
        sio_ = std::make_unique<CSioThread>(view_, queues_, devices_);
        if (!sio_->Start()) sio_.reset();
    } else if (type_ == LinkType::Modem) {
        mdm_ = std::make_unique<CMdmThread>(view_, queues_, devices_.Modem());
        if (!mdm_->Start()) mdm_.reset();
    }
    moveToThread(&thread_);
    connect(&thread_, &QThread::started, this, [this] {
        tick_ = new QTimer(this);
        connect(tick_, &QTimer::timeout, this, [this] {
            if (sio_) sio_->Tick();
            if (mdm_) mdm_->Tick();
        });
        tick_->start(100);
    }, Qt::DirectConnection);
    thread_.start();
    return sio_ != nullptr || mdm_ != nullptr;
}

void CTransMng::Post(int message) { QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(message))); }

// The worker's Open and Close only post (besides opening the device itself),
// so they are called straight from the view: a text for an open port then
// costs no trip through this thread.
void CTransMng::Open(int /*exchange: only the socket mode uses it*/) { OnOpen(); }
void CTransMng::Close() { OnClose(); }
void CTransMng::Quit() { Post(MsgQuit); }
bool CTransMng::Wait(int timeoutMs) {
    const bool ended = thread_.wait(QDeadlineTimer(timeoutMs));
    // Pairs with the quit's last store: the workers it ended are this
    // thread's to destroy from here on.
    (void)ended_.load(std::memory_order_acquire);
    return ended;
}

void CTransMng::Queue(int channel, std::unique_ptr<LinkRequest> request) {
    queues_.Push(channel, std::move(request));
    if (sio_) sio_->RequestQueued();
    if (mdm_) mdm_->RequestQueued();
}

void CTransMng::Reset(int /*channel: serial and modem use channel 0 only*/) {
    while (queues_.Take(0)) {
    }
    if (sio_) sio_->ResetChannel(0);
    else if (mdm_) mdm_->ResetChannel(0);
    else PostMessage(view_, UM_CHANNEL_RESET, 1);
}

bool CTransMng::event(QEvent* e) {
    switch (static_cast<int>(e->type())) {
    case MsgQuit: OnQuit(); return true;
    default: return QObject::event(e);
    }
}

void CTransMng::OnOpen() {
    if (sio_) sio_->Open(setting_.PortName());
    else if (mdm_) mdm_->Open(setting_.TelNo);
    else PostMessage(view_, UM_COMM_ERROR, CommErrorOpenFailed);
}

void CTransMng::OnClose() {
    if (sio_) sio_->Close();
    else if (mdm_) mdm_->Close();
    else PostMessage(view_, UM_PORT_CLOSED);
}

void CTransMng::OnQuit() {
    if (tick_) tick_->stop();
    if (sio_) {
        sio_->Quit();
        sio_->Wait(-1);
    }
    if (mdm_) {
        mdm_->Quit();
        mdm_->Wait(-1);
    }
    ended_.store(true, std::memory_order_release);
    thread_.quit();
}
