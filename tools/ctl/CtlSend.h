#pragma once
// nx420ctl send: one text to the exchanges through the program's own transfer
// path (send routine, the view's link handling, transfer manager, serial link
// worker), without a window. Needs Qt Core; makes its application object when
// there is none.
#include <cstdio>
#include <string>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

// Returns the exit status: 0 when the exchanges acknowledged the text.
int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out);

// How long the requester waits for a result, as every requester does.
inline constexpr int kCtlSendLimitSeconds = 120;
