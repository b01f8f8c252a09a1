#include "files/data_file.h"

#include "core/grid_store.h"
#include "files/atomic_file.h"

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
#include <unistd.h>

namespace torvel {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

constexpr u64 Pow10U64[] = {1ULL,
                            10ULL,
                            100ULL,
                            1000ULL,
                            10000ULL,
                            100000ULL,
                            1000000ULL,
                            10000000ULL,
                            100000000ULL,
                            1000000000ULL,
                            10000000000ULL,
                            100000000000ULL,
                            1000000000000ULL,
                            10000000000000ULL,
                            100000000000000ULL,
                            1000000000000000ULL,
                            10000000000000000ULL,
                            100000000000000000ULL,
                            1000000000000000000ULL,
                            10000000000000000000ULL};

// Powers of ten that the extended type holds exactly (5^27 fits 64 bits).
constexpr Real ExactPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                               1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                               1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

constexpr const char* EmptyMarkerText = " 1.00000000000000E+4932";

// The 15 significant digits of a (1E-4 <= a < 1E18) rounded to nearest, ties
// to even, from the exact binary value; exp10 is the decimal exponent.
void FastDigits(Real a, u64& digits, int& exp10) {
    int e2 = 0;
    const Real frac = std::frexp(a, &e2); // a = m * 2^(e2 - 64)
    const auto m = static_cast<u64>(std::ldexp(frac, 64));
    const int sh = 64 - e2; // 4..78 in this range
    int e = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
    for (;;) {
        const int s = 14 - e;
        u128 q, rem, half;
        bool exactHalfPossible;
        if (s >= 0) {
            const u128 num = static_cast<u128>(m) * Pow10U64[s];
            q = num >> sh;
            rem = num - (q << sh);
            half = static_cast<u128>(1) << (sh - 1);
            exactHalfPossible = true;
        } else {
            const u128 den = static_cast<u128>(Pow10U64[-s]) << sh;
            q = m / den;
            rem = m % den;
            half = den / 2;
            exactHalfPossible = (den % 2) == 0;
        }
        if (q >= Pow10U64[15]) {
            ++e; // the estimate was one decade low
            continue;
        }
        if (rem > half || (exactHalfPossible && rem == half && (q & 1) != 0)) ++q;
        if (q == Pow10U64[15]) {
            q = Pow10U64[14];
            ++e;
        }
        digits = static_cast<u64>(q);
        exp10 = e;
        return;
    }
}

} // namespace

void FileNumberText(Real value, char* out) {
    if (!std::isfinite(value)) {
        std::memcpy(out, EmptyMarkerText, 23);
        return;
    }
    const bool negative = value < 0;
    const Real a = negative ? -value : value;
    char digits[16];
    int exp10 = 0;
    if (a == 0) {
        std::memset(digits, '0', 15);
    } else if (a >= 1e-4L && a < 1e18L) {
        u64 q = 0;
        FastDigits(a, q, exp10);
        for (int i = 14; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + q % 10);
            q /= 10;
        }
    } else {
        // Far magnitudes: the C library rounds the exact binary value correctly.
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.14Le", a);
        int n = 0;
        const char* p = buf;
        for (; *p && *p != 'e' && n < 15; ++p)
            if (*p >= '0' && *p <= '9') digits[n++] = *p;
        while (*p && *p != 'e')
            ++p;
        exp10 = *p == 'e' ? std::atoi(p + 1) : 0;
    }
    out[0] = negative ? '-' : ' ';
    out[1] = digits[0];
    out[2] = '.';
    std::memcpy(out + 3, digits + 1, 14);
    out[17] = 'E';
    out[18] = exp10 < 0 ? '-' : '+';
    int ex = exp10 < 0 ? -exp10 : exp10;
    for (int i = 22; i >= 19; --i) {
        out[i] = static_cast<char>('0' + ex % 10);
        ex /= 10;
    }
}

std::string FileNumberText(Real value) {
    char buf[23];
    FileNumberText(value, buf);
    return std::string(buf, 23);
}

