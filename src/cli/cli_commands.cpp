#include "cli/cli_commands.h"

#include "core/decimal_rounding.h"
#include "core/document.h"
#include "core/feedback.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "files/data_file.h"
#include "files/graph_file.h"
#include "files/messages.h"
#include "files/table_file.h"
#include "fit/fit.h"
#include "fit/fit_statistics.h"
#include "render/draw_graph.h"
#include "scale/auto_scale.h"
#include "scale/ranges.h"
#include "ui/graph_export.h"
#include "ui/printing.h"
#include "ui/qt_canvas.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <unistd.h>

namespace torvel {

namespace {

// Messages go to standard error; every question is answered "yes".
class CliFeedback : public Feedback {
  public:
    explicit CliFeedback(std::ostream& err) : err_(err) {}
    void Beep(const std::string& = {}) override {}
    Answer Message(MessageKind, const std::string& text, MessageButtons buttons) override {
        std::string shown = text;
        if (!from_.empty())
            for (auto at = shown.find(from_); at != std::string::npos;
                 at = shown.find(from_, at + to_.size()))
                shown.replace(at, from_.size(), to_);
        err_ << shown << '\n';
        ++Messages;
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    }
    // Messages say `to` where they would name the file `from`.
    void Rename(const std::string& from, const std::string& to) {
        from_ = from;
        to_ = to;
    }
    int Messages = 0;

  private:
    std::ostream& err_;
    std::string from_, to_;
};

// How messages name a data file read from standard input.
const std::string StdinName = "(standard input)";

// A private folder for scratch files, removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/torvel-cli-XXXXXX";
        if (::mkdtemp(tmpl.data()) != nullptr)
            path_ = tmpl;
        else
            error_ = std::strerror(errno);
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    const std::string& Error() const { return error_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_, error_;
};

// Copies everything from one descriptor to another; false with the reason.
bool CopyBetween(int from, int to, std::string* error) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            *error = std::strerror(errno);
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                *error = std::strerror(errno);
                return false;
            }
            done += put;
        }
    }
}

// Standard input into a new file at path.
bool CopyFd(int from, const std::string& path, std::string* error) {
    const int to = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (to < 0) {
        *error = std::strerror(errno);
        return false;
    }
    bool ok = CopyBetween(from, to, error);
    if (::close(to) != 0 && ok) {
        *error = std::strerror(errno);
        ok = false;
    }
    return ok;
}

bool MakeScratch(std::optional<ScratchFolder>& scratch, std::ostream& err) {
    scratch.emplace();
    if (scratch->Made()) return true;
    err << "torvel-cli: cannot make a scratch folder: " << scratch->Error() << '\n';
    return false;
}

// Standard input as a data file in the scratch folder; its path in `path`.
bool StageStdin(const ScratchFolder& scratch, std::string& path, std::ostream& err) {
    path = scratch.File("stdin.prn");
    std::string error;
    if (CopyFd(STDIN_FILENO, path, &error)) return true;
    err << "torvel-cli: cannot read standard input: " << error << '\n';
    return false;
}

// A finished file onto standard output.
bool CopyFileToFd(const std::string& path, int to, std::string* error) {
    const int from = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        *error = std::strerror(errno);
        return false;
    }
    const bool ok = CopyBetween(from, to, error);
    ::close(from);
    return ok;
}

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

std::optional<int> WholeNumber(const std::string& text, int low, int high);
int Usage(std::ostream& err, const std::string& problem);

// The choices of a table that override what is sniffed.
struct TableOptions {
    char Separator = 0; // 0: sniffed
    bool DecimalComma = false;
    std::optional<int> Header;
    std::optional<int> XColumn;
    bool Any() const { return Separator != 0 || DecimalComma || Header || XColumn; }
};

