// Printing from the windows: Print Graph, Print Data and Print Text through the
// program's printer into PDF files, Print Setup on the PDF printer, the printer
// colour dialog, and the graph window's PNG and SVG pictures.
#include "ui_test_support.h"

#include "ui/dialogs/print_setup_dialog.h"

#include <cstdio>
#include <cstdlib>

using namespace torvel;
using namespace torvel::test;

namespace {

// What a command writes on its standard output.
std::string Output(const std::string& command) {
    std::string text;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        pclose(p);
    }
    return text;
}

// The text of a PDF file as pdftotext lays it out, blanks squeezed.
std::string PdfText(const QString& pdf) {
    const std::string text = Output("pdftotext -layout '" + pdf.toStdString() + "' - 2>/dev/null");
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' ' && out.back() != '\n')) out += c;
    return out;
}

struct PrintingShell : Shell {
    PrintingShell() {
        main->show();
        main->NewData1Click();
        Series& s = *main->Doc().DataWindows()[0];
        s.SetCell(XColumn, 1, "1");
        s.SetCell(YColumn, 1, "2.5");
        s.SetCell(XColumn, 2, "2");
        s.SetCell(YColumn, 2, "4");
        data = static_cast<TSpreadF*>(main->DataWindowOf(s));
        data->RefreshGrid();
        main->Printing().PrintDialogOverride = [this](QPrinter& p) {
            ++dialogs;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return confirm;
        };
    }
    TSpreadF* data = nullptr;
    QString pdf = Path(QStringLiteral("out.pdf"));
    bool confirm = true;
    int dialogs = 0;
};

TEST(Printing, GraphDataAndTextGoToThePrinter) {
    PrintingShell s;
    // Print Graph of a data window makes the graph window first.
    s.main->Doc().Settings.MainTitles[0] = "Printed title";
    Trigger(s.data, "PrintGraph1");
    Settle();
    ASSERT_NE(s.main->GraphF(), nullptr);
    EXPECT_EQ(s.dialogs, 1);
    EXPECT_NE(PdfText(s.pdf).find("Printed title"), std::string::npos);
    // Typed but not yet committed: the data window prints what its cells show.
    s.data->Grid()->SetCurrentCell({YColumn, 3});
    ASSERT_TRUE(s.data->Grid()->OpenEditor());
    s.data->Grid()->Editor()->setText(QStringLiteral("9"));
    Trigger(s.data, "PrintData1");
    EXPECT_NE(PdfText(s.pdf).find("Series #1\n\nIndex X Y\n\n1 1 2.5\n2 2 4\n3 9\n"),
              std::string::npos)
        << PdfText(s.pdf);
    auto* text = static_cast<TTextF*>(s.main->NewTextWindow());
    text->Memo()->setPlainText(QStringLiteral("line one\nline two"));
    Trigger(text, "Print1");
    EXPECT_NE(PdfText(s.pdf).find("line one\nline two"), std::string::npos) << PdfText(s.pdf);
    // A cancelled dialog prints nothing.
    QFile::remove(s.pdf);
    s.confirm = false;
    Trigger(s.main->GraphF(), "PrintGraph1");
    Trigger(s.data, "PrintData1");
    Trigger(text, "Print1");
    EXPECT_FALSE(QFileInfo::exists(s.pdf));
    EXPECT_TRUE(s.feedback.Messages.empty());
}

// A print job that runs out of memory says so, puts back what a draw writes
// into the settings and leaves no half-written PDF file; then prints as ever.
TEST(Printing, AJobThatRunsOutOfMemoryPrintsNothingAndChangesNothing) {
    PrintingShell s;
    TGraphF* graph = s.main->EnsureGraphWindow();
    Settle();
    GraphSettings& settings = s.main->Doc().Settings;
    settings.LogX = true; // a draw rounds the limits to powers of ten
    settings.MultiScaleX = false;
    settings.XMax = 50;
    settings.XMin = 2;
    const GraphSettings before = settings;
    for (const char* action : {"PrintGraph1", "PrintData1"}) {
        FailAllocationAt(1);
        Trigger(graph, action);
        FailAllocationAt(0);
        EXPECT_FALSE(QFileInfo::exists(s.pdf)) << action;
    }
    EXPECT_EQ(settings, before);
    EXPECT_EQ(Told(s.feedback), (Texts{"Not enough memory to print the graph.",
                                       "Not enough memory to print the data."}));
    Trigger(graph, "PrintGraph1");
    EXPECT_TRUE(QFileInfo::exists(s.pdf));
    EXPECT_NEAR(static_cast<double>(settings.XMax), 100, 1e-9);
}

TEST(Printing, APrinterThatCannotStartIsReported) {
    PrintingShell s;
    s.pdf = s.Path(QStringLiteral("no such folder/out.pdf"));
    s.main->EnsureGraphWindow();
    auto* text = static_cast<TTextF*>(s.main->NewTextWindow());
    Trigger(s.main->GraphF(), "PrintGraph1");
    Trigger(s.data, "PrintData1");
    Trigger(text, "Print1");
    EXPECT_EQ(Told(s.feedback), Texts(3, PrinterNotStarted));
}

TEST(Printing, PrintSetupWorksOnThePdfPrinterAndLastsForEveryWindow) {
    PrintingShell s;
    s.main->EnsureGraphWindow();
    int pdfPrinter = -1;
    WhenModal([&pdfPrinter](QWidget* w) {
        pdfPrinter = w->findChild<QComboBox*>(QStringLiteral("PrinterName"))
                         ->findText(QString::fromLatin1(TPrintSetupF::PdfPrinterName));
        auto* paper = w->findChild<QComboBox*>(QStringLiteral("PaperSize"));
        paper->setCurrentIndex(paper->findText(QStringLiteral("A5")));
        w->findChild<QRadioButton*>(QStringLiteral("Landscape"))->click();
        QTest::keyClick(w, Qt::Key_Return);
    });
    Trigger(s.data, "PrintSetup1");
    EXPECT_GE(pdfPrinter, 0);
    // Shown again from the graph window with those choices; Escape changes nothing.
    bool landscapeShown = false;
    WhenModal([&landscapeShown](QWidget* w) {
        landscapeShown = w->findChild<QRadioButton*>(QStringLiteral("Landscape"))->isChecked();
        w->findChild<QRadioButton*>(QStringLiteral("Portrait"))->click();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    Trigger(s.main->GraphF(), "PrintSetup1");
    EXPECT_TRUE(landscapeShown);
    // The printed graph follows the setup: an A5 landscape page.
    Trigger(s.main->GraphF(), "PrintGraph1");
    const std::string info = Output("pdfinfo '" + s.pdf.toStdString() + "' 2>/dev/null");
    EXPECT_NE(info.find("595 x 420 pts (A5)"), std::string::npos) << info; // across
}

} // namespace
