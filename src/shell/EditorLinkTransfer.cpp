#include "shell/EditorLinkTransfer.h"

#include "comm/MessageEvent.h"
#include "comm/SendRoutine.h"

namespace {
// Data texts add the upload bit and leave it set, so a modem line stays up
// between them; the release at the end clears it.
constexpr std::uint8_t kUploadBit = 2;
}  // namespace

// The requester of one upload's texts. An upload given up (time-out) may still
// get the answer of the text that was in flight; it reaches this upload's
// relay, not the next upload's, so it cannot be taken for the current text.
class EditorLinkTransfer::Relay final : public QObject {
public:
    explicit Relay(EditorLinkTransfer& owner) : QObject(&owner), owner_(owner) {}

protected:
    bool event(QEvent* e) override {
        auto* m = dynamic_cast<MessageEvent*>(e);
        if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
        if (owner_.relay_ == this) owner_.OnResult(static_cast<int>(m->WParam()));
        return true;  // the request or the cancel record goes with the event
    }

private:
    EditorLinkTransfer& owner_;
};

bool EditorLinkTransfer::Send(QObject* requester, std::string_view progressTitle, std::vector<EncodedText> texts) {
    if (!view_ || active_ || texts.empty()) return false;
    requester_ = requester;
    texts_.assign(texts.begin(), texts.end());
    active_ = true;
    relay_ = new Relay(*this);
    PostProgressOpen(view_, kProgressTransmitting, progressTitle, static_cast<int>(texts_.size()));
    SendNext();
    return true;
}

void EditorLinkTransfer::SendNext() {
    TransferHeader header;
    header.Requester = relay_;
    header.SetBits = kUploadBit;
    header.ClearBits = 0;
    // A Cancel pressed in the meantime turns this into a cancel (code 4 back).
    SendText(view_, header, kSendNoProgress, 0, false, texts_.front());
    texts_.pop_front();
}

bool EditorLinkTransfer::Cancelled() const { return InterruptionFlag().load(); }

void EditorLinkTransfer::Release() {
    Stop();
    PostRelease();
}

void EditorLinkTransfer::PostRelease() {
    // Its answer comes here and is nobody's business.
    if (view_) PostMessage(view_, UM_TRANSFER_REQUEST, 0, 0, TransferRequest::Release(this, kUploadBit));
}

void EditorLinkTransfer::EndProgress(bool /*completed: the window closes either way*/) {
    if (view_) PostProgressEnd(view_);
}

void EditorLinkTransfer::Stop() {
    active_ = false;
    texts_.clear();
    if (relay_) relay_->deleteLater();
    relay_ = nullptr;
}

void EditorLinkTransfer::Finish(int code) {
    Stop();
    PostMessage(requester_.data(), UM_TRANSFER_RESULT, code);
}

void EditorLinkTransfer::OnResult(int code) {
    if (!active_) return;
    if (code != kTransferDone) {
        // A send that failed leaves the upload bit set (data texts clear
        // nothing); an open that failed or a cancel took their bits already.
        if (code == kTransferFailed) PostRelease();
        Finish(code);
        return;
    }
    PostProgressStep(view_);
    if (!texts_.empty()) {
        SendNext();
        return;
    }
    PostRelease();  // all sent: the link goes back to idle
    Finish(kTransferDone);
}