// The table option at args[i] (with its value): nothing when args[i] is none,
// else 0 when taken or the exit status of the usage error.
std::optional<int> TakeTableOption(const std::vector<std::string>& args, std::size_t& i,
                                   TableOptions& table, std::ostream& err) {
    const std::string& a = args[i];
    if (a == "--decimal-comma") {
        table.DecimalComma = true;
        return 0;
    }
    if (a != "--separator" && a != "--header" && a != "--x-column") return std::nullopt;
    if (i + 1 >= args.size()) return Usage(err, a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--separator") {
        if (v == "tab" || v == "\t")
            table.Separator = '\t';
        else if (v == "blanks" || v == "space")
            table.Separator = BlankSeparator;
        else if (v.size() == 1 && (v[0] == '\t' || AcceptableSeparator(v[0])))
            table.Separator = v[0];
        else
            return Usage(err, "--separator takes one character (not a digit, sign, point, "
                              "quote or e), tab or blanks");
        return 0;
    }
    const auto n = WholeNumber(v, 0, a == "--header" ? 1'000'000'000 : MaxTableColumns);
    if (!n) return Usage(err, a + " must be a whole number from 0");
    (a == "--header" ? table.Header : table.XColumn) = *n;
    return 0;
}

// Reads a table as the Import Table dialog does with the choices it sniffs,
// the given options overriding them.
bool LoadTable(Document& doc, const std::string& path, const TableOptions& options, Feedback& fb) {
    const TableHead head = ReadTableHead(path);
    if (!head.Problem.empty()) {
        fb.Message(MessageKind::Error, head.Problem, MessageButtons::Ok);
        return false;
    }
    TableFormat format = SniffTable(head, options.Separator, options.DecimalComma ? ',' : 0);
    if (options.Header) {
        // Line N names the columns and the data follow it; 0: data from line 1.
        format.HeaderLine = *options.Header;
        format.SkipLines = *options.Header;
    }
    if (options.Header || options.XColumn) {
        const TablePreview preview = PreviewTable(head, format, 0);
        if (options.XColumn && *options.XColumn > preview.Columns) {
            std::string text = "The file ";
            text += path;
            text += " has ";
            text += std::to_string(preview.Columns);
            text += " columns: there is no column ";
            text += std::to_string(*options.XColumn);
            text += " for X.";
            fb.Message(MessageKind::Error, text, MessageButtons::Ok);
            return false;
        }
        ChooseTableColumns(format, preview, options.XColumn.value_or(-1));
    }
    return !ReadTableFile(doc, path, format, fb).Created.empty();
}

// Loads INPUT into a fresh document as the Open command would. False (with
// the message written) when it cannot be read. Messages name the file as
// shownName when given (a scratch copy of standard input).
bool LoadInput(Document& doc, const std::string& path, std::ostream& err,
               const std::string& shownName = {}, const TableOptions& table = {}) {
    CliFeedback fb(err);
    if (!shownName.empty()) fb.Rename(path, shownName);
    const std::string ext = LowerExtension(path);
    bool loaded = false;
    if (ext == ".prn" && !table.Any()) {
        loaded = !ReadDataFile(doc, path, fb).empty();
    } else if (ext == ".gra") {
        // Reading a graph file recomputes the fits, as opening one does.
        ReadGraphFile(doc, path, fb);
        loaded = !doc.GraphLoadFailed;
    } else if (IsTableFile(path) || table.Any()) {
        // A .prn too is read as a table when its layout is given.
        loaded = LoadTable(doc, path, table, fb);
    } else {
        fb.Message(MessageKind::Error, UnknownFileTypeText(path), MessageButtons::Ok);
    }
    if (!loaded && fb.Messages == 0)
        fb.Message(MessageKind::Error, IncompatibleFormatText(path), MessageButtons::Ok);
    return loaded;
}

// The table options say how to read a table, never a graph file: 0 when
// they fit the input, else the usage error's exit status.
int TableOptionsFit(const TableOptions& table, const std::string& input, std::ostream& err) {
    if (!table.Any() || LowerExtension(input) != ".gra") return 0;
    return Usage(err, "--separator, --decimal-comma, --header and --x-column read tables, not "
                      "graph files");
}

// An A4 portrait PDF laid out as the printer lays out its pages.
template <class Print> bool WritePdf(const std::string& path, std::string* error, Print print) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(PrintResolution);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setCreator("Torvel Graphics v2.07");
        if (!print(pdf)) {
            if (error) *error = "The PDF page could not be started.";
            return false;
        }
    }
    return WriteBytesFile(bytes, path, error);
}

// One line, as scripts expect of a refused command line.
int Usage(std::ostream& err, const std::string& problem) {
    err << "torvel-cli: " << problem << " (see torvel-cli --help)\n";
    return 2;
}

