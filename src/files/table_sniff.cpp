// The head of a table file, its preview and the sniffing of its format.
#include "files/messages.h"
#include "files/read_file.h"
#include "files/table_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {

namespace {

bool IsControl(unsigned char c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\v' && c != '\f') || c == 0x7F;
}

// Bytes that text never holds many of: a file full of them is no table.
bool LooksBinary(std::string_view text) {
    std::size_t controls = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0) return true;
        // C1 controls, as Latin-1 bytes 0x80..0x9F become in UTF-8.
        if (IsControl(c) ||
            (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0))
            ++controls;
    }
    return controls * 50 > text.size();
}

long long ModifiedOf(const struct stat& st) {
    return static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
}

} // namespace

std::string EmptyFileText(const std::string& path) {
    std::string text = "The file ";
    text += path;
    text += " is empty.";
    return text;
}

std::string NoNumbersText(const std::string& path) {
    std::string text = "The file ";
    text += path;
    text += " has no numbers to load.";
    return text;
}

std::string TableKind(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string kind = path.substr(dot + 1);
    for (char& c : kind)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return kind;
}

bool IsTableFile(const std::string& path) {
    const std::string kind = TableKind(path);
    return kind == "csv" || kind == "tsv" || kind == "dat" || kind == "txt";
}

std::string DropRefusedText(const std::vector<std::string>& names) {
    std::string text = "Torvel Graphics opens graph files (.gra), data files (.prn) and "
                       "tables (.csv, .tsv, .dat, .txt). Not opened: ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += ", ";
        text += names[i];
    }
    text += '.';
    return text;
}

TableHead TableHeadOf(std::string_view bytes, bool whole, const std::string& path) {
    TableHead head;
    head.Whole = whole;
    std::size_t bom = 0;
    head.Encoding = DetectEncoding(bytes, whole, bom);
    Utf8Decoder decoder(head.Encoding);
    head.Text = std::string(decoder.Decode(bytes.substr(bom), whole));
    if (head.Text.empty() && whole) {
        head.Problem = EmptyFileText(path);
        return head;
    }
    if (LooksBinary(head.Text)) {
        head.Problem = IncompatibleFormatText(path);
        return head;
    }
    if (!whole) {
        // A row cut by the end of the head would show wrong: it ends at the
        // last line end (a single line longer than the head stays as it is).
        const auto last = head.Text.find_last_of("\r\n");
        if (last != std::string::npos) head.Text.resize(last + 1);
    }
    return head;
}

