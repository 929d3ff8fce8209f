#pragma once
// File dialog filters are kept in the "Label|pattern|Label|pattern||" form;
// Qt's dialogs take the labels (which carry their patterns) joined by ";;".
#include <string>
#include <string_view>

std::string QtFileFilter(std::string_view pipeFilter);