// A word that is not an option names the one input file: 0 when taken,
// otherwise the exit status of the usage error.
int TakeInput(const std::string& word, std::string& input, std::ostream& err) {
    if (word.size() > 1 && word[0] == '-') return Usage(err, "unknown option '" + word + "'");
    if (!input.empty()) return Usage(err, "more than one input file");
    input = word;
    return 0;
}

// The output formats of render, as --format names them and as file extensions.
constexpr std::array<const char*, 4> RenderFormats = {"png", "bmp", "pdf", "svg"};

int RenderCommand(const std::vector<std::string>& args, std::ostream& err) {
    TableOptions table;
    std::string input, output, format;
    int width = 800, height = 600;
    ScreenInfo screen;
    bool screenGiven = false, autoScale = false, outputGiven = false;
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
            // A second -o would silently win over the first: refuse it.
            if (outputGiven) return Usage(err, "more than one -o OUTPUT");
            auto v = value("-o");
            if (!v) return 2;
            output = *v;
            outputGiven = true;
        } else if (a == "--format") {
            auto v = value("--format");
            if (!v) return 2;
            format = *v;
            if (std::find(RenderFormats.begin(), RenderFormats.end(), format) ==
                RenderFormats.end())
                return Usage(err, "unknown format '" + format + "' (png, bmp, pdf or svg)");
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
        } else if (const auto status = TakeTableOption(args, i, table, err)) {
            if (*status != 0) return *status;
        } else if (const int status = TakeInput(a, input, err)) {
            return status;
        }
    }
    if (input.empty()) return Usage(err, "render needs an input file");
    if (const int status = TableOptionsFit(table, input, err)) return status;
    if (output.empty()) return Usage(err, "render needs -o OUTPUT");
    const bool toStdout = output == "-";
    if (toStdout && format.empty()) return Usage(err, "-o - needs --format png, bmp, pdf or svg");
    if (!toStdout) {
        const std::string ext = LowerExtension(output);
        if (format.empty() && ext.size() > 1) format = ext.substr(1);
        if (std::find(RenderFormats.begin(), RenderFormats.end(), format) == RenderFormats.end())
            return Usage(err, "the output must end in .png, .bmp, .pdf or .svg");
        if (ext != "." + format)
            return Usage(err, "--format " + format + " does not match the output " + output);
    }
    // Without --screen the screen is at least big enough to show the whole window.
    if (!screenGiven) {
        screen.Width = std::max(screen.Width, width);
        screen.Height = std::max(screen.Height, height + 2 * screen.MenuBarHeight);
    }

    // Standard input and output pass through scratch files, so that they get
    // exactly what the file readers and writers make of named files.
    std::optional<ScratchFolder> scratch;
    std::string inputPath = input;
    if ((input == "-" || toStdout) && !MakeScratch(scratch, err)) return 1;
    if (input == "-" && !StageStdin(*scratch, inputPath, err)) return 1;
    Document doc;
    if (!LoadInput(doc, inputPath, err, input == "-" ? StdinName : std::string(), table)) return 1;
    RangeTexts boxes;
    if (autoScale) {
        AutoScaleXAxis(doc, boxes);
        AutoScaleYLAxis(doc, boxes);
    }
    GraphViewState view;
    view.ScaleBoxes = &boxes;
    const std::string target = toStdout ? scratch->File("graph." + format) : output;
    std::string error;
    bool ok = false;
    if (format == "pdf") {
        ok = WritePdf(target, &error,
                      [&](QPdfWriter& pdf) { return PrintGraphOn(doc, pdf, true, view); });
    } else if (format == "svg") {
        ok = SaveGraphSvg(doc, view, width, height, screen, target, &error);
    } else {
        QImage image;
        const GraphGeometry g = RenderGraphImage(doc, image, view, width, height, screen);
        ok = SaveImageFile(VisibleGraphView(image, g), target, &error);
    }
    if (ok && toStdout) ok = CopyFileToFd(target, STDOUT_FILENO, &error);
    if (!ok) {
        err << "torvel-cli: cannot write " << (toStdout ? "standard output" : output) << ": "
            << error << '\n';
        return 1;
    }
    return 0;
}