TableHead ReadTableHead(const std::string& path, std::size_t bytes) {
    TableHead failed;
    const ReadOnlyFile in(path);
    if (!in.Problem().empty()) {
        failed.Problem = in.Problem();
        return failed;
    }
    std::string raw(bytes, '\0');
    std::size_t got = 0;
    bool whole = false;
    while (got < bytes) {
        const ssize_t n = ::read(in.Fd(), raw.data() + got, bytes - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            failed.Problem = CannotReadText(path, errno);
            return failed;
        }
        if (n == 0) {
            whole = true;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    raw.resize(got);
    TableHead head = TableHeadOf(raw, whole, path);
    head.Size = in.Size();
    head.Modified = ModifiedOf(in.Status());
    return head;
}

bool TableFileChanged(const TableHead& head, const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return true;
    return static_cast<long long>(st.st_size) != head.Size || ModifiedOf(st) != head.Modified;
}

namespace {

struct PreviewSink {
    TablePreview& preview;
    char decimal;
    std::size_t shown;
    bool expectHeader;
    std::vector<TableCell> row;
    int fields = 0;
    long long pendingBlank = 0;
    std::vector<long long> blankLines;

    void Field(std::string_view text, bool cut) {
        if (expectHeader) {
            if (preview.Names.size() < MaxTableColumns) preview.Names.emplace_back(text);
            return;
        }
        if (fields < MaxTableColumns) {
            const auto c = static_cast<std::size_t>(fields);
            if (preview.NumberCount.size() <= c) {
                preview.NumberCount.resize(c + 1);
                preview.TextCount.resize(c + 1);
            }
            Real value = 0;
            const bool number = !cut && TableCellValue(text, decimal, value);
            if (number)
                ++preview.NumberCount[c];
            else if (!text.empty())
                ++preview.TextCount[c];
            if (preview.Rows.size() < shown) row.push_back({std::string(text), number, value});
        }
        ++fields;
    }
    void Push(long long line, std::vector<TableCell> cells) {
        ++preview.SampleRows;
        if (preview.Rows.size() < shown) {
            preview.Rows.push_back(std::move(cells));
            preview.Lines.push_back(line);
        }
    }
    bool EndRecord(long long line, bool header) {
        if (header) {
            expectHeader = false;
            return true;
        }
        if (fields == 0) {
            // Blank lines are empty rows, except at the end of the file.
            blankLines.push_back(line);
            return true;
        }
        for (long long blank : blankLines)
            Push(blank, {});
        blankLines.clear();
        preview.WidestRow = std::max(preview.WidestRow, std::min(fields, MaxTableColumns));
        Push(line, std::move(row));
        row.clear();
        fields = 0;
        if (preview.SampleRows >= TableSampleRows) {
            preview.More = true;
            return false;
        }
        return true;
    }
};

// What one line holds under a candidate separator, for the sniffer.
struct LineSurvey {
    long long Line = 0;
    int Fields = 0, Numbers = 0, Texts = 0;
    bool Comment = false;
};

struct SurveySink {
    char decimal;
    std::vector<LineSurvey> lines;
    LineSurvey current;
    void Field(std::string_view text, bool cut) {
        if (current.Fields == 0 && !text.empty() && (text[0] == '#' || text[0] == '%'))
            current.Comment = true;
        ++current.Fields;
        Real value;
        if (!cut && ReadTableNumber(text, decimal, value))
            ++current.Numbers;
        else if (!text.empty())
            ++current.Texts;
    }
    bool EndRecord(long long line, bool) {
        current.Line = line;
        if (current.Fields > 0) lines.push_back(current);
        current = {};
        return lines.size() < static_cast<std::size_t>(TableSampleRows);
    }
};

std::vector<LineSurvey> Survey(const TableHead& head, char separator, char decimal) {
    TableFormat f;
    f.Separator = separator;
    f.Decimal = decimal;
    f.Comments = false;
    TableScanner scanner(f);
    MemoryBlocks text{head.Text};
    SurveySink sink{decimal, {}, {}};
    scanner.Run(text, sink);
    return sink.lines;
}

} // namespace

TablePreview PreviewTable(const TableHead& head, const TableFormat& format, int shownRows) {
    TablePreview preview;
    PreviewSink sink{preview,
                     format.Decimal,
                     static_cast<std::size_t>(std::max(0, shownRows)),
                     format.HeaderLine > 0,
                     {},
                     0,
                     0,
                     {}};
    TableScanner scanner(format);
    MemoryBlocks text{head.Text};
    scanner.Run(text, sink);
    if (!head.Whole) preview.More = true;
    const int columns = std::min(
        MaxTableColumns, std::max(static_cast<int>(preview.Names.size()), preview.WidestRow));
    const auto n = static_cast<std::size_t>(columns);
    preview.Columns = columns;
    if (!preview.Names.empty()) preview.Names.resize(n);
    preview.NumberCount.resize(n);
    preview.TextCount.resize(n);
    for (auto& row : preview.Rows)
        row.resize(n);
    return preview;
}

void ChooseTableColumns(TableFormat& format, const TablePreview& preview, int x) {
    format.Columns = preview.Columns;
    const auto holdsNumbers = [&](int column) {
        return preview.NumberCount[static_cast<std::size_t>(column - 1)] > 0;
    };
    format.XColumn = RowNumberX;
    if (x >= 0)
        format.XColumn = std::min(x, preview.Columns);
    else if (preview.Columns >= 2 && holdsNumbers(1) &&
             preview.NumberCount[0] >= preview.TextCount[0])
        format.XColumn = 1;
    format.SeriesColumns.clear();
    for (int c = 1; c <= preview.Columns; ++c)
        if (c != format.XColumn && holdsNumbers(c)) format.SeriesColumns.push_back(c);
}

TableFormat SniffTable(const TableHead& head, char separator, char decimal) {
    TableFormat f;
    f.Encoding = head.Encoding;
    // The first that reads best wins: the usual forms come first.
    constexpr std::pair<char, char> Candidates[] = {
        {',', '.'}, {';', '.'}, {';', ','}, {'\t', '.'}, {'\t', ','},
        {' ', '.'}, {' ', ','}, {'|', '.'}, {'|', ','},  {',', ','}};
    std::vector<LineSurvey> best;
    long long bestScore = 0;
    bool first = true;
    for (auto [sep, dec] : Candidates) {
        if (separator != 0) sep = separator;
        if (decimal != 0) dec = decimal;
        std::vector<LineSurvey> lines = Survey(head, sep, dec);
        long long score = 0;
        for (const LineSurvey& l : lines)
            if (!l.Comment) score += l.Numbers - l.Texts;
        if (first || score > bestScore) {
            first = false;
            bestScore = score;
            best = std::move(lines);
            f.Separator = sep;
            f.Decimal = dec;
        }
    }

    // The data start at the first line that holds more numbers than text
    // (failing that, any number); the line above it may name the columns.
    auto isData = [](const LineSurvey& l, bool strict) {
        return !l.Comment && l.Numbers > 0 && (!strict || l.Numbers >= l.Texts);
    };
    auto start = std::find_if(best.begin(), best.end(), [&](auto& l) { return isData(l, true); });
    if (start == best.end())
        start = std::find_if(best.begin(), best.end(), [&](auto& l) { return isData(l, false); });
    bool commentHeader = false;
    if (start != best.end()) {
        f.SkipLines = static_cast<int>(start->Line - 1);
        if (start != best.begin()) {
            const LineSurvey& above = *(start - 1);
            if (!above.Comment && above.Texts > above.Numbers) {
                f.HeaderLine = static_cast<int>(above.Line);
            } else if (above.Comment && above.Line == start->Line - 1) {
                f.HeaderLine = static_cast<int>(above.Line);
                commentHeader = true;
            }
        }
    }
    TablePreview preview = PreviewTable(head, f, 0);
    if (commentHeader) {
        // "# time temp" above the data names its columns; other comments do not.
        bool names = static_cast<int>(preview.Names.size()) == preview.WidestRow;
        for (const std::string& name : preview.Names) {
            Real value;
            names = names && !name.empty() && !ReadTableNumber(name, f.Decimal, value);
        }
        if (!names) {
            f.HeaderLine = 0;
            preview = PreviewTable(head, f, 0);
        }
    }
    ChooseTableColumns(f, preview);
    return f;
}

} // namespace torvel
