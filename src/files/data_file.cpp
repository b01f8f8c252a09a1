#include "files/data_file.h"

#include "core/grid_store.h"
#include "core/out_of_memory.h"
#include "core/parallel.h"
#include "files/atomic_file.h"
#include "files/messages.h"
#include "files/read_file.h"
#include "files/utf8_bom.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace torvel {

namespace {

// Reads a file in large blocks and hands its tokens and line ends to a sink,
// without holding more than one block and one token.
class DataScanner {
  public:
    enum class Result { Done, Stopped, Binary, ReadError };

    DataScanner(int fd, long long size) : fd_(fd), size_(size), buffer_(1 << 20) {
        char head[3];
        if (::pread(fd_, head, sizeof head, 0) == 3 && std::string_view(head, 3) == Utf8Bom)
            start_ = static_cast<off_t>(Utf8Bom.size());
        for (int c = 0; c < 256; ++c)
            class_[static_cast<std::size_t>(c)] = TokenChar;
        for (char c : {' ', '\t', '\v', '\f'})
            class_[static_cast<unsigned char>(c)] = Separator;
        class_['\n'] = LineEnd;
        class_['\r'] = LineEnd; // a CR alone ends a line too; the LF of a CR LF is skipped
        class_[0] = Nul;
    }

    // Sink: void Token(std::string_view); bool LineEnd() (false stops). The
    // bytes from `begin` to `end` (-1: the end of the file), which must start
    // and end with a line.
    template <class Sink>
    Result Run(Sink& sink, const ReadProgress& progress, double from, double to, off_t begin = 0,
               off_t end = -1) {
        carry_.clear();
        pending_ = false;
        bool lineStarted = false;
        bool lfEndsNothing = false; // the block before ended in the CR of a CR LF
        off_t at = std::max(begin, start_);
        const long long span = (end < 0 ? size_ : end) - at;
        long long done = 0;
        for (;;) {
            std::size_t want = buffer_.size();
            if (end >= 0) {
                if (at >= end) break;
                want = std::min(want, static_cast<std::size_t>(end - at));
            }
            const ssize_t got = ::pread(fd_, buffer_.data(), want, at);
            if (got < 0) {
                if (errno == EINTR) continue;
                return Result::ReadError;
            }
            if (got == 0) break;
            at += got;
            done += got;
            const char* p = buffer_.data();
            const char* const end = p + got;
            if (lfEndsNothing && *p == '\n') ++p;
            lfEndsNothing = false;
            while (p < end) {
                switch (class_[static_cast<unsigned char>(*p)]) {
                case TokenChar: {
                    const char* start = p;
                    while (p < end && class_[static_cast<unsigned char>(*p)] == TokenChar)
                        ++p;
                    if (p == end) {
                        Keep(start, p); // may go on in the next block
                    } else if (pending_) {
                        Keep(start, p);
                        Flush(sink);
                    } else {
                        sink.Token(std::string_view(start, static_cast<std::size_t>(p - start)));
                    }
                    lineStarted = true;
                    continue;
                }
                case Separator:
                    Flush(sink);
                    lineStarted = true;
                    break;
                case LineEnd:
                    Flush(sink);
                    lineStarted = false;
                    if (!sink.LineEnd()) return Result::Stopped;
                    if (*p == '\r') {
                        if (p + 1 == end)
                            lfEndsNothing = true;
                        else if (p[1] == '\n')
                            ++p;
                    }
                    break;
                default:
                    return Result::Binary;
                }
                ++p;
            }
            if (progress && span > 0)
                progress(from + (to - from) * std::min(1.0, static_cast<double>(done) /
                                                                static_cast<double>(span)));
        }
        Flush(sink);
        if (lineStarted && !sink.LineEnd()) return Result::Stopped;
        return Result::Done;
    }

  private:
    enum Class : unsigned char { TokenChar, Separator, LineEnd, Nul };
    // Longer tokens are no numbers; only that much of one is kept.
    static constexpr std::size_t MaxToken = 4097;

    void Keep(const char* start, const char* end) {
        pending_ = true;
        const std::size_t room = MaxToken - std::min(MaxToken, carry_.size());
        carry_.append(start, std::min(room, static_cast<std::size_t>(end - start)));
    }
    template <class Sink> void Flush(Sink& sink) {
        if (!pending_) return;
        sink.Token(carry_);
        carry_.clear();
        pending_ = false;
    }

