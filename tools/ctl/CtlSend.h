#pragma once
// nx420ctl send: one text to the exchanges through the program's own link
// session and transfer engine, without a window. Needs Qt Core; makes its
// application object when there is none.
#include <cstdio>
#include <string>
#include <vector>

#include "core/Prompt.h"
#include "port/ConnectionOptions.h"

// Returns the exit status: 0 when the exchanges acknowledged the text.
int CtlSend(const std::string& text, const ConnectionOptions& connection, Prompt& prompt, std::FILE* out);


// nx420ctl dial EXCHANGE MASTER NUMBER [FILE]: the remote dialing text after
// the window's checks, against the settings file FILE (the default
// configuration without one). 0 when the exchanges acknowledged it.
int CtlDial(const std::vector<std::string>& args, const ConnectionOptions& connection, Prompt& prompt,
            std::FILE* out);