bool ParseFileNumber(std::string_view token, Real& value) {
    const std::size_t n = token.size();
    if (n == 0 || n > 4096) return false;
    std::size_t i = 0;
    bool negative = false;
    if (token[0] == '+' || token[0] == '-') {
        negative = token[0] == '-';
        ++i;
    }
    const std::size_t bodyStart = i;
    u64 mantissa = 0;
    int significant = 0, scale = 0, digitCount = 0;
    bool exact = true;
    auto digit = [&](int d, bool afterPoint) {
        ++digitCount;
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<unsigned>(d);
            if (mantissa != 0) ++significant;
            if (afterPoint) --scale;
        } else {
            exact = false;
            if (!afterPoint) ++scale;
        }
    };
    while (i < n && token[i] >= '0' && token[i] <= '9')
        digit(token[i++] - '0', false);
    if (i < n && token[i] == '.') {
        ++i;
        while (i < n && token[i] >= '0' && token[i] <= '9')
            digit(token[i++] - '0', true);
    }
    if (digitCount == 0) return false;
    if (i < n && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (token[i] == '+' || token[i] == '-')) {
            expNegative = token[i] == '-';
            ++i;
        }
        if (i >= n) return false;
        long ex = 0;
        while (i < n && token[i] >= '0' && token[i] <= '9') {
            if (ex < 1000000) ex = ex * 10 + (token[i] - '0');
            ++i;
        }
        scale += static_cast<int>(expNegative ? -ex : ex);
    }
    if (i != n) return false;

    Real v;
    if (mantissa == 0) {
        v = 0;
    } else if (exact && scale >= -27 && scale <= 27) {
        // Both operands exact: one correctly rounded operation.
        v = static_cast<Real>(mantissa);
        v = scale >= 0 ? v * ExactPow10[scale] : v / ExactPow10[-scale];
    } else {
        const auto r = std::from_chars(token.data() + bodyStart, token.data() + n, v);
        if (r.ec != std::errc() || r.ptr != token.data() + n) return false;
    }
    value = negative ? -v : v;
    return true;
}

namespace {

// Reads a file in large blocks and hands its tokens and line ends to a sink,
// without holding more than one block and one token.
class DataScanner {
  public:
    enum class Result { Done, Stopped, Binary, ReadError };

    DataScanner(int fd, long long size) : fd_(fd), size_(size), buffer_(1 << 20) {
        for (int c = 0; c < 256; ++c)
            class_[static_cast<std::size_t>(c)] = TokenChar;
        for (char c : {' ', '\t', '\r', '\v', '\f'})
            class_[static_cast<unsigned char>(c)] = Separator;
        class_['\n'] = LineEnd;
        class_[0] = Nul;
    }

    // Sink: void Token(std::string_view); bool LineEnd() (false stops).
    template <class Sink>
    Result Run(Sink& sink, const ReadProgress& progress, double from, double to) {
        if (::lseek(fd_, 0, SEEK_SET) != 0) return Result::ReadError;
        carry_.clear();
        pending_ = false;
        bool lineStarted = false;
        long long done = 0;
        for (;;) {
            const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
            if (got < 0) {
                if (errno == EINTR) continue;
                return Result::ReadError;
            }
            if (got == 0) break;
            done += got;
            const char* p = buffer_.data();
            const char* const end = p + got;
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
                    break;
                default:
                    return Result::Binary;
                }
                ++p;
            }
            if (progress && size_ > 0)
                progress(from + (to - from) * std::min(1.0, static_cast<double>(done) /
                                                                static_cast<double>(size_)));
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
    std::vector<char> buffer_;
    std::array<unsigned char, 256> class_{};
    std::string carry_;
    bool pending_ = false;
};

struct CountSink {
    long long Lines = 0;
    long long Columns = 0;
    long long tokens = 0;
    void Token(std::string_view) { ++tokens; }
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
            series[col - 1]->Rows[static_cast<std::size_t>(row)] =
                Tdata{x, y, 0, xValid, yValid, false};
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

class FileCloser {
  public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

