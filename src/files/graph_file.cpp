#include "files/graph_file.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "files/atomic_file.h"
#include "files/data_file.h"
#include "files/line_ends.h"
#include "files/messages.h"
#include "files/utf8_bom.h"
#include "fit/fit.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {

namespace {

constexpr const char* LineEnd = "\r\n";
// The shortest a row line can be ("0 0" and its line end): a row count that
// needs more than the rest of the file holds is not a real file.
constexpr std::size_t MinRowBytes = 4;
// The shortest a series block can begin with (two one-digit lines).
constexpr std::size_t MinBlockBytes = 4;

struct FormatError {};

class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    std::size_t Remaining() const { return text_.size() - pos_; }
    double Fraction() const {
        return text_.empty() ? 1.0 : static_cast<double>(pos_) / static_cast<double>(text_.size());
    }

    // The next line without its line end; empty at the end of the text.
    std::string_view Line() {
        if (AtEnd()) return {};
        std::size_t next = 0;
        const std::size_t end = LineEndFrom(text_, pos_, next);
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = next;
        return line;
    }

    // Numbers missing at the end of the file read as 0, texts as empty.
    int Int() {
        if (AtEnd()) return 0;
        return ParseInt(Trim(Line()));
    }
    bool Flag() { return Int() == 0; } // stored inverted: "0" means set
    Real Float() {
        if (AtEnd()) return 0;
        return ParseFloat(Trim(Line()));
    }
    std::string Text() { return std::string(Line()); }
    // One row line: X and Y separated by blanks; anything after Y is ignored.
    void Row(Real& x, Real& y) {
        if (AtEnd()) {
            x = y = 0;
            return;
        }
        std::string_view line = Line();
        x = ParseFloat(NextToken(line));
        y = ParseFloat(NextToken(line));
    }

