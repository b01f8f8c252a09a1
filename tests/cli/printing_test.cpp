// Printed pages and drawings as a reader gets them: PDF pages read back as text
// (pdftotext) and as pixels (pdftoppm), and SVG files read as XML.
#include "files/graph_file.h"
#include "render/graph_layout.h"
#include "render/render_test_util.h"
#include "ui/printing.h"
#include "ui/qt_canvas.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace torvel {
namespace {

using namespace test;

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

class PrintingTest : public ::testing::Test {
  public:
    std::string Path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // Runs a command line; its standard output, or "<status N>" and its
    // standard error when it failed.
    std::string Run(const std::string& command) const {
        const std::string out = Path("out.txt"), err = Path("err.txt");
        const int raw = std::system((command + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
        const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return status == 0 ? Read(out) : "<status " + std::to_string(status) + "> " + Read(err);
    }
    std::string Cli(const std::string& args) const {
        return Run(std::string(Quote(TORVEL_CLI_PATH)) + " " + args);
    }
    // The PDF's text laid out as on the page; pages end with a form feed.
    std::string PdfText(const std::string& pdf) const {
        return Run("pdftotext -layout " + Quote(pdf) + " -");
    }
    // Page 1 of a PDF at 300 dpi without anti-aliasing: one pixel per device pixel.
    QImage PdfPage(const std::string& pdf) const {
        const std::string stem = Path("page");
        const std::string r =
            Run("pdftoppm -png -r 300 -aa no -aaVector no -f 1 -l 1 -singlefile " + Quote(pdf) +
                " " + Quote(stem));
        EXPECT_EQ(r.find("<status"), std::string::npos) << r;
        return QImage(QString::fromStdString(stem + ".png"));
    }

    QTemporaryDir dir_;
};

// Every run of blanks as one blank (pdftotext spaces words by their place on the page).
std::string Squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' ' && out.back() != '\n')) out += c;
    return out;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The lines of a text that hold a word, for messages.
std::string LineWith(const std::string& text, const std::string& word) {
    const auto at = text.find(word);
    if (at == std::string::npos) return {};
    const auto begin = text.rfind('\n', at);
    const auto end = text.find('\n', at);
    return text.substr(begin == std::string::npos ? 0 : begin + 1,
                       end == std::string::npos ? std::string::npos : end - begin - 1);
}

TEST_F(PrintingTest, DataPrintoutOfAPlainSeriesAndAFit) {
    // Rows 3 and 4 hold nothing, row 2 only an X.
    const std::string prn = Write("rows.prn", "1 10\n2 x\nx x\nx x\n5 50\n");
    const std::string pdf = Path("rows.pdf");
    ASSERT_EQ(Cli("print-data " + Quote(prn) + " -o " + Quote(pdf)), "");
    const std::string text = PdfText(pdf);
    EXPECT_EQ(text.substr(text.find_first_not_of(" \n"), 10), "NoName.gra") << text;
    EXPECT_NE(LineWith(text, "Series #1"), "");
    EXPECT_NE(text.find("Index"), std::string::npos) << text;
    // Rows 1, 2 and 5 with their index numbers; row 2 without a Y.
    EXPECT_NE(Squeezed(text).find("Index X Y\n\n1 1 10\n2 2\n5 5 50\n"), std::string::npos) << text;

    Document doc;
    FixedAxes(doc);
    doc.Settings.MainTitles = {"Fitted", "", ""};
    Series& s = AddSeries(doc, {{1, 3}, {2, 5}, {3, 7.5L}}, true, GraphLineFit);
    s.Fit.FitKind = 1;
    s.HasFit = true;
    SilentFeedback fb;
    const std::string gra = Path("fit.gra");
    ASSERT_TRUE(WriteGraphFile(doc, gra, fb));
    ASSERT_EQ(Cli("print-data " + Quote(gra) + " -o " + Quote(pdf)), "");
    const std::string fit = Squeezed(PdfText(pdf));
    EXPECT_EQ(Count(fit, "Fitted"), 1) << fit;
    for (const char* want : {"Y YFit\n", "A = .6666", "B = 2.25", "R^2 = .99", "Y = A + B*X"})
        EXPECT_NE(fit.find(want), std::string::npos) << want << "\n" << fit;
    EXPECT_EQ(fit.find("C ="), std::string::npos);
}

TEST_F(PrintingTest, LongSeriesGoesOnOnTheNextPage) {
    std::string rows;
    for (int i = 1; i <= 120; ++i)
        rows += std::to_string(i) + " " + std::to_string(1000 + i) + "\n";
    const std::string prn = Write("long.prn", rows);
    const std::string pdf = Path("long.pdf");
    ASSERT_EQ(Cli("print-data " + Quote(prn) + " -o " + Quote(pdf)), "");
    const std::string text = PdfText(pdf);
    ASSERT_GE(Count(text, "\f"), 2) << text;
    const std::string page1 = text.substr(0, text.find('\f'));
    const std::string page2 = text.substr(text.find('\f') + 1);
    EXPECT_EQ(page1.find("Page"), std::string::npos);
    // A4 with 10 mm margins at 300 dpi: 56 lines, rows on lines 11 to 56.
    EXPECT_NE(page1.find("1046"), std::string::npos) << page1;
    EXPECT_EQ(page2.find("1046"), std::string::npos) << page2;
    const auto page = page2.find("Page 2"), continued = page2.find("Series #1 (continued)");
    const auto headings = page2.find("Index");
    ASSERT_NE(page, std::string::npos) << page2;
    ASSERT_NE(continued, std::string::npos) << page2;
    ASSERT_NE(headings, std::string::npos) << page2;
    EXPECT_LT(page, continued);
    EXPECT_LT(continued, headings);
    EXPECT_NE(LineWith(page2, "Index").find("X"), std::string::npos);
    EXPECT_NE(page2.find("1047"), std::string::npos);
    EXPECT_NE(page2.find("1120"), std::string::npos);
}

// Prints a document on an A4 page of a PDF writer (no margins, 300 dpi) and
// reads the page back as pixels; `layout` gets what the page looked like to the renderer.
QImage PrintedPage(PrintingTest& t, Document& doc, bool portrait, bool colour,
                   const std::string& name, RecordingCanvas* recorded = nullptr) {
    const std::string pdf = t.Path(name);
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(PrintResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                                         QMarginsF(0, 0, 0, 0)));
        GraphViewState view;
        EXPECT_TRUE(PrintGraphOn(doc, writer, colour, view));
        if (recorded) {
            const PrinterPage page{writer.width(), writer.height(), portrait, colour};
            DrawGraphToPrinter(doc, *recorded, view, page);
        }
    }
    return t.PdfPage(pdf);
}

