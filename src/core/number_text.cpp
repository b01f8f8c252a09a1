#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

namespace torvel {

namespace {

char g_decimalSeparator = '.';

constexpr unsigned long long Pow10U64[] = {1ULL,
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

// The 80-bit value as mantissa * 2^-shift (x86 extended layout: an explicit
// 64-bit mantissa, then sign and a 15-bit biased exponent).
struct Unpacked {
    std::uint64_t Mantissa;
    int Shift;
};
Unpacked Unpack(Real a) {
    unsigned char bytes[sizeof(Real)];
    std::memcpy(bytes, &a, sizeof(Real));
    std::uint64_t m;
    std::uint16_t se;
    std::memcpy(&m, bytes, 8);
    std::memcpy(&se, bytes + 8, 2);
    return {m, 16383 + 63 - (se & 0x7fff)};
}

constexpr char TwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

int DigitCount(std::uint64_t v) {
    int n = 1;
    while (n < 20 && v >= Pow10U64[n])
        ++n;
    return n;
}

// Exactly `count` digits of v, zero-padded on the left.
void WriteDigits(char* out, std::uint64_t v, int count) {
    while (count >= 2) {
        const auto pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        out[count - 1] = TwoDigits[pair + 1];
        out[count - 2] = TwoDigits[pair];
        count -= 2;
    }
    if (count == 1) out[0] = static_cast<char>('0' + v % 10);
}

std::string ScientificText(Real value, int width) {
    int n = width - 8;
    if (n < 2) n = 2;
    if (n > 18) n = 18;
    const bool negative = value < 0;
    const Real a = negative ? -value : value;
    // Enough digits that the digit after the n-th is exact, then round half up by hand.
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*Le", n + 30, a);
    char digits[64];
    int count = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits[count++] = *p;
    int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    bool up = count > n && digits[n] >= '5';
    if (up) {
        int i = n - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1'; // 9.99..95 becomes 1.00..0 one decade up
            ++exponent;
        }
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(n) + 8);
    if (negative) out += '-';
    out += digits[0];
    out += '.';
    out.append(digits + 1, static_cast<std::size_t>(n - 1));
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    char exp[16];
    std::snprintf(exp, sizeof exp, "%04d", exponent < 0 ? -exponent : exponent);
    out += exp;
    if (width > 26 && static_cast<int>(out.size()) < width - 1)
        out.insert(0, static_cast<std::size_t>(width - 1) - out.size(), ' ');
    return out;
}

// The fixed form of a value whose magnitude lies between 2E-9 and 2E9 and
// which has a fractional part; u is its unpacked magnitude (Shift 33..92).
std::string FixedText(bool negative, Unpacked u, int width, char separator) {
    // 12 significant digits or 12 decimals, whichever keeps fewer.
    const std::uint64_t whole = u.Shift >= 64 ? 0 : u.Mantissa >> u.Shift;
    const int intDigits = whole == 0 ? 0 : DigitCount(whole);
    const int decimals = 12 - intDigits;
    // Round half up on the exact binary value.
    const unsigned __int128 product = static_cast<unsigned __int128>(u.Mantissa) *
                                      static_cast<unsigned __int128>(Pow10U64[decimals]);
    unsigned __int128 q = product >> u.Shift;
    const unsigned __int128 rest = product - (q << u.Shift);
    if (rest >= (static_cast<unsigned __int128>(1) << (u.Shift - 1))) ++q;
    const auto scaled = static_cast<std::uint64_t>(q);
    const std::uint64_t intPart = scaled / Pow10U64[decimals];
    const std::uint64_t fracPart = scaled % Pow10U64[decimals];

    char buf[48];
    char* o = buf;
    if (negative) *o++ = '-';
    const int intLen = DigitCount(intPart);
    WriteDigits(o, intPart, intLen);
    o += intLen;
    const int p = static_cast<int>(o - buf) + 1; // 1-based position of the separator
    *o++ = separator;
    WriteDigits(o, fracPart, decimals);
    o += decimals;
    for (int i = decimals; i < 12; ++i)
        *o++ = '0';
    int len = static_cast<int>(o - buf);

    if (width > p) {
        if (len > width) len = width;
    } else {
        len = p - 1;
    }
    while (len > p && buf[len - 1] == '0')
        --len;
    if (len == p) --len;
    const char* start = buf;
    if (len > 0 && buf[0] == '0') {
        ++start;
        --len;
    } else if (len >= 2 && buf[0] == '-' && buf[1] == '0') {
        buf[1] = '-';
        ++start;
        --len;
    }
    return std::string(start, static_cast<std::size_t>(len));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exact powers of ten in the extended type (5^27 still fits a 64-bit mantissa).
constexpr Real ExactPow10[] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
                               1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
                               1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// The 15 significant digits of a (1E-4 <= a < 1E18) rounded to nearest, ties
// to even, from the exact binary value; exp10 is the decimal exponent.
void FastDigits(Real a, std::uint64_t& digits, int& exp10) {
    using u128 = unsigned __int128;
    int e2 = 0;
    const Real frac = std::frexp(a, &e2); // a = m * 2^(e2 - 64)
    const auto m = static_cast<std::uint64_t>(std::ldexp(frac, 64));
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
        digits = static_cast<std::uint64_t>(q);
        exp10 = e;
        return;
    }
}

constexpr const char* EmptyMarkerText = " 1.00000000000000E+4932";

} // namespace

char DecimalSeparator() {
    return g_decimalSeparator;
}
void SetDecimalSeparator(char separator) {
    g_decimalSeparator = separator;
}

std::string NumberToText(Real value, int width) {
    return NumberToText(value, width, g_decimalSeparator);
}

std::string NumberToText(Real value, int width, char decimalSeparator) {
    if (value == 0) return "0";
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    const bool negative = value < 0;
    const Real a = negative ? -value : value;
    if (a <= 2E-9L || a >= 2E9L) return ScientificText(value, width);
    const Unpacked u = Unpack(a);
    // A whole number: no fractional bits below the binary point.
    if (u.Shift < 64 && (u.Mantissa & ((std::uint64_t{1} << u.Shift) - 1)) == 0) {
        const std::uint64_t whole = u.Mantissa >> u.Shift;
        char buf[24];
        char* o = buf;
        if (negative) *o++ = '-';
        const int n = DigitCount(whole);
        WriteDigits(o, whole, n);
        return std::string(buf, static_cast<std::size_t>(o - buf + n));
    }
    return FixedText(negative, u, width, decimalSeparator);
}

std::string CommaToPoint(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == ',') c = '.';
    return out;
}

