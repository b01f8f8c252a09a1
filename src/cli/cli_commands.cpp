#include "cli/cli_commands.h"

#include "core/decimal_rounding.h"
#include "core/document.h"
#include "core/feedback.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/fd_stream.h"
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

#include <QIODevice>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <unistd.h>
#include <vector>

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

// The scratch folder and the files made in it, for a run ended by a signal
// (EndBySignal). Fixed storage: a signal handler may neither allocate nor lock.
struct ScratchRecord {
    std::array<char, PATH_MAX> Folder{};
    std::array<std::array<char, PATH_MAX>, 4> Files{};
    std::atomic<int> FileCount{0};
    std::atomic<bool> Made{false};
};
ScratchRecord scratchRecord;

void Record(std::array<char, PATH_MAX>& slot, const std::string& path) {
    const std::size_t n = std::min(path.size(), slot.size() - 1);
    std::memcpy(slot.data(), path.data(), n);
    slot[n] = '\0';
}

void EndBySignal(int signal) {
    RemoveTemporaryFilesOfSaves();
    if (scratchRecord.Made) {
        const int files = std::min<int>(scratchRecord.FileCount, 4);
        for (int i = 0; i < files; ++i)
            ::unlink(scratchRecord.Files[static_cast<std::size_t>(i)].data());
        ::rmdir(scratchRecord.Folder.data());
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal); // ends the run as the signal would have
}

// A private folder for scratch files, removed with everything in it, also
// when a signal ends the run.
class ScratchFolder {
  public:
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/torvel-cli-XXXXXX";
        if (tmpl.size() < PATH_MAX - 64 && ::mkdtemp(tmpl.data()) != nullptr) {
            path_ = tmpl;
            Record(scratchRecord.Folder, path_);
            scratchRecord.FileCount = 0;
            scratchRecord.Made = true;
        } else {
            error_ = std::strerror(errno);
        }
    }
    ~ScratchFolder() {
        if (path_.empty()) return;
        scratchRecord.Made = false;
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    const std::string& Error() const { return error_; }
    std::string File(const std::string& name) const {
        const std::string path = path_ + "/" + name;
        const int n = scratchRecord.FileCount;
        if (n < 4) {
            Record(scratchRecord.Files[static_cast<std::size_t>(n)], path);
            scratchRecord.FileCount = n + 1;
        }
        return path;
    }

  private:
    std::string path_, error_;
};

// Standard input into a new file at path; false with the message.
bool CopyStdin(const std::string& path, std::ostream& err) {
    const int to = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool writing = true;
    int error = to < 0 ? errno : CopyFileData(STDIN_FILENO, to, &writing);
    if (to >= 0 && ::close(to) != 0 && error == 0) error = errno;
    if (error == 0) return true;
    // A file-size limit or a full disk stops the copy, not the reading.
    if (writing)
        err << "torvel-cli: cannot write the copy of standard input to " << path << ": "
            << std::strerror(error) << '\n';
    else
        err << "torvel-cli: cannot read standard input: " << std::strerror(error) << '\n';
    return false;
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
    return CopyStdin(path, err);
}

// A finished file onto standard output. False when it cannot be read back
// (*error); a failed write leaves out failed, which RunCli reports.
bool CopyFileToStream(const std::string& path, std::ostream& out, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(1 << 16);
    while (in && out) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        out.write(buffer.data(), in.gcount());
    }
    if (!in.eof()) *error = "the scratch copy " + path + " cannot be read";
    return in.eof() && out.flush();
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
    bool started = true;
    const bool ok = WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            StreamDevice device(out);
            {
                QPdfWriter pdf(&device);
                pdf.setResolution(PrintResolution);
                pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
                pdf.setCreator("Torvel Graphics v2.07");
                started = print(pdf);
            }
            return started && static_cast<bool>(out);
        },
        error);
    if (!started && error) *error = "The PDF page could not be started.";
    return ok;
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

int RenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TableOptions table;
    std::string input, output, format;
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
    if (ok && toStdout && !CopyFileToStream(target, out, &error)) {
        if (!out) return 1; // told by RunCli
        ok = false;
    }
    if (!ok) {
        err << "torvel-cli: cannot write " << (toStdout ? "standard output" : output) << ": "
            << error << '\n';
        return 1;
    }
    return 0;
}

int PrintDataSubcommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    TableOptions table;
    std::string input, output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--output") {
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
    if (ok && toStdout && !CopyFileToStream(target, out, &error)) {
        if (!out) return 1; // told by RunCli
        ok = false;
    }
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
        ComputeFit(doc, s->Fit, quiet, FitRowsShown::NotShown);
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

Each option may be given once; -- ends the options (a file named -x may follow).
--help after a command prints this help too.

Exit status: 0 success, 1 unreadable input, refused fit or failed write
(standard output included), 2 bad command line. Messages go to standard error; a successful run prints
none. Files whose content cannot be read are reported as
"The file PATH has an incompatible format."
Runs without a display (Qt's offscreen platform unless QT_QPA_PLATFORM is set).
See also: man torvel-cli
)";
}

std::string CliVersionText() {
    return "torvel-cli (Torvel Graphics) " TORVEL_VERSION "\n";
}

namespace {

// Options whose next word is their value, never an option itself.
bool TakesValue(const std::string& option) {
    for (const char* o : {"-o", "--output", "--format", "--size", "--screen", "--kind", "--digits",
                          "--separator", "--header", "--x-column"})
        if (option == o) return true;
    return false;
}

// Before a command reads its words: --help among them prints the help (0);
// an option given twice is refused, as the second would silently win (2);
// "--" ends the options, and a file after it named like an option is passed
// on as ./NAME, which the commands take as a file. Nothing: go on with words.
std::optional<int> ReadOptionWords(std::vector<std::string>& words, std::ostream& out,
                                   std::ostream& err) {
    std::vector<std::string> seen;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w == "--") {
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
            for (; i < words.size(); ++i)
                if (words[i].size() > 1 && words[i][0] == '-') words[i] = "./" + words[i];
            return std::nullopt;
        }
        if (w == "--help" || w == "-h") {
            out << CliHelpText();
            return 0;
        }
        if (w.size() < 2 || w[0] != '-') continue;
        const std::string option = w == "--output" ? "-o" : w;
        if (std::find(seen.begin(), seen.end(), option) != seen.end())
            return Usage(err, "more than one " + option);
        seen.push_back(option);
        if (TakesValue(w)) ++i;
    }
    return std::nullopt;
}

// Why the standard output stream failed, in the system's words when known.
std::string OutputError(std::ostream& out) {
    const auto* buffer = dynamic_cast<const FdBuffer*>(out.rdbuf());
    return buffer && buffer->Error != 0 ? std::string(": ") + std::strerror(buffer->Error)
                                        : std::string();
}

int RunCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "no command");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << CliHelpText();
        return 0;
    }
    if (args[0] == "--version") {
        out << CliVersionText();
        return 0;
    }
    if (const auto status = ReadOptionWords(args, out, err)) return *status;
    if (args[0] == "render")
        return RunGuarded(err, "draw the graph", [&] { return RenderCommand(args, out, err); });
    if (args[0] == "print-data")
        return RunGuarded(err, "print the data",
                          [&] { return PrintDataSubcommand(args, out, err); });
    if (args[0] == "fit")
        return RunGuarded(err, "fit the series", [&] { return FitCommand(args, out, err); });
    return Usage(err, "unknown command '" + args[0] + "'");
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const int status = RunCommand(args, out, err);
    // What did not reach standard output (a full disk, a closed pipe) is a
    // failed run, told once.
    if (!out.flush()) {
        err << "torvel-cli: cannot write standard output" << OutputError(out) << '\n';
        return 1;
    }
    return status;
}

void CatchEndingSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        // A signal the caller ignores (nohup, a background job) stays ignored.
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = EndBySignal;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace torvel
