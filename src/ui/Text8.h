#pragma once
// The program's texts are 8-bit. On screen the single-byte katakana 0xA1-0xDF
// appear as U+FF61-U+FF9F and every other byte as its Latin-1 character.
#include <QString>
#include <string>
#include <string_view>

QString FromText8(std::string_view text);
// False (out unchanged) when a character has no 8-bit form.
bool ToText8(const QString& text, std::string& out);