  private:
    static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
    static std::string_view Trim(std::string_view s) {
        while (!s.empty() && Blank(s.front()))
            s.remove_prefix(1);
        while (!s.empty() && Blank(s.back()))
            s.remove_suffix(1);
        return s;
    }
    static std::string_view NextToken(std::string_view& line) {
        while (!line.empty() && Blank(line.front()))
            line.remove_prefix(1);
        std::size_t n = 0;
        while (n < line.size() && !Blank(line[n]))
            ++n;
        const std::string_view token = line.substr(0, n);
        line.remove_prefix(n);
        return token;
    }
    static int ParseInt(std::string_view s) {
        std::size_t i = 0;
        bool negative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
        if (i >= s.size()) throw FormatError{};
        long long v = 0;
        for (; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9') throw FormatError{};
            v = v * 10 + (s[i] - '0');
            if (v > 2147483648LL) throw FormatError{};
        }
        if (negative) v = -v;
        if (v > 2147483647LL) throw FormatError{};
        return static_cast<int>(v);
    }
    static Real ParseFloat(std::string_view s) {
        const NumberRead r = TextToNumber(s);
        if (!r.Ok()) throw FormatError{};
        return r.Value;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Items d to l of a series block.
struct BlockTail {
    bool YAxisLeft = true;
    bool ShowPoints = true;
    int GraphType = GraphLine;
    std::string SeriesTitle;
    bool HasFit = false;
    int FitKind = 0;
    std::array<Real, 8> Coef{};
    int PrintColorCode = 0;
    int PrinterOptionsCode = 0;
};

BlockTail ReadTail(LineReader& in) {
    BlockTail t;
    t.YAxisLeft = in.Flag();
    t.ShowPoints = in.Flag();
    t.GraphType = in.Int();
    t.SeriesTitle = in.Text();
    t.HasFit = in.Flag();
    t.FitKind = in.Int();
    for (std::size_t k = 1; k <= 7; ++k)
        t.Coef[k] = in.Float();
    t.PrintColorCode = in.Int();
    t.PrinterOptionsCode = in.Int();
    return t;
}

bool KnownPrintColor(int c) {
    return c == PrintBlack || c == PrintGreen || c == PrintDefault || c == PrintRed ||
           c == PrintBlue;
}

// A value above the threshold is the empty marker.
void StoreValue(Real v, Real& value, bool& valid) {
    if (v > EmptyThreshold) {
        value = 0;
        valid = false;
    } else {
        value = v;
        valid = true;
    }
}

int LowestFreeNumber(const Document& doc) {
    for (int n = 1; n <= MaxSeries; ++n)
        if (!doc.SeriesNumberUsed[static_cast<std::size_t>(n)]) return n;
    return NoFreeSeriesNumber;
}

int InRange(int v, int lo, int hi, int fallback) {
    return v >= lo && v <= hi ? v : fallback;
}

void ReadSettings(Document& doc, LineReader& in) {
    GraphSettings& g = doc.Settings;
    g.XMax = in.Float();
    g.XMin = in.Float();
    g.YLMax = in.Float();
    g.YLMin = in.Float();
    g.YRMax = in.Float();
    g.YRMin = in.Float();
    g.MultiScaleX = in.Flag();
    g.MultiScaleYL = in.Flag();
    g.MultiScaleYR = in.Flag();
    doc.ConstantK = in.Float();
    const int logCode = in.Int();
    g.LogX = logCode == 0 || logCode == 2;
    g.LogFormatExponential = logCode < 2;
    g.LogY = in.Flag();
    doc.Prefs.MaxDataIndex = InRange(in.Int(), 1, MaxDataIndexLimit, 10);
    doc.Prefs.BarWidth = InRange(in.Int(), 1, BarWidthLimit, 1);
    // Counts that size loops of the renderer: out of their ranges they get
    // their reset values.
    const GraphSettings reset{};
    g.XGridMajor = InRange(in.Int(), 1, 20, reset.XGridMajor);
    g.XGridMinor = InRange(in.Int(), 1, 10, reset.XGridMinor);
    g.YGridMajor = InRange(in.Int(), 1, 20, reset.YGridMajor);
    g.YGridMinor = InRange(in.Int(), 1, 10, reset.YGridMinor);
    g.XTicks = InRange(in.Int(), 1, 20, reset.XTicks);
    g.YLTicks = InRange(in.Int(), 1, 20, reset.YLTicks);
    g.YRTicks = InRange(in.Int(), 1, 20, reset.YRTicks);
    // Auto-scaling a very narrow range gives more than the 8 decimals the grid
    // dialog takes; such a graph must read back as it was saved.
    g.XDecimals = InRange(in.Int(), 0, MaxScaleDecimals, reset.XDecimals);
    g.YLDecimals = InRange(in.Int(), 0, MaxScaleDecimals, reset.YLDecimals);
    g.YRDecimals = InRange(in.Int(), 0, MaxScaleDecimals, reset.YRDecimals);
    for (auto& t : g.MainTitles)
        t = in.Text();
    for (auto& t : g.XTitles)
        t = in.Text();
    for (auto& t : g.YTitles)
        t = in.Text();
    // Older files end after the titles.
    if (in.AtEnd()) {
        for (int i = 0; i < FloatTitleCount; ++i) {
            g.FloatTitleText[static_cast<std::size_t>(i)].clear();
            g.FloatTitleX[static_cast<std::size_t>(i)] = 0;
            g.FloatTitleY[static_cast<std::size_t>(i)] = 0;
        }
        return;
    }
    for (int i = 0; i < FloatTitleCount; ++i) {
        g.FloatTitleText[static_cast<std::size_t>(i)] = in.Text();
        g.FloatTitleX[static_cast<std::size_t>(i)] = in.Float();
        g.FloatTitleY[static_cast<std::size_t>(i)] = in.Float();
    }
}

class Progress {
  public:
    Progress(const LoadProgress& report, const LineReader& in) : report_(report), in_(in) {}
    void Tick() {
        if (!report_ || ++lines_ % 4096 != 0) return;
        report_(in_.Fraction());
    }
    void Done() {
        if (report_) report_(1.0);
    }

  private:
    const LoadProgress& report_;
    const LineReader& in_;
    std::size_t lines_ = 0;
};

// The part of a load's progress bar that reading the bytes takes; the rest
// is making the series of them.
constexpr double ReadShare = 0.5;

// The whole file into text, in blocks, telling progress on the way (a large
// file on a slow disk shows the progress window). Returns 0 or the errno of a
// failed read; running out of memory passes on as std::bad_alloc.
int ReadWholeFile(const std::string& path, std::string& text, FileIdentity& identity,
                  const LoadProgress& progress) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return errno;
    identity = IdentityOfOpenFile(fd);
    const std::size_t size = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
    text.reserve(size);
    constexpr std::size_t Block = 1 << 20;
    for (;;) {
        const std::size_t at = text.size();
        text.resize(at + Block);
        const ssize_t got = ::read(fd, text.data() + at, Block);
        text.resize(at + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        if (progress && size > 0)
            progress(ReadShare *
                     std::min(1.0, static_cast<double>(text.size()) / static_cast<double>(size)));
    }
}

// Titles are single lines in the file; a line break inside one would shift
// every line after it.
std::string SingleLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

std::string GraphCaptionFor(const std::string& graphFileName) {
    if (graphFileName == NoNameGraph) return "Graph";
    return "Graph   -   " + UpperFileName(graphFileName);
}

std::string GraphFileText(Document& doc) {
    std::string out;
    auto line = [&](const std::string& s) {
        out += s;
        out += LineEnd;
    };
    auto integer = [&](int v) { line(std::to_string(v)); };
    auto flag = [&](bool set) { line(set ? "0" : "1"); };
    auto number = [&](Real v) { line(FileNumberText(v)); };

    if (doc.Prefs.MaxDataIndex == 0) doc.Prefs.MaxDataIndex = 10;
    integer(doc.SeriesCount());
    for (const auto& p : doc.DataWindows()) {
        Series& s = *p;
        GridToRows(s);
        integer(s.IndexCount);
        integer(s.SeriesNumber);
        for (std::size_t i = 0; i < s.Store().Size(); ++i) {
            const Tdata r = s.Store().Row(i);
            out += FileNumberText(r.XValid ? r.X : EmptyValue);
            out += ' ';
            out += FileNumberText(r.YValid ? r.Y : EmptyValue);
            out += LineEnd;
        }
        flag(s.YAxisLeft);
        flag(s.ShowPoints);
        integer(s.GraphType);
        line(SingleLine(s.SeriesTitle));
        flag(s.HasFit);
        integer(s.Fit.FitKind);
        for (std::size_t k = 1; k <= 7; ++k)
            number(s.Fit.Coef[k]);
        integer(s.PrintColor + 2);
        integer(doc.Prefs.PrinterOptions + 2);
    }
    const GraphSettings& g = doc.Settings;
    for (Real v : {g.XMax, g.XMin, g.YLMax, g.YLMin, g.YRMax, g.YRMin})
        number(v);
    flag(g.MultiScaleX);
    flag(g.MultiScaleYL);
    flag(g.MultiScaleYR);
    number(doc.ConstantK);
    integer((g.LogX ? 0 : 1) + (g.LogFormatExponential ? 0 : 2));
    flag(g.LogY);
    integer(doc.Prefs.MaxDataIndex);
    integer(doc.Prefs.BarWidth);
    for (int v : {g.XGridMajor, g.XGridMinor, g.YGridMajor, g.YGridMinor, g.XTicks, g.YLTicks,
                  g.YRTicks, g.XDecimals, g.YLDecimals, g.YRDecimals})
        integer(v);
    for (const auto& t : g.MainTitles)
        line(SingleLine(t));
    for (const auto& t : g.XTitles)
        line(SingleLine(t));
    for (const auto& t : g.YTitles)
        line(SingleLine(t));
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        line(SingleLine(g.FloatTitleText[i]));
        number(g.FloatTitleX[i]);
        number(g.FloatTitleY[i]);
    }
    return out;
}

bool WriteGraphFile(Document& doc, const std::string& path, Feedback& feedback) {
    const std::string text = GraphFileText(doc);
    std::string error;
    FileIdentity written;
    const bool ok = WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return static_cast<bool>(out);
        },
        &error, &written);
    // The graph takes the new name only once it is really there: a failed
    // save must not make the next Save or the next start look for it.
    if (ok) {
        doc.GraphFileName = path;
        doc.GraphFileIdentity = written;
    } else
        feedback.Message(MessageKind::Error, error, MessageButtons::Ok);
    return ok;
}

