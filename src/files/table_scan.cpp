#include "files/table_scan.h"

#include "core/number_text.h"
#include "files/utf8_bom.h"

#include <algorithm>
#include <cctype>

namespace torvel {

TableScanner::TableScanner(const TableFormat& format)
    : format_(format), blanks_(format.Separator == BlankSeparator) {
    class_.fill(Plain);
    for (char c : {' ', '\t', '\v', '\f'})
        class_[static_cast<unsigned char>(c)] = Blank;
    if (!blanks_) class_[static_cast<unsigned char>(format.Separator)] = Sep;
    class_['\n'] = End;
    class_['\r'] = End;
    class_['"'] = Quote;
    class_[0] = Nul;
}

bool ReadTableNumber(std::string_view field, char decimal, Real& value) {
    if (decimal != ',') return ParseFileNumber(field, value);
    if (field.size() > MaxTableField) return false;
    char pointed[MaxTableField];
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '.') return false;
        pointed[i] = c == ',' ? '.' : c;
    }
    return ParseFileNumber(std::string_view(pointed, field.size()), value);
}

bool AcceptableSeparator(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7F && !std::isdigit(u) &&
           std::string_view("\".+-eE").find(c) == std::string_view::npos;
}

namespace {

// Length of the valid UTF-8 sequence at the start of s; 0 when it is not one,
// -1 when s ends inside one.
int Utf8SequenceLength(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    int n;
    std::uint32_t min;
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    std::uint32_t code = b0 & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if (static_cast<std::size_t>(i) >= s.size()) return -1;
        const auto b = static_cast<unsigned char>(s[static_cast<std::size_t>(i)]);
        if ((b & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

} // namespace

std::size_t ByteOrderMarkLength(std::string_view head) {
    if (head.starts_with(Utf8Bom)) return Utf8Bom.size();
    return head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF") ? 2 : 0;
}

TextEncoding DetectEncoding(std::string_view head, bool whole, std::size_t& bomLength) {
    bomLength = ByteOrderMarkLength(head);
    if (bomLength == 3) return TextEncoding::Utf8;
    if (bomLength == 2) return head[0] == '\xFF' ? TextEncoding::Utf16LE : TextEncoding::Utf16BE;
    for (std::size_t i = 0; i < head.size();) {
        if (static_cast<unsigned char>(head[i]) < 0x80) {
            ++i;
            continue;
        }
        const int n = Utf8SequenceLength(head.substr(i));
        if (n == 0) return TextEncoding::Latin1;
        if (n < 0) return whole ? TextEncoding::Latin1 : TextEncoding::Utf8;
        i += static_cast<std::size_t>(n);
    }
    return TextEncoding::Utf8;
}

void Utf8Decoder::Put(std::uint32_t code) {
    if (code < 0x80) {
        out_ += static_cast<char>(code);
    } else if (code < 0x800) {
        out_ += static_cast<char>(0xC0 | (code >> 6));
        out_ += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out_ += static_cast<char>(0xE0 | (code >> 12));
        out_ += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out_ += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out_ += static_cast<char>(0xF0 | (code >> 18));
        out_ += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out_ += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out_ += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string_view Utf8Decoder::Decode(std::string_view in, bool last) {
    constexpr std::uint32_t Replacement = 0xFFFD;
    switch (encoding_) {
    case TextEncoding::Utf8:
        return in;
    case TextEncoding::Latin1:
        if (std::none_of(in.begin(), in.end(), [](char c) { return c & 0x80; })) return in;
        out_.clear();
        for (char c : in)
            Put(static_cast<unsigned char>(c));
        return out_;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        break;
    }
    out_.clear();
    const bool little = encoding_ == TextEncoding::Utf16LE;
    auto unit = [little](unsigned char a, unsigned char b) {
        return static_cast<std::uint32_t>(little ? a | (b << 8) : (a << 8) | b);
    };
    auto take = [&](std::uint32_t u) {
        if (highSurrogate_ != 0) {
            const std::uint32_t high = highSurrogate_;
            highSurrogate_ = 0;
            if (u >= 0xDC00 && u <= 0xDFFF) {
                Put(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
                return;
            }
            Put(Replacement);
        }
        if (u >= 0xD800 && u <= 0xDBFF)
            highSurrogate_ = u;
        else if (u >= 0xDC00 && u <= 0xDFFF)
            Put(Replacement);
        else
            Put(u);
    };
    std::size_t i = 0;
    if (!carry_.empty() && !in.empty()) {
        take(unit(static_cast<unsigned char>(carry_[0]), static_cast<unsigned char>(in[0])));
        carry_.clear();
        i = 1;
    }
    for (; i + 1 < in.size(); i += 2)
        take(unit(static_cast<unsigned char>(in[i]), static_cast<unsigned char>(in[i + 1])));
    if (i < in.size()) carry_.assign(1, in[i]);
    if (last) {
        if (highSurrogate_ != 0 || !carry_.empty()) Put(Replacement);
        highSurrogate_ = 0;
        carry_.clear();
    }
    return out_;
}

} // namespace torvel
