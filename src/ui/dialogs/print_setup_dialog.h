// Print Setup ("P&rint Setup..." of the graph, data and text windows): the
// printer, its paper and the orientation. Qt's own page setup dialog refuses
// printers that are not the system's (the PDF file printer); this one sets up
// every printer the same way. The rules live in print/page_setup.h.
#pragma once

#include "print/page_setup.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QPrinter;
class QPushButton;

namespace torvel {

class TPrintSetupF : public QDialog {
    Q_OBJECT

  public:
    // The name shown for printing into a PDF file.
    static constexpr const char* PdfPrinterName = "Print to File (PDF)";

    TPrintSetupF(QPrinter& printer, QWidget* parent = nullptr);

    // The printers, papers and orientation shown.
    const PageSetupState& State() const { return state_; }

    // Stores the choices in the printer and closes.
    void OKBtnClick();

  private:
    void FormShow();
    void PrinterNameChange(int index);
    void ShowPapers();
    std::vector<PaperChoice> PapersOf(int printerIndex, int* defaultKey) const;
    bool IsPdfPrinter(int index) const;

    QPrinter& printer_;
    PageSetupState state_;
    QComboBox* printerName_ = nullptr;
    QComboBox* paperSize_ = nullptr;
    QButtonGroup* orientation_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

} // namespace torvel
