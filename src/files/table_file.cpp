// Loading a table into new series.
#include "files/table_file.h"

#include "core/grid_store.h"
#include "core/out_of_memory.h"
#include "files/messages.h"
#include "files/read_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <unistd.h>

namespace torvel {

namespace {

// The file in large blocks, as UTF-8, past its byte-order mark.
class FileBlocks {
  public:
    FileBlocks(int fd, long long size, TextEncoding encoding, const ReadProgress& progress)
        : fd_(fd), size_(size), decoder_(encoding), buffer_(1 << 20), progress_(progress) {}

    bool Rewind() {
        done_ = 0;
        eof_ = false;
        failed_ = false;
        flushed_ = false;
        return ::lseek(fd_, 0, SEEK_SET) == 0;
    }
    // Raw bytes; false at the end or on a failure.
    bool Raw(std::string_view& block) {
        if (eof_ || failed_) return false;
        for (;;) {
            const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                failed_ = true;
                return false;
            }
            if (got == 0) {
                eof_ = true;
                return false;
            }
            block = std::string_view(buffer_.data(), static_cast<std::size_t>(got));
            if (done_ == 0) block.remove_prefix(ByteOrderMarkLength(block));
            done_ += got;
            if (progress_ && size_ > 0)
                progress_(From + (To - From) * std::min(1.0, static_cast<double>(done_) /
                                                                 static_cast<double>(size_)));
            return true;
        }
    }
    bool Next(std::string_view& block) {
        std::string_view raw;
        if (!Raw(raw)) {
            if (failed_ || flushed_) return false;
            flushed_ = true;
            block = decoder_.Decode({}, true); // a character cut by the end
            return !block.empty();
        }
        block = decoder_.Decode(raw, false);
        return true;
    }
    bool Failed() const { return failed_; }

    double From = 0, To = 1;

  private:
    int fd_;
    long long size_;
    Utf8Decoder decoder_;
    std::vector<char> buffer_;
    const ReadProgress& progress_;
    long long done_ = 0;
    bool eof_ = false, failed_ = false, flushed_ = false;
};

// Every line end may start a row: enough rows for any reading of the file.
long long CountLineEnds(FileBlocks& file) {
    long long count = 1;
    bool pendingCR = false;
    std::string_view block;
    while (file.Raw(block)) {
        if (block.empty()) continue;
        if (pendingCR && block.front() != '\n') ++count;
        pendingCR = false;
        const char* const begin = block.data();
        const char* const end = begin + block.size();
        count += std::count(begin, end, '\n');
        // A CR alone ends a line as well (old Mac files).
        for (auto* q = static_cast<const char*>(std::memchr(begin, '\r', block.size())); q;
             q = static_cast<const char*>(
                 std::memchr(q + 1, '\r', static_cast<std::size_t>(end - q - 1)))) {
            if (q + 1 == end)
                pendingCR = true;
            else if (q[1] != '\n')
                ++count;
        }
    }
    return count + (pendingCR ? 1 : 0);
}

struct LoadSink {
    const TableFormat& format;
    std::vector<Series*>& series;
    std::vector<int> seriesOf; // per column: the new series' index, or -1
    long long capacity;
    TableLoad& load;
    std::vector<std::string> names;
    bool expectHeader;

    std::vector<Real> y;
    std::vector<unsigned char> yValid;
    Real x = 0;
    bool xValid = false;
    int column = 0;
    long long pendingBlank = 0;
    long long recordBad = 0;
    int recordFirstBad = 0;

    LoadSink(const TableFormat& f, std::vector<Series*>& s, long long rows, TableLoad& l)
        : format(f), series(s), seriesOf(static_cast<std::size_t>(f.Columns), -1), capacity(rows),
          load(l), expectHeader(f.HeaderLine > 0), y(s.size()), yValid(s.size()) {
        for (std::size_t i = 0; i < s.size(); ++i)
            seriesOf[static_cast<std::size_t>(f.SeriesColumns[i] - 1)] = static_cast<int>(i);
    }

    void Bad(int col) {
        if (recordBad++ == 0) recordFirstBad = col + 1;
    }
    void Field(std::string_view text, bool cut) {
        if (expectHeader) {
            if (names.size() < static_cast<std::size_t>(format.Columns)) names.emplace_back(text);
            return;
        }
        if (column < format.Columns) {
            if (column == format.XColumn - 1) {
                xValid = !cut && TableCellValue(text, format.Decimal, x);
                if (!xValid) Bad(column);
            } else if (const int s = seriesOf[static_cast<std::size_t>(column)]; s >= 0) {
                const auto i = static_cast<std::size_t>(s);
                yValid[i] = !cut && TableCellValue(text, format.Decimal, y[i]);
                if (!yValid[i]) Bad(column);
            }
        } else if (column == format.Columns) {
            if (load.LongRows++ == 0) load.FirstLongLine = -1; // the line is known at its end
        }
        ++column;
    }
    bool EndRecord(long long line, bool header) {
        if (header) {
            expectHeader = false;
            return true;
        }
        if (column == 0) {
            ++pendingBlank; // an empty row, unless no row follows
            return true;
        }
        // Missing cells of a short row are empty.
        for (int c = column; c < format.Columns; ++c)
            if (c == format.XColumn - 1 || seriesOf[static_cast<std::size_t>(c)] >= 0) Bad(c);
        if (load.FirstLongLine < 0) load.FirstLongLine = line;
        load.Rows += pendingBlank;
        pendingBlank = 0;
        if (load.Rows >= capacity) return false; // cannot happen: every row starts a line
        const int row = static_cast<int>(++load.Rows);
        if (format.XColumn == RowNumberX) {
            x = row;
            xValid = true;
        }
        for (std::size_t i = 0; i < series.size(); ++i) {
            if (xValid) series[i]->SetValue(XColumn, row, x);
            if (yValid[i]) series[i]->SetValue(YColumn, row, y[i]);
            yValid[i] = false;
        }
        xValid = false;
        if (recordBad > 0) {
            if (load.NotNumbers == 0) {
                load.FirstNotNumberLine = line;
                load.FirstNotNumberColumn = recordFirstBad;
            }
            load.NotNumbers += recordBad;
            recordBad = 0;
        }
        column = 0;
        return true;
    }
};

std::string HeaderName(const std::vector<std::string>& names, int column) {
    return column >= 1 && static_cast<std::size_t>(column) <= names.size()
               ? names[static_cast<std::size_t>(column - 1)]
               : std::string();
}

} // namespace