int PrintDataSubcommand(const std::vector<std::string>& args, std::ostream& err) {
    TableOptions table;
    std::string input, output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
            if (!output.empty()) return Usage(err, "more than one -o OUTPUT");
            if (i + 1 >= args.size()) return Usage(err, "-o needs a value");
            output = args[++i];
        } else if (const auto status = TakeTableOption(args, i, table, err)) {
            if (*status != 0) return *status;
        } else if (const int status = TakeInput(a, input, err)) {
            return status;
        }
    }
    if (input.empty()) return Usage(err, "print-data needs an input file");
    if (const int status = TableOptionsFit(table, input, err)) return status;
    if (output.empty()) return Usage(err, "print-data needs -o OUTPUT.pdf");
    const bool toStdout = output == "-";
    if (!toStdout && LowerExtension(output) != ".pdf")
        return Usage(err, "the output must end in .pdf");
    std::optional<ScratchFolder> scratch;
    std::string inputPath = input;
    if ((input == "-" || toStdout) && !MakeScratch(scratch, err)) return 1;
    if (input == "-" && !StageStdin(*scratch, inputPath, err)) return 1;
    Document doc;
    if (!LoadInput(doc, inputPath, err, input == "-" ? StdinName : std::string(), table)) return 1;
    const std::string target = toStdout ? scratch->File("data.pdf") : output;
    std::string error;
    bool ok = WritePdf(target, &error, [&](QPdfWriter& pdf) { return PrintDataOn(doc, pdf); });
    if (ok && toStdout) ok = CopyFileToFd(target, STDOUT_FILENO, &error);
    if (!ok) {
        err << "torvel-cli: cannot write " << (toStdout ? "standard output" : output) << ": "
            << error << '\n';
        return 1;
    }
    return 0;
}