bool IsBlack(const QImage& image, Point p) {
    const QColor c = image.pixelColor(p.X, p.Y);
    return c.red() < 60 && c.green() < 60 && c.blue() < 60;
}

// Of the points along a segment (every pixel, ends left out), the share
// with a black pixel within one pixel across the line.
double BlackShare(const QImage& image, Segment s) {
    const bool flat = s.A.Y == s.B.Y;
    const int from = (flat ? std::min(s.A.X, s.B.X) : std::min(s.A.Y, s.B.Y)) + 5;
    const int to = (flat ? std::max(s.A.X, s.B.X) : std::max(s.A.Y, s.B.Y)) - 5;
    int black = 0, all = 0;
    for (int v = from; v <= to; ++v, ++all)
        for (int d = -1; d <= 1; ++d)
            if (IsBlack(image, flat ? Point{v, s.A.Y + d} : Point{s.A.X + d, v})) {
                ++black;
                break;
            }
    return all ? double(black) / all : 0;
}

TEST_F(PrintingTest, PrintedGraphLandscapeAndPortrait) {
    for (const bool portrait : {true, false}) {
        Document doc;
        FixedAxes(doc);
        doc.Settings.MainTitles[0] = "Printed";
        AddSeries(doc, {{2, 2}, {8, 8}});
        RecordingCanvas c;
        const QImage page = PrintedPage(*this, doc, portrait, true, "graph.pdf", &c);
        ASSERT_FALSE(page.isNull());
        EXPECT_EQ(page.width() > page.height(), !portrait);
        const auto frame = FramePoints(c);
        ASSERT_EQ(frame.size(), 5u);
        for (int i = 0; i < 4; ++i)
            EXPECT_GT(BlackShare(page, {frame[i], frame[i + 1]}), 0.97)
                << portrait << " side " << i;
        // Inside the plot, away from grid lines, the paper stays white.
        const Point inside{(frame[0].X + frame[2].X) / 2 + 7, (frame[0].Y + frame[2].Y) / 2 + 9};
        EXPECT_EQ(page.pixelColor(inside.X, inside.Y), QColor(Qt::white));
    }
}

TEST_F(PrintingTest, PrinterOptionsGiveTheMinorGridAndFramePens) {
    const struct {
        int options;
        bool colour, dotted;
        int frameWidth;
    } cases[] = {
        {2, true, false, 3}, {3, true, true, 1}, {2, false, false, 3}, {3, false, true, 1}};
    for (const auto& k : cases) {
        Document doc;
        FixedAxes(doc);
        doc.Settings.XGridMinor = doc.Settings.YGridMinor = 2;
        doc.Prefs.PrinterOptions = k.options;
        AddSeries(doc, {{2, 2}, {8, 8}}, true, GraphNone, false);
        RecordingCanvas c;
        const QImage page = PrintedPage(*this, doc, true, k.colour, "options.pdf", &c);
        // A vertical minor line of the X grid, drawn with the minor pen.
        std::optional<Segment> minor;
        for (const CanvasCall& call : c.Calls)
            if ((call.Kind == CallKind::Lines || call.Kind == CallKind::Line) &&
                call.PenKind == (k.dotted ? PenStyle::Dotted : PenStyle::Solid) &&
                call.PenWidth == 1 && call.PenColour == Rgb{0, 0, 0} &&
                call.Points[0].X == call.Points[1].X &&
                std::abs(call.Points[0].Y - call.Points[1].Y) > 500)
                minor = Segment{call.Points[0], call.Points[1]};
        ASSERT_TRUE(minor) << k.options << k.colour;
        const double share = BlackShare(page, *minor);
        if (k.dotted)
            EXPECT_LT(share, 0.8) << k.options << " colour " << k.colour;
        else
            EXPECT_GT(share, 0.97) << k.options << " colour " << k.colour;
        // The frame's left side: 3 pixels wide with "Black", 1 otherwise.
        const auto frame = FramePoints(c);
        const int y = (frame[0].Y + frame[2].Y) / 2 + 3;
        int width = 0;
        for (int x = frame[0].X - 4; x <= frame[0].X + 4; ++x)
            width += IsBlack(page, {x, y});
        EXPECT_EQ(width, k.frameWidth) << k.options << " colour " << k.colour;
    }
}

