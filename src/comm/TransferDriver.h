#pragma once
// Runs one upload or download sequence over the view's link: it is the
// requester the results come back to, feeds them, the one-second ticks and the
// received texts to the sequence, and carries out what the sequence returns
// (send routine, progress messages, release and cancel requests). Qt Core only:
// the Upload/Download sheet and nx420ctl share it.
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "comm/DownloadSequence.h"
#include "comm/UploadSequence.h"
#include "model/SettingData.h"

class TransferDriver : public QObject {
public:
    enum class Direction { Upload, Download };

    // view: where requests and progress messages go (the main view).
    TransferDriver(QObject* view, SettingData& model);
    ~TransferDriver() override;

    // Starts the sequence for the exchange (0 all); false when it did not start.
    bool Start(Direction direction, int selected);
    // Ends a running transfer as the progress window's Cancel would.
    void Abort();

    bool Running() const { return Phase() == SequencePhase::Running; }
    SequencePhase Phase() const;
    SequenceProgress Progress() const;
    Direction Kind() const { return direction_; }
    // Requests handed on whose result has not come back yet.
    int InFlight() const { return inFlight_; }
    // Bytes of the texts sent and received so far.
    long long Bytes() const { return bytes_; }

    // The message to show (warning icon).
    std::function<void(const char*)> OnMessage;
    // The progress moved or the phase changed.
    std::function<void()> OnChange;
    // The transfer manager forgot the request: drop the receiver registration.
    std::function<void()> OnForgetRegistration;

protected:
    bool event(QEvent* e) override;

private:
    void Apply(const SequenceStep& step);
    void Tick();

    QObject* view_;
    SettingData& model_;
    Direction direction_ = Direction::Upload;
    std::unique_ptr<UploadSequence> upload_;
    std::unique_ptr<DownloadSequence> download_;
    QTimer timer_;
    long long bytes_ = 0;
    int inFlight_ = 0;
};
