#include "core/decimal_rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace torvel {

namespace {

// The C library rounds to the nearest with ties to even; it differs from the
// rule here only at an exact tie, and a tie needs a value with few binary
// places: those are printed exactly and rounded by hand.

std::string Printed(const char* format, int precision, Real v) {
    const int n = std::snprintf(nullptr, 0, format, precision, v);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(s.data(), s.size(), format, precision, v);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

// a has at most `bits` binary places (a * 2^bits is whole), so its decimal
// expansion has at most `bits` decimals. Beyond the range a is whole anyway.
bool FewBinaryPlaces(Real a, int bits) {
    const Real scaled = std::ldexp(a, bits);
    return scaled == std::trunc(scaled);
}

// One up in the last digit, carrying through nines (a point is skipped).
void IncrementLast(std::string& s) {
    for (std::size_t i = s.size(); i-- > 0;) {
        if (s[i] == '.') continue;
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
}

} // namespace

std::string RoundFixed(Real value, int decimals) {
    const Real a = std::fabs(value);
    decimals = std::max(decimals, 0);
    if (!FewBinaryPlaces(a, decimals + 1)) return Printed("%.*Lf", decimals, a);
    std::string s = Printed("%.*Lf", decimals + 1, a); // exact
    const bool up = s.back() >= '5';
    s.pop_back();
    if (decimals == 0) s.pop_back(); // the point
    if (up) IncrementLast(s);
    return s;
}

SignificantDigits RoundSignificant(Real value, int digits) {
    const Real a = std::fabs(value);
    digits = std::max(digits, 1);
    SignificantDigits r;
    if (a == 0) {
        r.Digits.assign(static_cast<std::size_t>(digits), '0');
        return r;
    }
    const std::string e = Printed("%.*Le", digits - 1, a); // "d.ddde+XX"
    const auto ePos = e.find('e');
    const int printedExponent = std::atoi(e.c_str() + ePos + 1);
    // The last kept digit has place 10^p; a carry in the printing may have
    // raised the exponent by one, so p is taken one lower.
    const int p = printedExponent - 1 - digits + 1;
    if (!FewBinaryPlaces(a, std::max(0, 1 - p))) {
        for (std::size_t i = 0; i < ePos; ++i)
            if (e[i] != '.') r.Digits += e[i];
        r.Exponent = printedExponent;
        return r;
    }
    const std::string f = Printed("%.*Lf", std::max(0, 1 - p), a); // exact
    const auto point = std::min(f.find('.'), f.size());
    std::string all = f.substr(0, point) + (point < f.size() ? f.substr(point + 1) : "");
    const auto first = all.find_first_not_of('0'); // a > 0: there is one
    r.Exponent = static_cast<int>(point) - 1 - static_cast<int>(first);
    all.erase(0, first);
    all.resize(static_cast<std::size_t>(digits) + 1, '0');
    const bool up = all.back() >= '5';
    all.pop_back();
    if (up) IncrementLast(all);
    if (all.size() > static_cast<std::size_t>(digits)) { // 99.5 became 100
        all.pop_back();
        ++r.Exponent;
    }
    r.Digits = all;
    return r;
}

std::string GeneralText(Real value, int digits) {
    if (!std::isfinite(value)) return value != value ? "nan" : (value < 0 ? "-inf" : "inf");
    digits = std::max(digits, 1);
    if (value == 0) return "0";
    const SignificantDigits r = RoundSignificant(value, digits);
    std::string d = r.Digits;
    const int e = r.Exponent;
    std::string text = value < 0 ? "-" : "";
    if (e < -4 || e >= digits) {
        std::string rest = d.substr(1);
        rest.erase(rest.find_last_not_of('0') + 1);
        text += d[0];
        if (!rest.empty()) text += "." + rest;
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "e%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return text + exponent;
    }
    std::string whole, fraction;
    if (e >= 0) {
        whole = d.substr(0, static_cast<std::size_t>(e) + 1);
        fraction = d.substr(static_cast<std::size_t>(e) + 1);
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-e - 1), '0') + d;
    }
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return text + whole + (fraction.empty() ? "" : "." + fraction);
}

} // namespace torvel