    int fd_;
    long long size_;
    off_t start_ = 0; // past a byte-order mark
    std::vector<char> buffer_;
    std::array<unsigned char, 256> class_{};
    std::string carry_;
    bool pending_ = false;
};

struct CountSink {
    long long Lines = 0;
    long long Columns = 0;
    bool AnyNumber = false; // a file without one is no data file (a text file named .prn)
    long long tokens = 0;
    void Token(std::string_view token) {
        ++tokens;
        Real value;
        if (!AnyNumber) AnyNumber = ParseFileNumber(token, value);
    }
    bool LineEnd() {
        if (tokens > Columns) Columns = tokens;
        tokens = 0;
        ++Lines;
        return true;
    }
};

struct FillSink {
    std::vector<Series*>& series;
    long long lines;
    long long row = 0;
    std::size_t col = 0;
    Real x = 0;
    bool xValid = false;

    static bool ReadValue(std::string_view token, Real& v) {
        if (!ParseFileNumber(token, v) || v >= EmptyThreshold) {
            v = 0;
            return false;
        }
        return true;
    }
    void Token(std::string_view token) {
        if (col == 0) {
            xValid = ReadValue(token, x);
        } else if (col <= series.size()) {
            Real y = 0;
            const bool yValid = ReadValue(token, y);
            series[col - 1]->Store().SetRow(static_cast<std::size_t>(row),
                                            Tdata{x, y, 0, xValid, yValid, false});
        } else {
            return;
        }
        ++col;
    }
    bool LineEnd() {
        col = 0;
        return ++row < lines;
    }
};

// Where a large file is cut in two, to be read on two processors at once:
// just after a line feed near its middle. -1: read whole.
off_t SplitPoint(int fd, long long size) {
    if (size < (8 << 20) || std::thread::hardware_concurrency() < 2) return -1;
    std::array<char, 1 << 16> probe;
    const off_t middle = static_cast<off_t>(size / 2);
    const ssize_t got = ::pread(fd, probe.data(), probe.size(), middle);
    if (got <= 0) return -1;
    const void* lf = std::memchr(probe.data(), '\n', static_cast<std::size_t>(got));
    if (lf == nullptr) return -1;
    return middle + (static_cast<const char*>(lf) - probe.data()) + 1;
}

// Runs each part's sink over its part of the file, the parts at once; the
// first part alone tells the progress (the callback is the caller's own).
template <class Sink>
bool RunParts(int fd, long long size, off_t split, std::array<Sink, 2>& sinks,
              const ReadProgress& progress, double from, double to) {
    std::array<DataScanner::Result, 2> results{DataScanner::Result::Done,
                                               DataScanner::Result::Done};
    EachPart(split < 0 ? 1 : 2, [&](std::size_t k) {
        DataScanner scanner(fd, size);
        results[k] = scanner.Run(sinks[k], k == 0 ? progress : ReadProgress{}, from, to,
                                 k == 0 ? 0 : split, k == 0 ? split : -1);
    });
    for (const auto r : results)
        if (r != DataScanner::Result::Done && r != DataScanner::Result::Stopped) return false;
    return true;
}

} // namespace