TEST_F(PrintingTest, SeriesPrintInTheirPrinterColours) {
    Document doc;
    FixedAxes(doc);
    // Series 1 black by choice, 2 and 3 in their own colours, 4 by default: black.
    AddSeries(doc, {{1, 5}}, true, GraphBar, false).PrintColor = PrintBlack;
    AddSeries(doc, {{3, 5}}, true, GraphBar, false);
    AddSeries(doc, {{5, 5}}, true, GraphBar, false).PrintColor = PrintRed;
    AddSeries(doc, {{7, 5}}, true, GraphBar, false);
    RecordingCanvas c;
    const QImage page = PrintedPage(*this, doc, true, true, "colours.pdf", &c);
    const auto bars = c.OfKind(CallKind::Rectangle);
    ASSERT_EQ(bars.size(), 4u);
    const Rgb want[] = {{0, 0, 0}, PrintColorOf(2), PrintColorOf(PrintRed), {0, 0, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        const Point a = bars[i].Points[0], b = bars[i].Points[1];
        const QColor got = page.pixelColor((a.X + b.X) / 2, (a.Y + b.Y) / 2);
        EXPECT_EQ(got, QColor(want[i].R, want[i].G, want[i].B)) << "series " << i + 1;
    }
}

TEST_F(PrintingTest, SvgIsWellFormedAndHoldsTheTitles) {
    Document doc;
    FixedAxes(doc);
    doc.Settings.MainTitles = {"Main & <title>", "", ""};
    doc.Settings.XTitles[0] = "Time (s)";
    AddSeries(doc, {{1, 2}, {5, 6}}).SeriesTitle = "Legend text";
    SilentFeedback fb;
    const std::string gra = Path("svg.gra");
    ASSERT_TRUE(WriteGraphFile(doc, gra, fb));
    const std::string svg = Path("graph.svg");
    ASSERT_EQ(Cli("render " + Quote(gra) + " -o " + Quote(svg) + " --size 640x480"), "");
    QFile file(QString::fromStdString(svg));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString texts, width;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("svg"))
            width = xml.attributes().value(QStringLiteral("width")).toString();
        if (xml.isCharacters()) texts += xml.text();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(width.startsWith(QStringLiteral("16")) || width.contains(QStringLiteral("640")))
        << width.toStdString();
    for (const char* want : {"Main & <title>", "Time (s)", "Legend text"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(want))) << want;
}

// A device whose writes run out of memory, as the growing buffer of a PDF
// file may: after the writes that begin a document, the next `failures`
// writes throw std::bad_alloc.
class OutOfMemoryDevice : public QIODevice {
  public:
    OutOfMemoryDevice(qint64 beginWrites, int failures)
        : beginWrites_(beginWrites), failures_(failures) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    qint64 Writes = 0;

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override {
        if (++Writes > beginWrites_ && failures_ > 0) {
            --failures_;
            throw std::bad_alloc();
        }
        return length;
    }

  private:
    qint64 beginWrites_;
    int failures_;
};

// Running out of memory while a page is written, and again while the job
// ends (which writes the rest of the file), ends the print with
// std::bad_alloc for the command to report; the program is not aborted.
TEST_F(PrintingTest, APrintThatRunsOutOfMemoryWhileWritingEndsWithBadAlloc) {
    Document doc;
    FixedAxes(doc);
    std::vector<std::pair<Real, Real>> rows;
    for (int i = 1; i <= 120; ++i) // two pages
        rows.emplace_back(i, i);
    AddSeries(doc, rows);
    qint64 beginWrites = 0;
    {
        OutOfMemoryDevice probe(0, 0);
        QPdfWriter pdf(&probe);
        QPainter painter(&pdf);
        beginWrites = probe.Writes;
    }
    const std::pair<const char*, std::function<bool(QPdfWriter&)>> jobs[] = {
        {"data", [&](QPdfWriter& pdf) { return PrintDataOn(doc, pdf); }},
        {"graph",
         [&](QPdfWriter& pdf) {
             GraphViewState view;
             return PrintGraphOn(doc, pdf, true, view);
         }},
    };
    for (const auto& [name, job] : jobs)
        for (const int failures : {1, 2}) {
            OutOfMemoryDevice device(beginWrites, failures);
            QPdfWriter pdf(&device);
            EXPECT_THROW(job(pdf), std::bad_alloc) << name << " " << failures;
        }
}

} // namespace
} // namespace torvel
