#pragma once
// The password step of start-up: read the password of the start-up settings
// file and, when one is set, ask for it.
#include <functional>
#include <string>

#include "core/FixedText.h"
#include "core/Prompt.h"

// askPassword runs the Password Input dialog and returns true on OK. Returns
// false when the program is to end.
bool CheckStartupPassword(const std::string& startupFile, FixedText<20>& password, Prompt& prompt,
                          const std::function<bool()>& askPassword);