namespace {

// TextToNumber, and with FileForm the stricter reading of a file's token: no
// leading blanks, no comma for the point, at least one mantissa digit.
template <bool FileForm> NumberRead ReadNumber(std::string_view text) {
    const int len = static_cast<int>(text.size());
    int i = 0;
    auto at = [&](int k) {
        const char c = text[static_cast<std::size_t>(k)];
        return !FileForm && c == ',' ? '.' : c;
    };
    // A failure keeps the digits before the failing character as one unsigned
    // whole number.
    auto fail = [&](int pos) {
        Real partial = 0;
        for (int k = 0; k < pos - 1 && k < len; ++k)
            if (IsDigit(at(k))) partial = partial * 10 + (at(k) - '0');
        return NumberRead{partial, pos};
    };

    if (len == 0) return fail(1);
    while (!FileForm && i < len && at(i) == ' ')
        ++i;
    bool negative = false;
    if (i < len && (at(i) == '+' || at(i) == '-')) {
        negative = at(i) == '-';
        ++i;
    }
    if (i >= len) return fail(len + 1);

    unsigned long long mantissa = 0;
    int significant = 0; // digits held in mantissa
    int dropped = 0;     // integer digits beyond what mantissa holds
    int fracDigits = 0;  // digits after the point held in mantissa
    const int mantStart = i;
    bool simple = true;
    auto digits = [&](bool afterPoint) {
        for (; i < len && IsDigit(at(i)); ++i) {
            if (significant < 19) {
                mantissa = mantissa * 10 + static_cast<unsigned>(at(i) - '0');
                if (mantissa != 0) ++significant;
                if (afterPoint) ++fracDigits;
            } else {
                simple = false;
                if (!afterPoint) ++dropped;
            }
        }
    };
    digits(false);
    if (i < len && at(i) == '.') {
        ++i;
        digits(true);
    }
    if (FileForm && (i == mantStart || (i == mantStart + 1 && at(mantStart) == '.')))
        return fail(i + 1);
    long exponent = 0;
    if (i < len && (at(i) == 'E' || at(i) == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < len && (at(i) == '+' || at(i) == '-')) {
            expNegative = at(i) == '-';
            ++i;
        }
        if (i >= len) return fail(len + 1);
        if (!IsDigit(at(i))) return fail(i + 1);
        while (i < len && IsDigit(at(i))) {
            if (exponent < 100000) exponent = exponent * 10 + (at(i) - '0');
            ++i;
        }
        if (expNegative) exponent = -exponent;
    }
    if (i < len) return fail(i + 1);

    Real value = 0;
    const long scale = exponent - fracDigits + dropped;
    if (mantissa == 0) {
        value = 0;
    } else if (simple && scale >= -27 && scale <= 27) {
        // Both operands exact: one correctly rounded operation.
        value = static_cast<Real>(mantissa);
        value = scale >= 0 ? value * ExactPow10[scale] : value / ExactPow10[-scale];
    } else {
        // Long mantissas and far exponents: let the library round correctly
        // (from_chars, unlike strtold, ignores the user's locale). The text
        // from the first mantissa digit on is in its grammar once a comma is
        // made a point.
        const char* first = text.data() + mantStart;
        const char* last = text.data() + len;
        std::string pointed;
        if (std::find(first, last, ',') != last) {
            pointed.assign(first, last);
            std::replace(pointed.begin(), pointed.end(), ',', '.');
            first = pointed.data();
            last = first + pointed.size();
        }
        const auto res = std::from_chars(first, last, value);
        if (res.ec == std::errc::result_out_of_range) {
            // The decimal order of the value tells overflow from underflow.
            if (significant + scale > 0) return fail(len);
            value = 0;
        }
    }
    if (!std::isfinite(value)) return fail(len);
    return NumberRead{negative ? -value : value, 0};
}

} // namespace

