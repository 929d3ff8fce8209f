#pragma once
// nx420ctl send: one text to the exchanges through the program's own link
// session and transfer engine, without a window. Needs Qt Core; makes its
// application object when there is none.
#include <cstdio>
#include <string>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

// Returns the exit status: 0 when the exchanges acknowledged the text.
int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out);

