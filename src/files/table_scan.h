// Delimited text tables (CSV, TSV, blank-separated, decimal commas): how a
// table is laid out, and the one scanner that splits it into records and
// fields for the sniffer, the preview and the reader alike, so the preview
// shows exactly what loads.
#pragma once

#include "core/data_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvel {

enum class TextEncoding { Utf8, Utf16LE, Utf16BE, Latin1 };

// The separator that splits at runs of blanks and tabs, as a .prn line is split.
inline constexpr char BlankSeparator = ' ';
// XColumn for "the row number is X".
inline constexpr int RowNumberX = 0;
// Wider rows are cut: 21 series is all that can load, and the preview stays usable.
inline constexpr int MaxTableColumns = 10000;
// A longer field is no number (the .prn reader's token limit); text is cut there.
inline constexpr std::size_t MaxTableField = 4096;

struct TableFormat {
    TextEncoding Encoding = TextEncoding::Utf8;
    char Separator = ',';           // ',', ';', '\t', BlankSeparator or a typed character
    char Decimal = '.';             // '.' or ','
    int HeaderLine = 0;             // the file line holding the column names; 0 for none
    int SkipLines = 0;              // lines at the top that hold no data
    bool Comments = true;           // lines starting with # or % are passed over
    int XColumn = 1;                // 1-based, or RowNumberX
    int Columns = 0;                // every row has this many cells: padded or cut
    std::vector<int> SeriesColumns; // 1-based columns whose values become new series

    // The first line that may hold data.
    int DataStart() const { return (SkipLines > HeaderLine ? SkipLines : HeaderLine) + 1; }
    bool operator==(const TableFormat&) const = default;
};

// A field read as a number with every digit: the .prn number forms, and with
// a decimal comma the comma read as the point (a point then makes it no
// number: 1.500 may well mean fifteen hundred).
bool ReadTableNumber(std::string_view field, char decimal, Real& value);
// The same, as a cell: false also for values at or beyond the empty marker.
inline bool TableCellValue(std::string_view field, char decimal, Real& value) {
    return ReadTableNumber(field, decimal, value) && value < EmptyThreshold;
}

// A separator typed in: one character that cannot belong to a number or a
// quote (tab and the blanks have their own choices).
bool AcceptableSeparator(char c);

// The encoding of a file from its first bytes: a byte-order mark, else UTF-8
// when they are valid UTF-8 (a sequence cut by the end of `head` allowed
// unless `whole`), else Latin-1. bomLength gets the mark's length.
TextEncoding DetectEncoding(std::string_view head, bool whole, std::size_t& bomLength);
// The length of the byte-order mark the bytes start with (0 when none).
std::size_t ByteOrderMarkLength(std::string_view head);

// Turns the bytes of a file into UTF-8, block by block (a character split
// between blocks is carried over).
class Utf8Decoder {
  public:
    explicit Utf8Decoder(TextEncoding encoding) : encoding_(encoding) {}
    // The UTF-8 of `in`: a view of `in` itself when nothing needs changing,
    // else of an internal buffer valid until the next call.
    std::string_view Decode(std::string_view in, bool last);

  private:
    void Put(std::uint32_t code);
    TextEncoding encoding_;
    std::string out_;
    std::string carry_;
    std::uint32_t highSurrogate_ = 0;
};

// Sources of UTF-8 blocks for the scanner.
struct MemoryBlocks {
    std::string_view Text;
    bool Given = false;
    bool Next(std::string_view& block) {
        if (Given) return false;
        Given = true;
        block = Text;
        return true;
    }
    bool Failed() const { return false; }
};

enum class ScanResult { Done, Stopped, Binary, ReadError };

// Splits UTF-8 blocks into records and fields. Lines before the data start
// are passed over, except the header line (read as one line; a leading # or %
// is dropped from it); comment lines in the data are passed over; a blank
// line is a record without fields. Quoted fields follow RFC 4180 (separators
// and line ends inside quotes belong to the field, "" is a quote); blanks
// around unquoted fields are dropped. Line ends are LF, CR LF or CR alone.
// Sink: void Field(std::string_view text, bool cut);
//       bool EndRecord(long long line, bool header)  (false stops)
class TableScanner {
  public:
    explicit TableScanner(const TableFormat& format);

    template <class Source, class Sink> ScanResult Run(Source& source, Sink& sink);

  private:
    enum Class : std::uint8_t { Plain, Sep, Blank, End, Quote, Nul };
    enum class State { LineStart, SkipRest, Lead, Unquoted, Quoted, QuoteEnd, AfterQuote };

    void Append(const char* from, const char* to) {
        const std::size_t room = MaxTableField + 1 - std::min(MaxTableField + 1, field_.size());
        field_.append(from, std::min(room, static_cast<std::size_t>(to - from)));
    }
    template <class Sink> void Emit(Sink& sink, std::string_view text) {
        const bool cut = text.size() > MaxTableField;
        sink.Field(cut ? text.substr(0, MaxTableField) : text, cut);
        ++fields_;
        pending_ = false;
    }
    template <class Sink> void EmitKept(Sink& sink) {
        std::string_view text = field_;
        if (!quotedField_)
            while (!text.empty() && class_[static_cast<unsigned char>(text.back())] == Blank)
                text.remove_suffix(1);
        Emit(sink, text);
        field_.clear();
        quotedField_ = false;
    }
    // The line end c closes the record being read; false when the sink stops.
    template <class Sink> bool EndLine(Sink& sink, char c) {
        if (pending_) Emit(sink, {});
        const bool go = sink.EndRecord(recordLine_, header_);
        NewLine(c);
        return go;
    }
    void NewLine(char c) {
        ++line_;
        afterCR_ = c == '\r';
        state_ = State::LineStart;
    }

