// The program's printer and the print jobs of the graph, data and text
// windows. One QPrinter serves the whole session, so what Print Setup chooses
// holds for every later print.
#pragma once

#include "core/document.h"
#include "render/draw_graph.h"

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace torvel {

// The resolution every printed page is laid out in: the printed graph and the
// data tables measure ticks, markers and line heights in device pixels of a
// 300 dpi page, on paper and in PDF files alike.
inline constexpr int PrintResolution = 300;

class ProgramPrinter {
  public:
    ProgramPrinter();
    ~ProgramPrinter();
    ProgramPrinter(const ProgramPrinter&) = delete;
    ProgramPrinter& operator=(const ProgramPrinter&) = delete;

    QPrinter& Printer() { return *printer_; }

    // The print dialog; true when the user confirmed it. pageRange lets the
    // user choose pages (the text window).
    bool AskToPrint(QWidget* parent, bool pageRange = false);
    // Print Setup: printer, paper and orientation, for every printer the
    // system offers and the PDF file printer.
    bool PageSetup(QWidget* parent);

    // Tests answer the print dialog without showing it (true: print).
    std::function<bool(QPrinter&)> PrintDialogOverride;

  private:
    std::unique_ptr<QPrinter> printer_;
};

// The data printout on any paged device (a printer, a QPdfWriter), begun and
// ended here. False when the device could not be started.
bool PrintDataOn(Document& doc, QPagedPaintDevice& device);

// Print Graph, Print Data and Print Text of the windows: the print dialog,
// then the job. A printer that cannot be started is reported.
void PrintGraphCommand(Document& doc, ProgramPrinter& printer, GraphViewState& view,
                       QWidget* parent, Feedback& feedback);
void PrintDataCommand(Document& doc, ProgramPrinter& printer, QWidget* parent, Feedback& feedback);

// What is said when a print job could not be started.
inline constexpr const char* PrinterNotStarted =
    "The printer could not be started. If it prints to a file, check that the file can be written.";

} // namespace torvel
