#include "cli/cli_commands.h"

#include "core/decimal_rounding.h"
#include "core/document.h"
#include "core/feedback.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "files/data_file.h"
#include "files/graph_file.h"
#include "fit/fit.h"
#include "render/draw_graph.h"
#include "scale/auto_scale.h"
#include "scale/ranges.h"
#include "ui/qt_canvas.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <optional>

namespace torvel {

namespace {

// Messages go to standard error; every question is answered "yes".
class CliFeedback : public Feedback {
  public:
    explicit CliFeedback(std::ostream& err) : err_(err) {}
    void Beep(const std::string& = {}) override {}
    Answer Message(MessageKind, const std::string& text, MessageButtons buttons) override {
        err_ << text << '\n';
        ++Messages;
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    }
    int Messages = 0;

  private:
    std::ostream& err_;
};

std::string LowerExtension(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// "WxH" with both parts whole numbers from 1 to 16384.
std::optional<std::pair<int, int>> ParseSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    int w = 0, h = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    auto r1 = std::from_chars(begin, begin + x, w);
    auto r2 = std::from_chars(begin + x + 1, end, h);
    if (r1.ec != std::errc{} || r1.ptr != begin + x || r2.ec != std::errc{} || r2.ptr != end)
        return std::nullopt;
    if (w < 1 || h < 1 || w > 16384 || h > 16384) return std::nullopt;
    return std::make_pair(w, h);
}

// Loads INPUT into a fresh document as the Open command would. False (with
// the message written) when it cannot be read.
bool LoadInput(Document& doc, const std::string& path, std::ostream& err) {
    CliFeedback fb(err);
    const std::string ext = LowerExtension(path);
    bool loaded = false;
    if (ext == ".prn") {
        loaded = !ReadDataFile(doc, path, fb).empty();
    } else if (ext == ".gra") {
        // Reading a graph file recomputes the fits, as opening one does.
        ReadGraphFile(doc, path, fb);
        loaded = !doc.GraphLoadFailed;
    }
    if (!loaded && fb.Messages == 0) err << IncompatibleFormatText(path) << '\n';
    return loaded;
}

bool WritePdf(Document& doc, GraphViewState& view, const std::string& path, std::string* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setCreator("Torvel Graphics v2.07");
        if (!PrintGraphOn(doc, pdf, true, view)) {
            if (error) *error = "The PDF page could not be started.";
            return false;
        }
    }
    return WriteBytesFile(bytes, path, error);
}

int Usage(std::ostream& err, const std::string& problem) {
    err << "torvel-cli: " << problem << "\nTry 'torvel-cli --help'.\n";
    return 2;
}

// A word that is not an option names the one input file: 0 when taken,
// otherwise the exit status of the usage error.
int TakeInput(const std::string& word, std::string& input, std::ostream& err) {
    if (!word.empty() && word[0] == '-') return Usage(err, "unknown option '" + word + "'");
    if (!input.empty()) return Usage(err, "more than one input file");
    input = word;
    return 0;
}

int RenderCommand(const std::vector<std::string>& args, std::ostream& err) {
    std::string input, output;
    int width = 800, height = 600;
    ScreenInfo screen;
    bool screenGiven = false, autoScale = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                Usage(err, std::string(name) + " needs a value");
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == "-o" || a == "--output") {
            auto v = value("-o");
            if (!v) return 2;
            output = *v;
        } else if (a == "--size" || a == "--screen") {
            auto v = value(a.c_str());
            if (!v) return 2;
            auto size = ParseSize(*v);
            if (!size) return Usage(err, "bad size '" + *v + "' (expected WxH, 1..16384)");
            if (a == "--size") {
                width = size->first;
                height = size->second;
            } else {
                screen.Width = size->first;
                screen.Height = size->second;
                screenGiven = true;
            }
        } else if (a == "--auto-scale") {
            autoScale = true;
        } else if (const int status = TakeInput(a, input, err)) {
            return status;
        }
    }
    if (input.empty()) return Usage(err, "render needs an input file");
    if (output.empty()) return Usage(err, "render needs -o OUTPUT");
    const std::string outExt = LowerExtension(output);
    if (outExt != ".bmp" && outExt != ".png" && outExt != ".pdf")
        return Usage(err, "the output must end in .bmp, .png or .pdf");
    // Without --screen the screen is at least big enough to show the whole window.
    if (!screenGiven) {
        screen.Width = std::max(screen.Width, width);
        screen.Height = std::max(screen.Height, height + 2 * screen.MenuBarHeight);
    }

    Document doc;
    if (!LoadInput(doc, input, err)) return 1;
    RangeTexts boxes;
    if (autoScale) {
        AutoScaleXAxis(doc, boxes);
        AutoScaleYLAxis(doc, boxes);
    }
    GraphViewState view;
    view.ScaleBoxes = &boxes;
    std::string error;
    bool ok = false;
    if (outExt == ".pdf") {
        ok = WritePdf(doc, view, output, &error);
    } else {
        QImage image;
        const GraphGeometry g = RenderGraphImage(doc, image, view, width, height, screen);
        ok = SaveImageFile(VisibleGraphPart(image, g), output, &error);
    }
    if (!ok) {
        err << "torvel-cli: cannot write " << output << ": " << error << '\n';
        return 1;
    }
    return 0;
}