NumberRead TextToNumber(std::string_view text) {
    return ReadNumber<false>(text);
}

IntegerRead TextToInteger(std::string_view text) {
    const int len = static_cast<int>(text.size());
    int i = 0;
    long long partial = 0;
    auto fail = [&](int pos) { return IntegerRead{static_cast<std::int32_t>(partial), pos}; };
    if (len == 0) return fail(1);
    while (i < len && text[static_cast<std::size_t>(i)] == ' ')
        ++i;
    auto at = [&](int k) { return text[static_cast<std::size_t>(k)]; };
    if (i >= len) return fail(len + 1);

    bool hex = false;
    bool negative = false;
    if (at(i) == '$' || at(i) == 'x' || at(i) == 'X') {
        hex = true;
        ++i;
    } else if (at(i) == '0' && i + 1 < len && (at(i + 1) == 'x' || at(i + 1) == 'X')) {
        hex = true;
        i += 2;
    } else if (at(i) == '+' || at(i) == '-') {
        negative = at(i) == '-';
        ++i;
    }
    if (i >= len) return fail(len + 1);

    if (hex) {
        unsigned long long v = 0;
        int digits = 0;
        while (i < len) {
            const char c = at(i);
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (digits == 8) return fail(i + 1);
            v = v * 16 + static_cast<unsigned>(d);
            partial = static_cast<long long>(v);
            ++digits;
            ++i;
        }
        if (digits == 0) return fail(i + 1);
        if (i < len) return fail(i + 1);
        return IntegerRead{static_cast<std::int32_t>(static_cast<std::uint32_t>(v)), 0};
    }

    long long v = 0;
    int digits = 0;
    const long long limit = negative ? 2147483648LL : 2147483647LL;
    while (i < len && IsDigit(at(i))) {
        v = v * 10 + (at(i) - '0');
        if (v > limit) return fail(i + 1);
        partial = negative ? -v : v;
        ++digits;
        ++i;
    }
    if (digits == 0 || i < len) return fail(i + 1);
    return IntegerRead{static_cast<std::int32_t>(negative ? -v : v), 0};
}

void FileNumberText(Real value, char* out) {
    if (value == EmptyValue || std::isnan(value) || value == HUGE_VALL) {
        std::memcpy(out, EmptyMarkerText, 23);
        return;
    }
    if (value == -HUGE_VALL) value = -EmptyValue;
    const bool negative = value < 0;
    const Real a = negative ? -value : value;
    char digits[16];
    int exp10 = 0;
    if (a == 0) {
        std::memset(digits, '0', 15);
    } else if (a >= 1e-4L && a < 1e18L) {
        std::uint64_t q = 0;
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
    const NumberRead read = ReadNumber<true>(token);
    if (!read.Ok()) return false;
    value = read.Value;
    return true;
}

} // namespace torvel
