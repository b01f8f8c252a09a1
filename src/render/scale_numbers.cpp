#include "render/scale_numbers.h"

#include "core/decimal_rounding.h"
#include "core/number_text.h"
#include "render/draw_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace torvel {

std::string TrimExponent(const std::string& s) {
    const std::size_t n = s.size();
    if (n < 6) return s;
    // s[k] with k counted from 1 as the rules count it.
    auto at = [&](std::size_t k) { return s[k - 1]; };
    if (at(n - 3) != '0') return s;
    if (at(n - 2) != '0') return s.substr(0, n - 4) + s.substr(n - 3);
    if (at(n - 1) != '0') return s.substr(0, n - 4) + s.substr(n - 2);
    if (at(n) != '0') return s.substr(0, n - 4) + s.substr(n - 1);
    return s.substr(0, n - 6);
}

std::string LogNumberText(int e, NumberAxis axis, bool exponential) {
    if (!exponential) return NumberToText(Power(e, 10), 14);
    if (e == 0) return "1";
    const bool spaced = axis != NumberAxis::Left;
    if (e > 0) return (spaced ? "1E+ " : "1E+") + std::to_string(e);
    return (spaced ? "1E " : "1E") + std::to_string(e);
}

std::string FixedNumberText(Real v, int decimals) {
    decimals = std::clamp(decimals, 0, 60);
    if (!std::isfinite(v)) return v != v ? "NAN" : (v < 0 ? "-INF" : "INF");
    std::string s = RoundFixed(v, decimals);
    // A value that rounds to zero is shown without a minus sign.
    if (v < 0 && s.find_first_of("123456789") != std::string::npos) s.insert(0, 1, '-');
    const char sep = DecimalSeparator();
    if (sep != '.')
        if (auto p = s.find('.'); p != std::string::npos) s[p] = sep;
    return s;
}

std::string ExponentNumberText(Real v) {
    if (!std::isfinite(v)) return v != v ? " NAN" : (v < 0 ? "-INF" : " INF");
    const SignificantDigits r = RoundSignificant(v, 2);
    char expText[16];
    std::snprintf(expText, sizeof expText, "%c%04d", r.Exponent < 0 ? '-' : '+',
                  std::abs(r.Exponent));
    const std::string s = std::string(v < 0 ? "-" : " ") + r.Digits[0] + DecimalSeparator() +
                          r.Digits[1] + "E" + expText;
    return TrimExponent(s);
}

int TruncLog10(Real x) {
    const Real l = Log10(x);
    if (!std::isfinite(l)) return l > 0 ? 5000 : -5000;
    const Real r = std::round(l);
    const Real t = std::fabs(l - r) < 1e-10L ? r : std::trunc(l);
    return static_cast<int>(std::clamp<Real>(t, -5000, 5000));
}

namespace {

Real Magnitude(Real v) {
    const Real a = std::fabs(v);
    return a == 0 ? 1 : a;
}

// The width test of one limit on the X axis; true when it applied.
bool XWidthTest(int k, int ticks, int& decimals, bool& exponent) {
    const long long need = (static_cast<long long>(decimals) + 2 + k) * ticks;
    if (need <= 80) return false;
    const int d = 80 / ticks - (k + 2);
    if (d >= 0)
        decimals = d;
    else
        exponent = true;
    return true;
}

void YWidthTest(int k, int& decimals, bool& exponent) {
    if (static_cast<long long>(decimals) + k > 9) {
        const int d = 9 - k;
        if (d >= 0)
            decimals = d;
        else
            exponent = true;
    }
}

} // namespace

bool ChooseXNumberForm(Real xMax, Real xMin, int ticks, int& decimals) {
    const Real A = Magnitude(xMax), B = Magnitude(xMin);
    bool exponent = false;
    if (XWidthTest(TruncLog10(A), ticks, decimals, exponent)) return exponent;
    if (XWidthTest(TruncLog10(B), ticks, decimals, exponent)) return exponent;
    return A > 1e9L || B > 1e9L || A < 1e-9L || B < 1e-9L;
}

bool ChooseYNumberForm(Real yMax, Real yMin, int& decimals) {
    const Real A = Magnitude(yMax), B = Magnitude(yMin);
    bool exponent = false;
    YWidthTest(TruncLog10(A), decimals, exponent);
    YWidthTest(TruncLog10(B), decimals, exponent);
    if (A > 1e10L || B > 1e10L || A < 1e-10L || B < 1e-10L) exponent = true;
    return exponent;
}

} // namespace torvel
