#pragma once
// What an editor's Upload needs from the transfer manager. The editor hands
// over the texts of its category, already encoded, and gets the request's
// result back as a posted UM_TRANSFER_RESULT whose first argument is the code
// (0 done, 1 failed to transmit, 2 failed to open the device, 4 cancelled).
// The transfer manager implements this and installs it; until it does, no
// link exists and every upload ends with "Failed to open the device".
#include <string_view>
#include <vector>

#include "comm/SettingTextFields.h"

class QObject;

class EditorTransfer {
public:
    virtual ~EditorTransfer() = default;

    // Opens the link and the progress window (with this title) and sends the
    // texts one after the other; the result goes to requester once. False
    // when nothing was started (then no result will come).
    virtual bool Send(QObject* requester, std::string_view progressTitle, std::vector<EncodedText> texts) = 0;
    // The user pressed Cancel in the progress window.
    virtual bool Cancelled() const = 0;
    // Gives up the request and releases the link (time-out, cancel).
    virtual void Release() = 0;
    // Ends the progress window; completed after a successful transfer.
    virtual void EndProgress(bool completed) = 0;
};

EditorTransfer& AppEditorTransfer();
void SetEditorTransfer(EditorTransfer* transfer);  // nullptr restores the no-link default