TableLoad ReadTableFile(Document& doc, const std::string& path, const TableFormat& format,
                        Feedback& feedback, const ReadProgress& progress) {
    TableLoad load;
    auto fail = [&](const std::string& text) {
        feedback.Message(MessageKind::Error, text, MessageButtons::Ok);
        return TableLoad{};
    };
    const ReadOnlyFile in(path);
    if (!in.Problem().empty()) return fail(in.Problem());

    TableFormat f = format;
    f.Columns = std::clamp(f.Columns, 0, MaxTableColumns);
    if (f.XColumn < 0 || f.XColumn > f.Columns) f.XColumn = RowNumberX;
    std::erase_if(f.SeriesColumns, [&](int c) { return c < 1 || c > f.Columns || c == f.XColumn; });
    std::sort(f.SeriesColumns.begin(), f.SeriesColumns.end());
    f.SeriesColumns.erase(std::unique(f.SeriesColumns.begin(), f.SeriesColumns.end()),
                          f.SeriesColumns.end());
    if (f.SeriesColumns.empty()) return fail(NoNumbersText(path));
    long long columns = static_cast<long long>(f.SeriesColumns.size());
    const long long free = MaxSeries - doc.SeriesCount();
    if (columns > free) {
        columns = std::max(0LL, free);
        f.SeriesColumns.resize(static_cast<std::size_t>(columns));
        feedback.Beep(SeriesLimitText(MaxSeries));
        feedback.Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
    }
    if (columns < 1) return {};

    FileBlocks file(in.Fd(), in.Size(), f.Encoding, progress);
    file.To = 0.2;
    const long long bound = CountLineEnds(file);
    if (file.Failed()) return fail(CannotReadText(path, errno));
    if (bound > MaxDataFileCells / columns) return fail(IncompatibleFormatText(path));

    PendingSeries pending(doc);
    std::vector<Series*>& created = pending.List;
    try {
        pending.Create(columns, bound, feedback);

        LoadSink sink(f, created, bound, load);
        file.From = 0.2;
        file.To = 0.95;
        const ScanResult result =
            file.Rewind() ? TableScanner(f).Run(file, sink) : ScanResult::ReadError;
        if (result == ScanResult::Binary) return fail(IncompatibleFormatText(path));
        if (result == ScanResult::ReadError) return fail(CannotReadText(path, errno ? errno : EIO));
        if (load.Rows == 0) return fail(NoNumbersText(path));
        const std::string xName = HeaderName(sink.names, f.XColumn);
        for (std::size_t i = 0; i < created.size(); ++i) {
            Series& s = *created[i];
            if (s.IndexCount > load.Rows) s.SetIndexCount(static_cast<int>(load.Rows));
            s.SeriesTitle = HeaderName(sink.names, f.SeriesColumns[i]);
            s.Caption = Series::CaptionFor(s.SeriesNumber, path);
            RowsToGrid(s);
        }
        created.back()->FileName = path;
        doc.SortDataWindows();
        auto& xTitles = doc.Settings.XTitles;
        if (!xName.empty() &&
            std::all_of(xTitles.begin(), xTitles.end(), [](auto& t) { return t.empty(); }))
            xTitles[0] = xName;
    } catch (const std::bad_alloc&) {
        // The file may be fine: it is memory that ran short.
        feedback.Message(MessageKind::Error, NotEnoughMemoryToOpenText(path), MessageButtons::Ok);
        return {};
    }
    if (progress) progress(1.0);
    load.Created = pending.Keep();
    return load;
}

std::string TableLoadStatus(const TableLoad& load, const std::string& path) {
    if (load.Created.empty()) return {};
    std::string text = "Loaded ";
    text += std::to_string(load.Rows);
    text += load.Rows == 1 ? " row of " : " rows of ";
    text += UpperFileName(path);
    text += " into series ";
    for (std::size_t i = 0; i < load.Created.size(); ++i) {
        if (i > 0) text += i + 1 == load.Created.size() ? " and " : ", ";
        text += std::to_string(load.Created[i]->SeriesNumber);
    }
    if (load.NotNumbers == 0) {
        text += "; every cell was a number.";
    } else {
        text += "; ";
        text += std::to_string(load.NotNumbers);
        text += load.NotNumbers == 1 ? " cell was empty or not a number, at line "
                                     : " cells were empty or not numbers, the first at line ";
        text += std::to_string(load.FirstNotNumberLine);
        text += ", column ";
        text += std::to_string(load.FirstNotNumberColumn);
        text += '.';
    }
    if (load.LongRows > 0) {
        text += ' ';
        text += std::to_string(load.LongRows);
        text += load.LongRows == 1 ? " row had" : " rows had";
        text += " more fields than the table's columns, the first at line ";
        text += std::to_string(load.FirstLongLine);
        text += ": the rest of them was not read.";
    }
    return text;
}

} // namespace torvel
