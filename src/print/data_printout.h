// The data printout: a title, then for every series a heading in its print
// colour, its table of rows and, when it has a fit, the coefficients, R^2 and
// the equation, as lines of text on printer pages. Drawn on the abstract
// canvas, so the printer, a PDF file and the tests share one layout.
#pragma once

#include "core/document.h"
#include "render/canvas.h"

#include <string>

namespace torvel {

// The pages of one print job: the canvas always draws on the current page.
class PageFeed {
  public:
    virtual ~PageFeed() = default;
    // Ends the current page and starts the next one.
    virtual void NewPage() = 0;
};

// The printable area in device pixels, and the orientation.
struct DataPage {
    int Width = 0;
    int Height = 0;
    bool Portrait = true;
};

// Line height and the line the text of every page starts on.
inline constexpr int DataLineHeight = 55;
inline constexpr int DataFirstLine = 3;
// The printer face of the data printout (any face; only style, size and colour matter).
inline constexpr const char* DataPrintFace = "Arial";
inline constexpr int DataPrintFontSize = 12;

// The last line that may be printed on a page: page height div 55 less 3
// (portrait) or 6 (landscape).
int LastDataLine(const DataPage& page);

// "Y   = A + B*X" and its kin for fit kinds 1..8; empty for any other kind.
std::string FitEquationText(int fitKind);
// The number of coefficient lines of a fit kind (A, B ... up to F).
int FitCoefficientCount(int fitKind);

// Prints the tables of every series in DataWindows order, beginning on the
// current page. Each series' rows are refreshed from its grid first; a table
// without a fit prints the cells as the grid shows them, a fit table the
// stored values. Returns the number of pages used.
int PrintDataTables(Document& doc, Canvas& canvas, PageFeed& pages, const DataPage& page);

} // namespace torvel