void ReadGraphText(Document& doc, const std::string& path, std::string_view text,
                   Feedback& feedback, const LoadProgress& progress) {
    doc.DestroyAllSeries();
    doc.GraphFileName = path;
    doc.GraphFileIdentity = {}; // the caller knows the file read, if any
    LineReader in(WithoutUtf8Bom(text));
    Progress tick(progress, in);
    Series* current = nullptr; // the series being read, shown even when reading stops
    auto failed = [&](const std::string& why) {
        if (current != nullptr) RowsToGrid(*current);
        doc.SortDataWindows(); // the series that stay keep the list's order
        feedback.Message(MessageKind::Error, why, MessageButtons::Ok);
        doc.GraphLoadFailed = true;
        // What stays open is not that file: a later Save must ask where to
        // save, and ask before it replaces the file that failed to open.
        doc.GraphFileName = NoNameGraph;
    };
    long long rowsKept = 0;
    try {
        const int count = in.Int();
        if (count < 0 || static_cast<std::size_t>(count) > in.Remaining() / MinBlockBytes + 1)
            throw FormatError{};
        bool limitReported = false;
        for (int b = 0; b < count; ++b) {
            const bool full = doc.SeriesCount() >= MaxSeries;
            if (full && !limitReported) {
                feedback.Beep(SeriesLimitText(MaxSeries));
                feedback.Message(MessageKind::Error, SeriesLimitText(MaxSeries),
                                 MessageButtons::Ok);
                limitReported = true;
            }
            const int rows = in.Int();
            if (rows < 0 || static_cast<std::size_t>(rows) > in.Remaining() / MinRowBytes)
                throw FormatError{};
            int number = in.Int();
            if (full) {
                // Over the limit: read past the block, keep nothing.
                Real x, y;
                for (int r = 0; r < rows; ++r, tick.Tick())
                    in.Row(x, y);
                ReadTail(in);
                continue;
            }
            // As many rows as a data file may bring in, and no more.
            rowsKept += rows;
            if (rowsKept > MaxDataFileCells) throw FormatError{};
            if (number < 1 || number > MaxSeries ||
                doc.SeriesNumberUsed[static_cast<std::size_t>(number)])
                number = LowestFreeNumber(doc);
            doc.NewSeriesRows = rows;
            doc.LoadingSeriesNumber = number;
            doc.LoadingSeries = true;
            Series& s = doc.CreateSeries(feedback);
            AllocationCheckpoint(); // the series' rows are there
            current = &s;
            for (std::size_t r = 0; r < static_cast<std::size_t>(rows); ++r, tick.Tick()) {
                Real x, y;
                in.Row(x, y);
                Tdata row;
                StoreValue(x, row.X, row.XValid);
                StoreValue(y, row.Y, row.YValid);
                s.Store().SetRow(r, row);
            }
            const BlockTail t = ReadTail(in);
            s.YAxisLeft = t.YAxisLeft;
            s.ShowPoints = t.ShowPoints;
            s.GraphType = InRange(t.GraphType, GraphLine, GraphBarFit, GraphLine);
            s.SeriesTitle = t.SeriesTitle;
            s.Fit.FitKind = InRange(t.FitKind, 0, 8, 0);
            // A fit flag without a formula would leave a fitted column nothing refills.
            s.HasFit = t.HasFit && s.Fit.FitKind != 0 && t.FitKind == s.Fit.FitKind;
            s.Fit.Coef = t.Coef;
            s.Fit.Coef[0] = 0;
            const int color = t.PrintColorCode < 2 ? PrintDefault : t.PrintColorCode - 2;
            s.PrintColor = KnownPrintColor(color) ? color : PrintDefault;
            const int options = t.PrinterOptionsCode < 2 ? 0 : t.PrinterOptionsCode - 2;
            doc.Prefs.PrinterOptions = options <= 7 ? options : 0;
            s.Fit.FitOK = true;
            RowsToGrid(s);
            current = nullptr;
        }
        ReadSettings(doc, in);
    } catch (const FormatError&) {
        failed(IncompatibleFormatText(path));
        return;
    } catch (const std::bad_alloc&) {
        // The file may be fine: it is memory that ran short.
        failed(NotEnoughMemoryToOpenText(path));
        return;
    }
    doc.SortDataWindows();
    try {
        for (const auto& p : doc.DataWindows())
            if (p->HasFit) ComputeFit(doc, p->Fit, feedback);
    } catch (const std::bad_alloc&) {
        failed(NotEnoughMemoryToOpenText(path));
        return;
    }
    if (doc.SeriesCount() > 0) doc.SuppressResizeDraw = true;
    tick.Done();
}

