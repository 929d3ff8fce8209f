#include "core/FileDialogFilter.h"

#include <vector>

std::string QtFileFilter(std::string_view pipeFilter) {
    std::vector<std::string_view> parts;
    while (!pipeFilter.empty()) {
        const std::size_t bar = pipeFilter.find('|');
        parts.push_back(pipeFilter.substr(0, bar));
        if (bar == std::string_view::npos) break;
        pipeFilter.remove_prefix(bar + 1);
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::string_view label = parts[i];
        if (label.empty()) break;  // the closing "||"
        const std::string_view pattern = i + 1 < parts.size() ? parts[i + 1] : std::string_view("*");
        if (!out.empty()) out += ";;";
        out += label;
        // Qt reads the patterns from the parentheses; add them when the label has none.
        if (label.find('(') == std::string_view::npos) {
            out += " (";
            for (const char c : pattern) out += c == ';' ? ' ' : c;
            out += ')';
        }
    }
    return out;
}
