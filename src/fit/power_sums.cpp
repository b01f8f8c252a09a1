#include "fit/power_sums.h"

#include "core/parallel.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Error-free transformations: the build compiles this file with
// -ffp-contract=off, since a fused multiply-add would silently change them.

namespace torvel {

namespace {

// Two lanes of doubles: rows i and i + 1 side by side.
using Lane = double __attribute__((vector_size(16)));

// A double-double per lane: the value is Hi + Lo, |Lo| at most half an ulp of Hi.
struct Pair {
    Lane Hi{}, Lo{};
};

// Veltkamp's split of a into two halves of 26 bits: their products are exact.
inline void Split(Lane a, Lane& hi, Lane& lo) {
    const Lane splitter = {134217729.0, 134217729.0}; // 2^27 + 1
    const Lane c = splitter * a;
    hi = c - (c - a);
    lo = a - hi;
}

// a * b exactly (Dekker).
inline Pair TwoProduct(Lane a, Lane b) {
    Lane ah, al, bh, bl;
    Split(a, ah, al);
    Split(b, bh, bl);
    const Lane p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// a * b to about 104 bits. The result is not renormalised: Lo stays within a
// few ulps of Hi, which is all that Add and the next product need.
inline Pair Mul(const Pair& a, const Pair& b) {
    Pair p = TwoProduct(a.Hi, b.Hi);
    p.Lo += a.Hi * b.Lo + a.Lo * b.Hi;
    return p;
}

// s += t: the rounding of the high parts is kept exactly (Knuth's two-sum),
// the low parts are summed plainly; a block of rows is short enough for that.
inline void Add(Pair& s, const Pair& t) {
    const Lane sum = s.Hi + t.Hi;
    const Lane b = sum - s.Hi;
    const Lane error = (s.Hi - (sum - b)) + (t.Hi - b);
    s.Hi = sum;
    s.Lo += error + t.Lo;
}

// Accumulator order: sums of u^1..u^10, then w, w^2, then u^1..u^5 times w.
constexpr std::size_t SumW = 10, SumW2 = 11, SumUW = 12, SumCount = 17;
using Totals = std::array<Quad, SumCount>;

// The rows are summed in blocks: a block's double-double sums are added into
// 128-bit totals, so the plain sums of low parts stay short.
constexpr std::size_t BlockRows = 1024;

struct Transform {
    bool LogU, LogV;
    Real V0;
    Real ScaleU, ScaleW; // powers of two: the scaled |u| and |w| stay below 1
    Real U(Real x) const { return LogU ? std::log(x) : x; }
    Real W(Real y) const { return (LogV ? std::log(y) : y) - V0; }
};

// One block's values, scaled and split into pairs of doubles (exact: 53 + 11
// bits hold the 64 of the extended type).
struct BlockValues {
    std::array<double, BlockRows> UHi, ULo, WHi, WLo;
};

// Loads the rows block by block and calls sum(count) for each block.
template <class Sum>
void ForEachBlock(const FitRows& rows, const Transform& t, BlockValues& b, Sum sum) {
    std::size_t i = 0;
    auto done = [&] {
        // An odd block ends with a row of zeros, which adds nothing to any sum.
        if (i % 2 != 0) b.UHi[i] = b.ULo[i] = b.WHi[i] = b.WLo[i] = 0;
        sum(i);
        i = 0;
    };
    rows.ForEach([&](Real x, Real y) {
        const Real u = t.U(x) * t.ScaleU, w = t.W(y) * t.ScaleW;
        b.UHi[i] = static_cast<double>(u);
        b.ULo[i] = static_cast<double>(u - b.UHi[i]);
        b.WHi[i] = static_cast<double>(w);
        b.WLo[i] = static_cast<double>(w - b.WHi[i]);
        if (++i == BlockRows) done();
    });
    if (i > 0) done();
}

// Scaled values far below 1 (2^-1000 and less) would leave the doubles' normal
// range in the powers and products; next to the largest values their terms
// are far below the sums' last digit.
void SumPairs(const FitRows& rows, const Transform& t, Totals& totals) {
    BlockValues b;
    ForEachBlock(rows, t, b, [&](std::size_t count) {
        std::array<Pair, SumCount> acc{};
        for (std::size_t i = 0; i < count; i += 2) {
            const Pair u{{b.UHi[i], b.UHi[i + 1]}, {b.ULo[i], b.ULo[i + 1]}};
            const Pair w{{b.WHi[i], b.WHi[i + 1]}, {b.WLo[i], b.WLo[i + 1]}};
            Pair p = u;
#pragma GCC unroll 10
            for (std::size_t k = 0; k < 10; ++k) {
                Add(acc[k], p);
                if (k < 5) Add(acc[SumUW + k], Mul(p, w));
                if (k < 9) p = Mul(p, u);
            }
            Add(acc[SumW], w);
            Add(acc[SumW2], Mul(w, w));
        }
        for (std::size_t k = 0; k < SumCount; ++k) {
            const Pair& a = acc[k];
            totals[k] += (static_cast<Quad>(a.Hi[0]) + static_cast<Quad>(a.Hi[1])) +
                         (static_cast<Quad>(a.Lo[0]) + static_cast<Quad>(a.Lo[1]));
        }
    });
}

// total * 2^e; a zero total stays 0 even when 2^e is beyond the range.
Quad Scaled(Quad total, int e) {
    return total == 0 ? 0 : total * Pow2(e);
}

// The exponent e of 2^e > |x| >= 2^(e-1); 0 for 0 and for what is not finite.
int BinaryExponent(Real x) {
    if (!std::isfinite(x) || x == 0) return 0;
    int e = 0;
    std::frexp(x, &e);
    return e;
}

// The scaled variables of some rows: w shifted by a middle row's v, u and w
// scaled by powers of two to below 1 (exponents in eu, ew).
Transform ScaledTransform(const FitRows& rows, bool logU, bool logV, const DataBounds& bounds,
                          int& eu, int& ew) {
    Transform t{logU, logV, 0, 1, 1};
    auto u = [&](Real x) { return logU ? std::log(x) : x; };
    auto v = [&](Real y) { return logV ? std::log(y) : y; };
    // A middle row's v: for data rising or falling with X it lies near the mean.
    t.V0 = v(rows.MiddleY());
    const Real maxU = std::max(std::fabs(u(bounds.MinX)), std::fabs(u(bounds.MaxX)));
    const Real maxW = std::max(std::fabs(v(bounds.MinY) - t.V0), std::fabs(v(bounds.MaxY) - t.V0));
    eu = BinaryExponent(maxU);
    ew = BinaryExponent(maxW);
    t.ScaleU = std::ldexp(1.0L, -eu);
    t.ScaleW = std::ldexp(1.0L, -ew);
    return t;
}

// a + b with the rounding of the high parts kept and the result normalised,
// so that a long Horner chain does not drift.
inline Pair Sum(const Pair& a, const Pair& b) {
    Pair s = a;
    Add(s, b);
    const Lane hi = s.Hi + s.Lo;
    return {hi, s.Lo - (hi - s.Hi)};
}

} // namespace

DataBounds BoundsOf(const FitRows& rows) {
    // As one pass would have it: the first row's values start each bound and
    // a bound that starts as not a number stays so; later values that are
    // not numbers change nothing. So each part of the rows, measured on its
    // own processor, keeps its first values and the extremes of its numbers.
    struct Part {
        bool Any = false;
        Real First[2] = {0, 0};
        bool Have[2] = {false, false};
        Real Low[2] = {0, 0}, High[2] = {0, 0};
    };
    const std::size_t n = rows.StoreRows(), parts = PartsFor(n, 1 << 18);
    std::vector<Part> got(parts);
    EachPart(parts, [&](std::size_t p) {
        Part& part = got[p];
        rows.ForEachInRows(n * p / parts, n * (p + 1) / parts, [&](Real x, Real y) {
            const Real v[2] = {x, y};
            if (!part.Any) {
                part.Any = true;
                part.First[0] = x;
                part.First[1] = y;
            }
            for (int c = 0; c < 2; ++c) {
                if (std::isnan(v[c])) continue;
                if (!part.Have[c] || v[c] < part.Low[c]) part.Low[c] = v[c];
                if (!part.Have[c] || v[c] > part.High[c]) part.High[c] = v[c];
                part.Have[c] = true;
            }
        });
    });
    DataBounds b;
    const auto first = std::find_if(got.begin(), got.end(), [](const Part& p) { return p.Any; });
    if (first == got.end()) return b;
    Real low[2], high[2];
    for (int c = 0; c < 2; ++c) {
        low[c] = high[c] = first->First[c];
        if (std::isnan(first->First[c])) continue;
        for (const Part& part : got)
            if (part.Have[c]) {
                low[c] = std::min(low[c], part.Low[c]);
                high[c] = std::max(high[c], part.High[c]);
            }
    }
    b.MinX = low[0];
    b.MaxX = high[0];
    b.MinY = low[1];
    b.MaxY = high[1];
    return b;
}

PowerSums SumPowers(const FitRows& rows, bool logU, bool logV, const DataBounds& bounds) {
    PowerSums sums;
    sums.U[0] = static_cast<Quad>(rows.size());
    sums.AllVEqual = bounds.MinY == bounds.MaxY;
    if (rows.empty()) return sums;

    int scaleU = 0, scaleW = 0;
    const Transform t = ScaledTransform(rows, logU, logV, bounds, scaleU, scaleW);
    Totals totals{};
    SumPairs(rows, t, totals);

    sums.V0 = t.V0;
    for (int k = 1; k <= 10; ++k)
        sums.U[static_cast<std::size_t>(k)] =
            Scaled(totals[static_cast<std::size_t>(k - 1)], k * scaleU);
    sums.UW[0] = Scaled(totals[SumW], scaleW);
    for (int k = 1; k <= 5; ++k)
        sums.UW[static_cast<std::size_t>(k)] =
            Scaled(totals[SumUW + static_cast<std::size_t>(k - 1)], k * scaleU + scaleW);
    sums.W2 = Scaled(totals[SumW2], 2 * scaleW);
    return sums;
}

Quad SumSquaredResiduals(const FitRows& rows, bool logU, bool logV, const DataBounds& bounds,
                         const std::array<Quad, 6>& c, int degree) {
    if (rows.empty()) return 0;
    int eu = 0, ew = 0;
    const Transform t = ScaledTransform(rows, logU, logV, bounds, eu, ew);
    // The coefficients of the scaled variables, each as a pair of doubles.
    std::array<Pair, 6> coef{};
    for (int k = 0; k <= degree; ++k) {
        const Quad q = c[static_cast<std::size_t>(k)] * Pow2(k * eu - ew);
        const auto hi = static_cast<double>(q);
        const auto lo = static_cast<double>(q - hi);
        if (!std::isfinite(hi) || !std::isfinite(lo)) return q - q; // not a number
        coef[static_cast<std::size_t>(k)] = {Lane{hi, hi}, Lane{lo, lo}};
    }
    Quad total = 0;
    BlockValues b;
    ForEachBlock(rows, t, b, [&](std::size_t count) {
        Pair acc{};
        for (std::size_t i = 0; i < count; i += 2) {
            const Pair u{{b.UHi[i], b.UHi[i + 1]}, {b.ULo[i], b.ULo[i + 1]}};
            const Pair w{{b.WHi[i], b.WHi[i + 1]}, {b.WLo[i], b.WLo[i + 1]}};
            Pair p = coef[static_cast<std::size_t>(degree)];
            for (int k = degree - 1; k >= 0; --k)
                p = Sum(Mul(p, u), coef[static_cast<std::size_t>(k)]);
            Pair r = Sum(w, {-p.Hi, -p.Lo});
            // The zero row that ends an odd block has no residual.
            if (i + 1 == count) r.Hi[1] = r.Lo[1] = 0;
            Add(acc, Mul(r, r));
        }
        total += (static_cast<Quad>(acc.Hi[0]) + static_cast<Quad>(acc.Hi[1])) +
                 (static_cast<Quad>(acc.Lo[0]) + static_cast<Quad>(acc.Lo[1]));
    });
    return Scaled(total, 2 * ew);
}

} // namespace torvel
