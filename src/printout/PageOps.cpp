#include "printout/PageOps.h"

#include <algorithm>
#include <cstdio>

PageGeometry ComputeGeometry(int width, int height, const PrintMetrics& metrics) {
    PageGeometry g;
    g.Width = width;
    g.Height = height;
    for (int n = kLinesPerPage; n <= 119; ++n) {
        g.FontHeight = height / n;
        g.LineUnit = std::max(1, metrics.LineHeight(g.FontHeight));
        if (kLinesPerPage * g.LineUnit <= height) break;
    }
    for (int m = kCharsPerLine; m <= 219; ++m) {
        g.CharWidth = width / m;
        g.CharUnit = std::max(1, metrics.LetterWidth(g.FontHeight, g.CharWidth));
        if (kCharsPerLine * g.CharUnit <= width) break;
    }
    return g;
}

void PageBuilder::Text(int line, int chars, std::string text, PrintFont font) {
    if (text.empty()) return;
    ops_.Texts.push_back({PagePlace{chars, line, 0, false, false}, font, std::move(text)});
}

void PageBuilder::Table(int top, int rows, const std::vector<int>& bounds) {
    if (bounds.size() < 2) return;
    const int bottomLine = top + rows + 1;
    const int bottomUnits = (rows + 1) * kRowGap;
    const PagePlace topLeft{bounds.front(), top, 0, false, false};
    const PagePlace topRight{bounds.back(), top, 0, false, false};
    const PagePlace bottomLeft{bounds.front(), bottomLine, bottomUnits, false, false};
    const PagePlace bottomRight{bounds.back(), bottomLine, bottomUnits, false, false};
    Rule(topLeft, topRight);
    Rule(topRight, bottomRight);
    Rule(bottomRight, bottomLeft);
    Rule(bottomLeft, topLeft);
    for (std::size_t b = 1; b + 1 < bounds.size(); ++b)
        Rule({bounds[b], top, 0, false, false}, {bounds[b], bottomLine, bottomUnits, false, false});
    for (int i = 1; i <= rows; ++i)
        Rule({bounds.front(), top + i, i * kRowGap, false, false}, {bounds.back(), top + i, i * kRowGap, false, false});
}

void PageBuilder::Cell(int top, int row, int chars, std::string text) {
    if (text.empty()) return;
    ops_.Texts.push_back({PagePlace{chars, top + row, 8 + kRowGap * row, false, false}, PrintFont::Normal,
                          std::move(text)});
}

int TopLine(const std::string& date, const std::string& filePath, std::string& text) {
    std::string name = filePath;
    if (date.size() + name.size() + 3 > static_cast<std::size_t>(kCharsPerLine)) {
        const std::size_t slash = name.rfind('/');
        if (slash != std::string::npos) name = name.substr(slash + 1);
    }
    text = date + " (" + name + ")";
    return std::max(0, kCharsPerLine - static_cast<int>(text.size()));
}

void PageBuilder::Frame(const std::string& date, const std::string& filePath, const std::string& title, int pageNo) {
    std::string top;
    const int column = TopLine(date, filePath, top);
    Text(1, column, std::move(top));
    const int heading = static_cast<int>(std::char_traits<char>::length(kSystemHeading));
    // Large characters are two units wide: half the text is its length in units.
    ops_.Texts.push_back({PagePlace{-heading, 2, 0, true, false}, PrintFont::Large, kSystemHeading});
    Text(4, 0, title, PrintFont::Heading);
    char number[16];
    std::snprintf(number, sizeof number, "-%d-", pageNo);
    ops_.Texts.push_back({PagePlace{-1, 2, 0, true, true}, PrintFont::Normal, number});
}
