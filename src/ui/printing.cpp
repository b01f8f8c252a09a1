#include "ui/printing.h"

#include "core/out_of_memory.h"
#include "print/data_printout.h"
#include "ui/dialogs/print_setup_dialog.h"
#include "ui/qt_canvas.h"
#include "ui/work_progress.h"

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <new>

namespace torvel {

namespace {

// Page breaks of the data printout on a paged device.
class DevicePages : public PageFeed {
  public:
    explicit DevicePages(QPagedPaintDevice& device) : device_(device) {}
    void NewPage() override { device_.newPage(); }

  private:
    QPagedPaintDevice& device_;
};

} // namespace

ProgramPrinter::ProgramPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setResolution(PrintResolution);
    printer_->setCreator(QStringLiteral("Torvel Graphics v2.07"));
}

ProgramPrinter::~ProgramPrinter() = default;

bool ProgramPrinter::AskToPrint(QWidget* parent, bool pageRange) {
    bool ok;
    if (PrintDialogOverride) {
        ok = PrintDialogOverride(*printer_);
    } else {
        QPrintDialog dialog(printer_.get(), parent);
        dialog.setObjectName(QStringLiteral("PrintDialog1"));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, pageRange);
        if (!pageRange) printer_->setPrintRange(QPrinter::AllPages);
        ok = dialog.exec() == QDialog::Accepted;
    }
    // The dialog may hand over another printer; the layout wants its resolution.
    printer_->setResolution(PrintResolution);
    return ok;
}

bool ProgramPrinter::PageSetup(QWidget* parent) {
    TPrintSetupF dialog(*printer_, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    printer_->setResolution(PrintResolution);
    return ok;
}

bool PrintDataOn(Document& doc, QPagedPaintDevice& device) {
    PaintJob job;
    if (!job.Begin(device)) return false;
    DataPage page;
    page.Width = device.width();
    page.Height = device.height();
    page.Portrait = device.pageLayout().orientation() == QPageLayout::Portrait;
    QtCanvas canvas(job.Painter(), QSize(page.Width, page.Height));
    DevicePages pages(device);
    try {
        PrintDataTables(doc, canvas, pages, page);
    } catch (const std::bad_alloc&) {
        AbortPrintJob(device);
        throw;
    }
    return job.End();
}

namespace {

// Runs a print job under the out-of-memory guard. A job that runs out of
// memory is told as "Not enough memory to " + what, puts back the settings a
// draw writes into, and leaves no half-written PDF file behind.
void RunPrintJob(Document& doc, ProgramPrinter& printer, Feedback& feedback, const char* what,
                 const std::function<bool(QPrinter&)>& job) {
    QPrinter& p = printer.Printer();
    WorkProgress work(QApplication::activeWindow(), QStringLiteral("Printing"));
    bool started = true;
    if (!GuardMemory(feedback, what, doc.Settings, [&] { started = job(p); })) {
        if (p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty())
            QFile::remove(p.outputFileName());
        return;
    }
    if (!started) feedback.Message(MessageKind::Error, PrinterNotStarted, MessageButtons::Ok);
}

} // namespace

void PrintGraphCommand(Document& doc, ProgramPrinter& printer, GraphViewState& view,
                       QWidget* parent, Feedback& feedback) {
    if (!printer.AskToPrint(parent)) return;
    RunPrintJob(doc, printer, feedback, "print the graph",
                [&](QPrinter& p) { return PrintGraph(doc, p, view); });
}

void PrintDataCommand(Document& doc, ProgramPrinter& printer, QWidget* parent, Feedback& feedback) {
    if (!printer.AskToPrint(parent)) return;
    RunPrintJob(doc, printer, feedback, "print the data",
                [&](QPrinter& p) { return PrintDataOn(doc, p); });
}

} // namespace torvel