  private:
    int fd_;
};

} // namespace

std::vector<Series*> ReadDataFile(Document& doc, const std::string& path, Feedback& feedback,
                                  const ReadProgress& progress) {
    auto incompatible = [&] {
        feedback.Message(MessageKind::Error, IncompatibleFormatText(path), MessageButtons::Ok);
        return std::vector<Series*>{};
    };

    // Non-blocking, so that a named pipe is refused instead of waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return incompatible();
    FileCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return incompatible();
    DataScanner scanner(fd, static_cast<long long>(st.st_size));

    // Pre-scan: the widest line gives the number of series, the lines the rows.
    CountSink count;
    if (scanner.Run(count, progress, 0.0, 0.4) != DataScanner::Result::Done) return incompatible();

    long long columns = count.Columns;
    const long long existing = doc.SeriesCount();
    if (existing + columns > MaxSeries + 1) {
        columns = MaxSeries - existing + 1;
        feedback.Beep();
        feedback.Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
    }
    if (columns < 2) return {};
    const long long lines = count.Lines;
    if (lines > MaxDataFileCells / (columns - 1)) return incompatible();

    const int oldNewSeriesRows = doc.NewSeriesRows;
    std::vector<Series*> created;
    auto undo = [&] {
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            doc.DestroySeries(**it);
        doc.NewSeriesRows = oldNewSeriesRows;
        return incompatible();
    };
    try {
        doc.NewSeriesRows = static_cast<int>(lines);
        for (long long i = 1; i < columns; ++i)
            created.push_back(&doc.CreateSeries(feedback));
        doc.SortDataWindows();

        FillSink fill{created, lines};
        const auto result = scanner.Run(fill, progress, 0.4, 0.8);
        if (result != DataScanner::Result::Done && result != DataScanner::Result::Stopped)
            return undo();

        created.back()->FileName = path;
        for (std::size_t i = 0; i < created.size(); ++i) {
            Series& s = *created[i];
            s.Caption = Series::CaptionFor(s.SeriesNumber, path);
            RowsToGrid(s);
            if (progress)
                progress(0.8 +
                         0.2 * static_cast<double>(i + 1) / static_cast<double>(created.size()));
        }
    } catch (const std::bad_alloc&) {
        return undo();
    }
    return created;
}

void WriteDataRows(const Series& series, std::ostream& out) {
    constexpr std::size_t LineLength = 49;
    constexpr std::size_t LinesPerBlock = 1024;
    std::vector<char> block(LineLength * LinesPerBlock);
    std::size_t used = 0;
    for (const Tdata& row : series.Rows) {
        char* line = block.data() + used;
        if (row.XValid)
            FileNumberText(row.X, line);
        else
            std::memcpy(line, EmptyMarkerText, 23);
        line[23] = ' ';
        if (row.YValid)
            FileNumberText(row.Y, line + 24);
        else
            std::memcpy(line + 24, EmptyMarkerText, 23);
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
    const bool ok = WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            WriteDataRows(series, out);
            return static_cast<bool>(out);
        },
        error);
    if (ok) {
        series.FileName = path;
        series.Caption = Series::CaptionFor(series.SeriesNumber, path);
    }
    return ok;
}

std::string OverwriteQuestion(const std::string& path) {
    return "The File  " + path + "  already exists overwrite it?";
}

namespace {
std::string WithoutExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    return path.substr(0, dot);
}
} // namespace

SaveResult SaveDataAs(Series& series, Feedback& feedback, const SaveDialog& dialog) {
    const std::string preset = WithoutExtension(series.FileName);
    for (;;) {
        const std::optional<std::string> chosen = dialog(preset);
        if (!chosen || chosen->empty()) return SaveResult::Cancelled;
        const std::string& path = *chosen;
        if (FileExists(path) && path != series.FileName) {
            feedback.Beep();
            if (feedback.Message(MessageKind::Warning, OverwriteQuestion(path),
                                 MessageButtons::YesNo) != Answer::Yes)
                continue;
        }
        std::string error;
        if (WriteDataFile(series, path, &error)) return SaveResult::Saved;
        feedback.Message(MessageKind::Error, error, MessageButtons::Ok);
        return SaveResult::Failed;
    }
}

} // namespace torvel
