#pragma once
// An editor's upload over the link: the texts of its category go one after
// the other through the send routine, each after the previous one's result,
// with a progress window of the editor's title; the editor gets one result.
// The upload ends with a release, so the link's activity falls back to idle
// (a modem line is hung up) after the last text or a failed one.
#include <QObject>
#include <QPointer>
#include <deque>

#include "editors/EditorTransfer.h"

class EditorLinkTransfer final : public QObject, public EditorTransfer {
public:
    // view: the main view, where requests and progress messages go.
    explicit EditorLinkTransfer(QObject* view = nullptr) : view_(view) {}
    void SetView(QObject* view) { view_ = view; }

    bool Send(QObject* requester, std::string_view progressTitle, std::vector<EncodedText> texts) override;
    bool Cancelled() const override;
    void Release() override;
    void EndProgress(bool completed) override;

    bool Active() const { return active_; }

private:
    void SendNext();
    void OnResult(int code);
    void Stop();
    void Finish(int code);
    void PostRelease();

    class Relay;

    QPointer<QObject> view_;
    QPointer<QObject> requester_;
    std::deque<EncodedText> texts_;
    QObject* relay_ = nullptr;  // the requester of the current upload's texts
    bool active_ = false;
};
