#pragma once
// The progress window's title while the text of a command letter is sent.

// nullptr for a letter without a title.
const char* ProgressTitle(char letter);