// Why ComputeFit refused a fit, read back from the series.
std::string RefusalReason(const Series& s, int kind) {
    const std::string who = "Series # " + std::to_string(s.SeriesNumber) + ": ";
    if (s.ValidCount < 2) return who + "the fit needs at least 2 rows with both X and Y.";
    bool xNotPositive = false, yNotPositive = false;
    for (int i = 0; i < s.ValidCount && i < static_cast<int>(s.Rows.size()); ++i) {
        xNotPositive |= s.Rows[static_cast<std::size_t>(i)].X <= 0;
        yNotPositive |= s.Rows[static_cast<std::size_t>(i)].Y <= 0;
    }
    if (kind == 6 && (xNotPositive || yNotPositive))
        return who + "the power fit needs every X and every Y above 0.";
    if (kind == 7 && yNotPositive) return who + "the exponential fit needs every Y above 0.";
    if (kind == 8 && xNotPositive) return who + "the natural log fit needs every X above 0.";
    const int degree = FitDegree(kind);
    if (kind >= 1 && kind <= 5 && s.ValidCount <= degree)
        return who + "a polynomial of degree " + std::to_string(degree) + " needs more than " +
               std::to_string(degree) + " rows with both X and Y.";
    // A singular system still gives a (zero) fit; an overflowing one none.
    if (!s.HasFit) return who + "the values are beyond the range of the fit's arithmetic.";
    return who + "the normal equations are singular (determinant 0).";
}

// A whole number from low to high, the whole text.
std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    int n = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
    if (r.ec != std::errc{} || r.ptr != text.data() + text.size() || n < low || n > high)
        return std::nullopt;
    return n;
}

int FitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string input;
    std::optional<int> kind, digits;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--kind") {
            if (i + 1 >= args.size()) return Usage(err, "--kind needs a value 0..8");
            kind = WholeNumber(args[++i], 0, 8);
            if (!kind) return Usage(err, "--kind must be a whole number from 0 to 8");
        } else if (a == "--digits") {
            if (i + 1 >= args.size()) return Usage(err, "--digits needs a value 1..21");
            digits = WholeNumber(args[++i], 1, 21);
            if (!digits) return Usage(err, "--digits must be a whole number from 1 to 21");
        } else if (const int status = TakeInput(a, input, err)) {
            return status;
        }
    }
    if (input.empty()) return Usage(err, "fit needs an input data file");
    if (!kind) return Usage(err, "fit needs --kind N");
    Document doc;
    CliFeedback fb(err);
    const std::vector<Series*> created =
        LowerExtension(input) == ".prn" ? ReadDataFile(doc, input, fb) : std::vector<Series*>{};
    if (created.empty()) {
        if (fb.Messages == 0) err << IncompatibleFormatText(input) << '\n';
        return 1;
    }
    int status = 0;
    SilentFeedback quiet;
    for (Series* s : created) {
        out << "Series # " << s->SeriesNumber << '\n';
        s->Fit.FitKind = *kind;
        s->Fit.SeriesNumber = s->SeriesNumber;
        ComputeFit(doc, s->Fit, quiet);
        if (!s->Fit.FitOK) {
            err << RefusalReason(*s, *kind) << '\n';
            status = 1;
            continue;
        }
        for (int i = 1; i <= 7; ++i) {
            const Real c = s->Fit.Coef[static_cast<std::size_t>(i)];
            out << (digits ? GeneralText(c, *digits) : NumberToText(c, 14)) << '\n';
        }
    }
    return status;
}

// Running out of memory ends the command with "Not enough memory to ..." and
// status 1, as any failed command.
int RunGuarded(std::ostream& err, const std::string& what, const std::function<int()>& command) {
    CliFeedback fb(err);
    int status = 1;
    GuardMemory(fb, what, [&] { status = command(); });
    return status;
}

} // namespace

std::string CliHelpText() {
    return R"(Usage:
  torvel-cli render INPUT -o OUTPUT [--size WxH] [--screen WxH] [--auto-scale]
  torvel-cli fit INPUT.prn --kind N [--digits D]
  torvel-cli --help

render  Draws the graph exactly as the graph window of outer size WxH would show
        it and writes the window's part of the image, as "Save Bitmap" does.
          INPUT        a graph file (.gra), loaded as Open loads it (fits
                       recomputed), or a data file (.prn) opened into a
                       fresh graph
          -o OUTPUT    .bmp or .png: the window image;
                       .pdf: the printed graph on an A4 portrait page
          --size WxH   outer size of the graph window (default 800x600)
          --screen WxH screen size (default 1920x1080, raised to hold the
                       window; the menu bar is 20 pixels high)
          --auto-scale Auto Scale (X axis, then left Y axis) before drawing

fit     Opens the data file and fits every series it creates with kind N:
          0 None, 1..5 polynomial of that degree, 6 power, 7 exponential,
          8 natural log.
        For each series prints "Series # " and its number, then A, B, C, D,
        E, F and R^2, one per line, as "Copy Coefficients" copies them.
          --digits D   each value with D significant digits (1..21) instead,
                       as C's %.Dg writes it: a point as decimal separator,
                       the exponent form below 1e-04 and from 1e+D on,
                       trailing zeros dropped, a tie rounded away from 0
        A refused fit prints its reason on standard error (exit status 1).

Exit status: 0 success, 1 unreadable input, refused fit or failed write,
2 bad command line. Unreadable files are reported as
"The file PATH has an incompatible format." on standard error.
Runs without a display (Qt's offscreen platform unless QT_QPA_PLATFORM is set).
)";
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "no command");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << CliHelpText();
        return 0;
    }
    if (args[0] == "render")
        return RunGuarded(err, "draw the graph", [&] { return RenderCommand(args, err); });
    if (args[0] == "fit")
        return RunGuarded(err, "fit the series", [&] { return FitCommand(args, out, err); });
    return Usage(err, "unknown command '" + args[0] + "'");
}

} // namespace torvel
