#include "shell/EditorLinkTransfer.h"

#include "comm/MessageEvent.h"
#include "comm/SendRoutine.h"

namespace {
// Data texts add the upload bit and leave it set, so a modem line stays up
// between them; the release at the end clears it.
constexpr std::uint8_t kUploadBit = 2;
}  // namespace

bool EditorLinkTransfer::Send(QObject* requester, std::string_view progressTitle, std::vector<EncodedText> texts) {
    if (!view_ || active_ || texts.empty()) return false;
    requester_ = requester;
    texts_.assign(texts.begin(), texts.end());
    active_ = true;
    PostProgressOpen(view_, kProgressTransmitting, progressTitle, static_cast<int>(texts_.size()));
    SendNext();
    return true;
}

void EditorLinkTransfer::SendNext() {
    TransferHeader header;
    header.Requester = this;
    header.SetBits = kUploadBit;
    header.ClearBits = 0;
    inFlight_.assign(texts_.front().View());
    // A Cancel pressed in the meantime turns this into a cancel (code 4 back).
    SendText(view_, header, kSendNoProgress, 0, false, texts_.front());
    texts_.pop_front();
}

bool EditorLinkTransfer::Cancelled() const { return InterruptionFlag().load(); }

void EditorLinkTransfer::Release() {
    active_ = false;
    texts_.clear();
    PostRelease();
}

void EditorLinkTransfer::PostRelease() {
    if (view_) PostMessage(view_, UM_TRANSFER_REQUEST, 0, 0, TransferRequest::Release(this, kUploadBit));
}

void EditorLinkTransfer::EndProgress(bool /*completed: the window closes either way*/) {
    if (view_) PostProgressEnd(view_);
}

void EditorLinkTransfer::Finish(int code) {
    active_ = false;
    texts_.clear();
    PostMessage(requester_.data(), UM_TRANSFER_RESULT, code);
}

bool EditorLinkTransfer::event(QEvent* e) {
    auto* m = dynamic_cast<MessageEvent*>(e);
    if (!m || m->Message() != UM_TRANSFER_RESULT) return QObject::event(e);
    const auto request = m->Take<TransferRequest>();
    const int code = static_cast<int>(m->WParam());
    // Releases are answered too, and an upload given up (time-out) may still
    // get the answer of its last text: neither is the current text's, and
    // taking it would send the next text while the current one is in flight.
    if (!active_ || (request && request->IsRelease() && code == kTransferDone)) return true;
    if (request && !request->IsRelease() && request->Text != inFlight_) return true;
    if (code != kTransferDone) {
        // A send that failed leaves the upload bit set (data texts clear
        // nothing); an open that failed or a cancel took their bits already.
        if (code == kTransferFailed) PostRelease();
        Finish(code);
        return true;
    }
    PostProgressStep(view_);
    if (!texts_.empty()) {
        SendNext();
        return true;
    }
    PostRelease();  // all sent: the link goes back to idle
    Finish(kTransferDone);
    return true;
}