// Why ComputeFit refused a fit, read back from the series.
std::string RefusalReason(const Series& s, int kind) {
    const std::string who = "Series # " + std::to_string(s.SeriesNumber) + ": ";
    if (s.ValidCount < 2) return who + "the fit needs at least 2 rows with both X and Y.";
    bool xNotPositive = false, yNotPositive = false;
    for (int i = 0; i < s.ValidCount; ++i) {
        xNotPositive |= s.ValidRow(i).X <= 0;
        yNotPositive |= s.ValidRow(i).Y <= 0;
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
    TableOptions table;
    std::string input;
    std::optional<int> kind, digits;
    bool stats = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--stats") {
            stats = true;
        } else if (a == "--kind") {
            if (i + 1 >= args.size()) return Usage(err, "--kind needs a value 0..8");
            kind = WholeNumber(args[++i], 0, 8);
            if (!kind) return Usage(err, "--kind must be a whole number from 0 to 8");
        } else if (a == "--digits") {
            if (i + 1 >= args.size()) return Usage(err, "--digits needs a value 1..21");
            digits = WholeNumber(args[++i], 1, 21);
            if (!digits) return Usage(err, "--digits must be a whole number from 1 to 21");
        } else if (const auto status = TakeTableOption(args, i, table, err)) {
            if (*status != 0) return *status;
        } else if (const int status = TakeInput(a, input, err)) {
            return status;
        }
    }
    if (input.empty()) return Usage(err, "fit needs an input data file");
    if (!kind) return Usage(err, "fit needs --kind N");
    std::optional<ScratchFolder> scratch;
    std::string inputPath = input;
    if (input == "-" && !(MakeScratch(scratch, err) && StageStdin(*scratch, inputPath, err)))
        return 1;
    Document doc;
    CliFeedback fb(err);
    if (input == "-") fb.Rename(inputPath, StdinName);
    // Data files and tables are fitted; a graph file is no input of fit.
    if (LowerExtension(inputPath) == ".gra") {
        fb.Message(MessageKind::Error, UnknownFileTypeText(inputPath), MessageButtons::Ok);
        return 1;
    }
    if (!LoadInput(doc, inputPath, err, input == "-" ? StdinName : std::string(), table)) return 1;
    std::vector<Series*> created;
    for (const auto& s : doc.DataWindows())
        created.push_back(s.get());
    int status = 0;
    SilentFeedback quiet;
    std::vector<Series*> fitted;
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
        fitted.push_back(s);
    }
    // The tables follow the coefficient lines, which stay as they were.
    for (Series* s : fitted) {
        const auto st = stats ? ComputeFitStatistics(doc, *s) : std::nullopt;
        if (st) out << '\n' << FitStatisticsReport(s->SeriesNumber, *st, digits.value_or(0));
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
  torvel-cli render INPUT -o OUTPUT [--format FORMAT] [--size WxH] [--screen WxH]
                    [--auto-scale] [TABLE OPTIONS]
  torvel-cli print-data INPUT -o OUTPUT.pdf [TABLE OPTIONS]
  torvel-cli fit INPUT --kind N [--digits D] [--stats] [TABLE OPTIONS]
  torvel-cli --help | --version

render  Draws the graph exactly as the graph window of outer size WxH would show
        it and writes the window's part of the image, as "Save Bitmap" does.
          INPUT        a graph file (.gra), loaded as Open loads it (fits
                       recomputed), a data file (.prn) or a table (.csv,
                       .tsv, .dat, .txt; any file with a table option)
                       opened into a fresh graph; - reads a data file from
                       standard input, a table with a table option
          -o OUTPUT    .bmp or .png: the window image;
                       .pdf: the printed graph on an A4 portrait page;
                       .svg: the window's drawing as SVG (titles as text);
                       - writes to standard output (name the --format)
          --format F   png, bmp, pdf or svg; must agree with OUTPUT's
                       extension when OUTPUT is a file
          --size WxH   outer size of the graph window (default 800x600)
          --screen WxH screen size (default 1920x1080, raised to hold the
                       window; the menu bar is 20 pixels high)
          --auto-scale Auto Scale (X axis, then left Y axis) before drawing

print-data
        Writes the data tables of every series (rows, fit coefficients, R^2
        and the fit's equation) as Print Data prints them, on A4 portrait
        pages of a PDF file (- writes it to standard output). INPUT is read
        as for render.

fit     Opens the data file or table (- reads it from standard input, as
        for render) and fits every series it creates with kind N:
          0 None, 1..5 polynomial of that degree, 6 power, 7 exponential,
          8 natural log.
        For each series prints "Series # " and its number, then A, B, C, D,
        E, F and R^2, one per line, as "Copy Coefficients" copies them.
          --digits D   each value with D significant digits (1..21) instead,
                       as C's %.Dg writes it: a point as decimal separator,
                       the exponent form below 1e-04 and from 1e+D on,
                       trailing zeros dropped, a tie rounded away from 0
          --stats      then, for each fitted series, a table of its
                       statistics: each coefficient's value and standard
                       error, n, the degrees of freedom n - p, the residual
                       sum of squares and standard deviation, R^2 and
                       adjusted R^2 (power, exponential and log fits: those
                       of the straight line in the logarithms); every digit
                       unless --digits; "not defined" where n = p
        A refused fit prints its reason on standard error (exit status 1).

Table options (render, print-data, fit): a table is read as Import Table
reads it with the choices it sniffs (separator, decimal separator, header
line, X column; every other column of numbers a series, header names their
titles); these override them and make a .prn read as a table:
          --separator C   the field separator: one character (a digit, sign,
                          point, quote or e cannot be one), tab, or blanks
                          (runs of blanks and tabs)
          --decimal-comma numbers are written with a decimal comma
          --header N      line N names the columns and the data follow it;
                          0: no header, the data start at line 1
          --x-column N    column N is X; 0: the row number is X

Exit status: 0 success, 1 unreadable input, refused fit or failed write,
2 bad command line. Messages go to standard error; a successful run prints
none. Files whose content cannot be read are reported as
"The file PATH has an incompatible format."
Runs without a display (Qt's offscreen platform unless QT_QPA_PLATFORM is set).
See also: man torvel-cli
)";
}

std::string CliVersionText() {
    return "torvel-cli (Torvel Graphics) " TORVEL_VERSION "\n";
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "no command");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << CliHelpText();
        return 0;
    }
    if (args[0] == "--version") {
        out << CliVersionText();
        return 0;
    }
    if (args[0] == "render")
        return RunGuarded(err, "draw the graph", [&] { return RenderCommand(args, err); });
    if (args[0] == "print-data")
        return RunGuarded(err, "print the data", [&] { return PrintDataSubcommand(args, err); });
    if (args[0] == "fit")
        return RunGuarded(err, "fit the series", [&] { return FitCommand(args, out, err); });
    return Usage(err, "unknown command '" + args[0] + "'");
}

} // namespace torvel