    TableFormat format_;
    bool blanks_; // separator mode: runs of blanks
    std::array<Class, 256> class_{};
    State state_ = State::LineStart;
    long long line_ = 1;
    long long recordLine_ = 1;
    bool header_ = false;
    bool afterCR_ = false;
    long long fields_ = 0; // in the record being read
    bool pending_ = false; // a separator was read: a field follows, empty or not
    bool first_ = false;   // before the first character of the record
    bool quotedField_ = false;
    std::string field_; // a field that spans blocks, or quoted
};

template <class Source, class Sink> ScanResult TableScanner::Run(Source& source, Sink& sink) {
    const long long dataStart = format_.DataStart();
    std::string_view block;
    while (source.Next(block)) {
        const char* p = block.data();
        const char* const end = p + block.size();
        while (p < end) {
            const char c = *p;
            const Class k = class_[static_cast<unsigned char>(c)];
            if (k == Nul) return ScanResult::Binary;
            switch (state_) {
            case State::LineStart:
                if (afterCR_) {
                    afterCR_ = false;
                    if (c == '\n') {
                        ++p;
                        continue;
                    }
                }
                if (line_ < dataStart && line_ != format_.HeaderLine) {
                    state_ = State::SkipRest;
                    continue;
                }
                recordLine_ = line_;
                header_ = line_ == format_.HeaderLine;
                fields_ = 0;
                pending_ = false;
                first_ = true;
                state_ = State::Lead;
                continue;
            case State::SkipRest:
                while (p < end && class_[static_cast<unsigned char>(*p)] != End) {
                    if (*p == '\0') return ScanResult::Binary;
                    ++p;
                }
                if (p < end) NewLine(*p++);
                continue;
            case State::Lead:
                if (k == Blank) {
                    ++p;
                    continue;
                }
                if (k == End) {
                    if (!EndLine(sink, c)) return ScanResult::Stopped;
                    ++p;
                    continue;
                }
                if (first_) {
                    first_ = false;
                    if (k == Plain && (c == '#' || c == '%')) {
                        if (header_) {
                            ++p; // "# time temp" names its columns
                            continue;
                        }
                        if (format_.Comments) {
                            state_ = State::SkipRest;
                            continue;
                        }
                    }
                }
                if (k == Sep) {
                    Emit(sink, {});
                    pending_ = true;
                    ++p;
                    continue;
                }
                if (k == Quote) {
                    quotedField_ = true;
                    state_ = State::Quoted;
                    ++p;
                    continue;
                }
                [[fallthrough]];
            case State::Unquoted: {
                const char* start = p;
                while (p < end) {
                    const Class q = class_[static_cast<unsigned char>(*p)];
                    if (q == Sep || q == End || q == Nul || (blanks_ && q == Blank)) break;
                    ++p;
                }
                if (p == end) {
                    Append(start, p); // goes on in the next block
                    state_ = State::Unquoted;
                    continue;
                }
                if (state_ == State::Unquoted) {
                    Append(start, p);
                    EmitKept(sink);
                } else {
                    std::string_view text(start, static_cast<std::size_t>(p - start));
                    while (!text.empty() &&
                           class_[static_cast<unsigned char>(text.back())] == Blank)
                        text.remove_suffix(1);
                    Emit(sink, text);
                }
                state_ = State::Lead;
                const Class q = class_[static_cast<unsigned char>(*p)];
                if (q == Nul) return ScanResult::Binary;
                if (q == End) {
                    if (!EndLine(sink, *p)) return ScanResult::Stopped;
                } else if (q == Sep) {
                    pending_ = true;
                }
                ++p;
                continue;
            }
            case State::Quoted: {
                const char* start = p;
                while (p < end && *p != '"' && class_[static_cast<unsigned char>(*p)] != End &&
                       *p != '\0')
                    ++p;
                Append(start, p);
                if (start < p) afterCR_ = false;
                if (p == end) continue;
                if (*p == '\0') return ScanResult::Binary;
                if (*p == '"') {
                    state_ = State::QuoteEnd;
                } else if (header_) {
                    // The header is one line, whatever its quotes say.
                    EmitKept(sink);
                    if (!EndLine(sink, *p)) return ScanResult::Stopped;
                } else {
                    // A line end inside quotes belongs to the field.
                    if (!(afterCR_ && *p == '\n')) ++line_;
                    afterCR_ = *p == '\r';
                    Append(p, p + 1);
                }
                ++p;
                continue;
            }
            case State::QuoteEnd:
                if (c == '"') {
                    Append(p, p + 1);
                    state_ = State::Quoted;
                    ++p;
                    continue;
                }
                state_ = State::AfterQuote;
                [[fallthrough]];
            case State::AfterQuote:
                if (k == Sep || k == End || (blanks_ && k == Blank)) {
                    EmitKept(sink);
                    state_ = State::Lead;
                    if (k == End) {
                        if (!EndLine(sink, c)) return ScanResult::Stopped;
                    } else if (k == Sep) {
                        pending_ = true;
                    }
                } else if (k != Blank) {
                    Append(p, p + 1); // lenient: text after the closing quote is kept
                }
                ++p;
                continue;
            }
        }
    }
    if (source.Failed()) return ScanResult::ReadError;
    switch (state_) {
    case State::LineStart:
    case State::SkipRest:
        break;
    case State::Lead:
        if (pending_) Emit(sink, {});
        sink.EndRecord(recordLine_, header_);
        break;
    default:
        EmitKept(sink);
        sink.EndRecord(recordLine_, header_);
        break;
    }
    return ScanResult::Done;
}

} // namespace torvel
