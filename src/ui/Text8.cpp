#include "ui/Text8.h"

#include "core/KatakanaText.h"

// The mapping itself is the rules layer's; this only crosses into QString.
QString FromText8(std::string_view text) { return QString::fromStdU16String(Text8ToUtf16(text)); }

bool ToText8(const QString& text, std::string& out) { return Utf16ToText8(text.toStdU16String(), out); }