std::vector<Series*> ReadDataFile(Document& doc, const std::string& path, Feedback& feedback,
                                  const ReadProgress& progress) {
    auto incompatible = [&] {
        feedback.Message(MessageKind::Error, IncompatibleFormatText(path), MessageButtons::Ok);
        return std::vector<Series*>{};
    };

    // The file may be fine: it is memory that ran short.
    auto noMemory = [&] {
        feedback.Message(MessageKind::Error, NotEnoughMemoryToOpenText(path), MessageButtons::Ok);
        return std::vector<Series*>{};
    };
    auto cannotOpen = [&](const std::string& why) {
        feedback.Message(MessageKind::Error, why, MessageButtons::Ok);
        return std::vector<Series*>{};
    };
    const ReadOnlyFile in(path);
    if (!in.Problem().empty()) return cannotOpen(in.Problem());
    const off_t split = SplitPoint(in.Fd(), in.Size());

    // Pre-scan: the widest line gives the number of series, the lines the rows.
    std::array<CountSink, 2> counts{};
    bool counted = false;
    try {
        counted = RunParts(in.Fd(), in.Size(), split, counts, progress, 0.0, 0.4);
    } catch (const std::bad_alloc&) {
        return noMemory();
    }
    if (!counted || !(counts[0].AnyNumber || counts[1].AnyNumber)) return incompatible();

    long long columns = std::max(counts[0].Columns, counts[1].Columns);
    const long long existing = doc.SeriesCount();
    if (existing + columns > MaxSeries + 1) {
        columns = MaxSeries - existing + 1;
        feedback.Beep(SeriesLimitText(MaxSeries));
        feedback.Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
    }
    if (columns < 2) return {};
    const long long lines = counts[0].Lines + counts[1].Lines;
    if (lines > MaxDataFileCells / (columns - 1)) return incompatible();

    PendingSeries pending(doc);
    std::vector<Series*>& created = pending.List;
    try {
        pending.Create(columns - 1, lines, feedback);
        doc.SortDataWindows();

        // Each part fills its own rows.
        for (Series* s : created)
            s->Store().Unshare();
        std::array<FillSink, 2> fills{FillSink{created, split < 0 ? lines : counts[0].Lines},
                                      FillSink{created, lines, counts[0].Lines}};
        if (!RunParts(in.Fd(), in.Size(), split, fills, progress, 0.4, 0.8)) return incompatible();

        created.back()->FileName = path;
        created.back()->FileNameIdentity = IdentityOfOpenFile(in.Fd());
        for (std::size_t i = 0; i < created.size(); ++i) {
            Series& s = *created[i];
            s.Caption = Series::CaptionFor(s.SeriesNumber, path);
            RowsToGrid(s);
            if (progress)
                progress(0.8 +
                         0.2 * static_cast<double>(i + 1) / static_cast<double>(created.size()));
        }
    } catch (const std::bad_alloc&) {
        return noMemory();
    }
    return pending.Keep();
}

PendingSeries::~PendingSeries() {
    for (auto it = List.rbegin(); it != List.rend(); ++it)
        doc_.DestroySeries(**it);
    doc_.NewSeriesRows = oldRows_;
}

void PendingSeries::Create(long long count, long long rows, Feedback& feedback) {
    doc_.NewSeriesRows = static_cast<int>(rows);
    for (long long i = 0; i < count; ++i)
        List.push_back(&doc_.CreateSeries(feedback));
    doc_.NewSeriesRows = oldRows_;
    AllocationCheckpoint(); // the rows of every series are there
}

std::vector<Series*> PendingSeries::Keep() {
    std::vector<Series*> kept;
    kept.swap(List);
    return kept;
}

void WriteDataRows(const Series& series, std::ostream& out) {
    constexpr std::size_t LineLength = 49;
    constexpr std::size_t LinesPerBlock = 1024;
    std::vector<char> block(LineLength * LinesPerBlock);
    std::size_t used = 0;
    const RowStore& rows = series.Store();
    for (std::size_t i = 0; i < rows.Size(); ++i) {
        const Tdata row = rows.Row(i);
        char* line = block.data() + used;
        FileNumberText(row.XValid ? row.X : EmptyValue, line);
        line[23] = ' ';
        FileNumberText(row.YValid ? row.Y : EmptyValue, line + 24);
        line[47] = '\r';
        line[48] = '\n';
        used += LineLength;
        if (used == block.size()) {
            out.write(block.data(), static_cast<std::streamsize>(used));
            used = 0;
        }
    }
    out.write(block.data(), static_cast<std::streamsize>(used));
}

bool WriteDataFile(Series& series, const std::string& path, std::string* error) {
    GridToRows(series);
    FileIdentity written;
    const bool ok = WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            WriteDataRows(series, out);
            return static_cast<bool>(out);
        },
        error, &written);
    if (ok) {
        series.FileName = path;
        series.FileNameIdentity = written;
        series.Caption = Series::CaptionFor(series.SeriesNumber, path);
    }
    return ok;
}

std::string OverwriteQuestion(const std::string& path) {
    return "The File  " + path + "  already exists overwrite it?";
}

SaveResult SaveDataAs(Series& series, Feedback& feedback, const SaveDialog& dialog) {
    const std::string preset = WithoutExtension(series.FileName);
    const std::optional<std::string> path =
        ChooseSavePath([&] { return dialog(preset); }, series.FileName, OverwriteQuestion, feedback,
                       series.FileNameIdentity);
    if (!path) return SaveResult::Cancelled;
    std::string error;
    if (WriteDataFile(series, *path, &error)) return SaveResult::Saved;
    feedback.Message(MessageKind::Error, error, MessageButtons::Ok);
    return SaveResult::Failed;
}

} // namespace torvel