void ReadGraphFile(Document& doc, const std::string& path, Feedback& feedback,
                   const LoadProgress& progress) {
    std::string text;
    FileIdentity identity;
    if (const std::string problem = ReadProblemText(path); !problem.empty()) {
        // Nothing was read: the graph on screen stays as it is.
        feedback.Message(MessageKind::Error, problem, MessageButtons::Ok);
        doc.GraphLoadFailed = true;
        return;
    }
    bool readable = true;
    try {
        readable = ReadWholeFile(path, text, identity, progress) == 0;
    } catch (const std::bad_alloc&) {
        feedback.Message(MessageKind::Error, NotEnoughMemoryToOpenText(path), MessageButtons::Ok);
        doc.GraphLoadFailed = true;
        return;
    }
    if (!readable) {
        feedback.Message(MessageKind::Error, IncompatibleFormatText(path), MessageButtons::Ok);
        doc.GraphLoadFailed = true;
        return;
    }
    LoadProgress rest;
    if (progress) rest = [&progress](double f) { progress(ReadShare + (1 - ReadShare) * f); };
    ReadGraphText(doc, path, text, feedback, rest);
    if (!doc.GraphLoadFailed) doc.GraphFileIdentity = identity;
}

bool SaveGraphAs(Document& doc, Feedback& feedback, const SaveDialogFn& dialog) {
    const SaveDialogRequest request{WithoutExtension(doc.GraphFileName), "gra", "Graph File"};
    const std::optional<std::string> path = ChooseSavePath(
        [&] { return dialog(request); }, doc.GraphFileName,
        [](const std::string& p) { return "The File [ " + p + " ] already exists overwrite it?"; },
        feedback, doc.GraphFileIdentity);
    return path && WriteGraphFile(doc, *path, feedback);
}

} // namespace torvel
