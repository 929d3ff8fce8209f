#pragma once
// A printed page as a list of drawing operations in the page's own units:
// lines (the line unit, from the top) and characters (the character unit,
// from a left margin of 100 device units or from the page centre), with
// device units added where the ruling needs them.
#include <string>
#include <vector>

enum class PrintFont : unsigned char { Normal, Heading, Large };

struct PagePlace {
    int Chars = 0;
    int Line = 0;
    int Units = 0;             // device units added downwards
    bool FromCentre = false;   // characters counted from W / 2
    bool FromBottom = false;   // lines counted up from the page's bottom edge
};

struct PageText {
    PagePlace At;
    PrintFont Font = PrintFont::Normal;
    std::string Text;
};

struct PageLine {
    PagePlace From;
    PagePlace To;
};

struct PageOps {
    std::vector<PageText> Texts;
    std::vector<PageLine> Lines;  // a rectangle is its four sides
};

inline constexpr int kPrintLeftMargin = 100;
inline constexpr int kRowGap = 16;
inline constexpr int kLinesPerPage = 80;
inline constexpr int kCharsPerLine = 120;

// The measured font the geometry is found with: line height (height plus
// external leading) of a font of that height, and the width of "A" in a font
// of that height and character width.
class PrintMetrics {
public:
    virtual ~PrintMetrics() = default;
    virtual int LineHeight(int fontHeight) const = 0;
    virtual int LetterWidth(int fontHeight, int charWidth) const = 0;
};

struct PageGeometry {
    int Width = 0;
    int Height = 0;
    int FontHeight = 0;
    int CharWidth = 0;
    int LineUnit = 1;
    int CharUnit = 1;
    int X(const PagePlace& p) const {
        return (p.FromCentre ? Width / 2 : kPrintLeftMargin) + p.Chars * CharUnit;
    }
    int Y(const PagePlace& p) const {
        return (p.FromBottom ? Height - p.Line * LineUnit : p.Line * LineUnit) + p.Units;
    }
};

// Lines per page from N = 80 up to 119 and characters per line from M = 120 up
// to 219: the first that lets 80 lines and 120 letters fit the page.
PageGeometry ComputeGeometry(int width, int height, const PrintMetrics& metrics);

// Draws into one page's operations.
class PageBuilder {
public:
    explicit PageBuilder(PageOps& ops) : ops_(ops) {}
    void Text(int line, int chars, std::string text, PrintFont font = PrintFont::Normal);
    // A ruled table: frame from the first to the last boundary, a line at
    // every inner boundary, a line under the heading row and every data row.
    void Table(int top, int rows, const std::vector<int>& bounds);
    // Row 0 is the heading row on the top line; row i stands 8 + 16 i units
    // below line top + i.
    void Cell(int top, int row, int chars, std::string text);
    // The date, the file, the system name, the title and "-N-".
    void Frame(const std::string& date, const std::string& filePath, const std::string& title, int pageNo);
    PageOps& Ops() { return ops_; }

private:
    void Rule(PagePlace from, PagePlace to) { ops_.Lines.push_back({from, to}); }
    PageOps& ops_;
};

// The text of line 1: the date and "(path)" right-aligned in 120 characters;
// only the file's own name when the whole does not fit. Returns the column.
int TopLine(const std::string& date, const std::string& filePath, std::string& text);
inline constexpr const char* kSystemHeading = "VELCARO NX-420 System";
