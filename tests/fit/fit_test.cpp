#include "fit/fit.h"

#include "core/fit_value.h"
#include "core/grid_store.h"
#include "core/number_text.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

class FitTest : public testing::Test {
  protected:
    // Cells that read back as exactly these values.
    Series& AddPoints(const std::vector<std::pair<Real, Real>>& points) {
        Cells cells;
        for (const auto& [x, y] : points)
            cells.push_back({FullText(x), FullText(y)});
        return AddSeries(doc, cells);
    }
    static std::string FullText(Real v) {
        char text[40];
        std::snprintf(text, sizeof text, "%.21Lg", v);
        return text;
    }
    void Fit(Series& s, int kind) {
        s.Fit.FitKind = kind;
        ComputeFit(doc, s.Fit, fb);
    }
    Document doc;
    RecordingFeedback fb;
};

TEST_F(FitTest, StraightLineThroughThreePoints) {
    Series& s = AddSeries(doc, "1:3 2:5 3:7");
    s.SetHeader(YFitColumn, "   % Error YFit");
    Fit(s, 1);
    EXPECT_TRUE(s.Fit.FitOK);
    EXPECT_TRUE(s.HasFit);
    EXPECT_EQ(s.Fit.Coef, (std::array<Real, 8>{0, 1, 2, 0, 0, 0, 0, 1}));
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(Column(s, YFitColumn), "3|5|7");
    EXPECT_EQ(s.Header(YFitColumn), "          Y1 Fit");
    // Every sum is accumulated for every kind, in its documented place.
    const auto& S = s.Fit.Sums;
    EXPECT_EQ(S[0], 6);                // sum u
    EXPECT_EQ(S[1], 14);               // sum u^2
    EXPECT_EQ(S[2], 36);               // sum u^3
    EXPECT_EQ(S[9], 1 + 1024 + 59049); // sum u^10
    EXPECT_EQ(S[SumV], 15);
    EXPECT_EQ(S[SumV2], 83);
    EXPECT_EQ(S[SumUV], 34);
    EXPECT_EQ(S[SumUV + 1], 3 + 20 + 63);    // sum u^2 v
    EXPECT_EQ(S[SumUV + 4], 3 + 160 + 1701); // sum u^5 v
    EXPECT_EQ(S[SumN], 3);
    EXPECT_EQ(S[SumDeterm], 6);
}

TEST_F(FitTest, AllYEqualGivesRSquaredOneWithABeep) {
    Series& s = AddSeries(doc, "1:2 2:2 3:2");
    Fit(s, 1);
    EXPECT_TRUE(s.Fit.FitOK);
    EXPECT_TRUE(s.HasFit);
    EXPECT_EQ(s.Fit.Coef[1], 2);
    EXPECT_EQ(s.Fit.Coef[2], 0);
    EXPECT_EQ(s.Fit.Coef[7], 1);
    EXPECT_EQ(fb.BeepReasons, std::vector<std::string>{"All fitted values are equal: R^2 is 1."});
}

// Two rows with one X, or a cubic over three distinct X (enough rows is checked
// first): beep, FitOK clear, zero coefficients, the fitted column shows 0.
TEST_F(FitTest, SingularSystemGivesZeroCoefficients) {
    for (const auto& [rows, kind] : {std::pair{"4:1 4:9", 1}, {"1:1 1:2 2:3 2:5", 3}}) {
        SCOPED_TRACE(rows);
        Document d;
        RecordingFeedback f;
        Series& s = AddSeries(d, rows);
        s.Fit.Coef.fill(9);
        s.Fit.FitKind = kind;
        const std::string x = Column(s, XColumn), y = Column(s, YColumn);
        ComputeFit(d, s.Fit, f);
        EXPECT_EQ(Column(s, XColumn), x) << "a refused fit leaves the rows where they were";
        EXPECT_EQ(Column(s, YColumn), y);
        EXPECT_FALSE(s.Fit.FitOK);
        EXPECT_TRUE(s.HasFit);
        EXPECT_EQ(f.BeepReasons, std::vector<std::string>{"The fit's equations are singular "
                                                          "(determinant 0): too few different X."});
        EXPECT_EQ(s.Fit.Coef, (std::array<Real, 8>{9, 0, 0, 0, 0, 0, 0, 0}));
        for (int row = 1; row <= s.IndexCount; ++row)
            EXPECT_EQ(s.Cell(YFitColumn, row), "0");
    }
}

// Each refusal beeps once with its reason, clears FitOK and HasFit and keeps
// the previous coefficients and the fitted column as they were.
TEST_F(FitTest, RefusalsKeepThePreviousFit) {
    const char* const beyond = "The values are beyond the range of the fit's arithmetic.";
    const std::tuple<const char*, int, const char*, const char*> refusals[] = {
        {"power with X 0", 6, "2:3 0:1 1:2 :5", "The power fit needs every X and every Y above 0."},
        {"power with Y negative", 6, "1:-1 2:2 3:3",
         "The power fit needs every X and every Y above 0."},
        {"exponential with Y 0", 7, "1:0 2:2 3:3", "The exponential fit needs every Y above 0."},
        {"log with X negative", 8, "-1:1 2:2 3:3", "The natural log fit needs every X above 0."},
        {"quadratic with two rows", 2,
         "1:1 2:4 3:", "A polynomial of degree 2 needs more than 2 rows with both X and Y."},
        {"quintic with five rows", 5, "1:1 2:4 3:9 4:1 5:2",
         "A polynomial of degree 5 needs more than 5 rows with both X and Y."},
        {"line with one row", 1, "1:1 :4", "The fit needs at least 2 rows with both X and Y."},
        {"exponential with one row", 7,
         "1:1 2:", "The fit needs at least 2 rows with both X and Y."},
        {"no rows at all", 8, ": :", "The fit needs at least 2 rows with both X and Y."},
        // Arithmetic beyond the extended range: no fit rather than one of
        // infinite or undefined coefficients.
        {"quadratic sums overflow", 2, "1e1000:1 2e1000:2 3e1000:4", beyond},
        {"line sums overflow", 1, "1e3000:1 2e3000:2", beyond},
        {"exponential constant overflows", 7, "10:1e4900 11:1e4800", beyond},
    };
    for (const auto& [name, kind, rows, reason] : refusals) {
        SCOPED_TRACE(name);
        Document d;
        RecordingFeedback f;
        Series& s = AddSeries(d, rows);
        s.Fit.Coef = {0, 11, 22, 33, 44, 55, 66, 0.5L};
        s.HasFit = true;
        for (int row = 1; row <= s.IndexCount; ++row)
            s.SetCell(YFitColumn, row, "42");
        s.Fit.FitKind = kind;
        const std::string x = Column(s, XColumn), y = Column(s, YColumn);
        ComputeFit(d, s.Fit, f);
        EXPECT_EQ(Column(s, XColumn), x) << "a refused fit leaves the rows where they were";
        EXPECT_EQ(Column(s, YColumn), y);
        EXPECT_FALSE(s.Fit.FitOK);
        EXPECT_FALSE(s.HasFit);
        EXPECT_EQ(f.Beeps, 1);
        EXPECT_EQ(f.BeepReasons, std::vector<std::string>{reason});
        EXPECT_EQ(s.Fit.Coef, (std::array<Real, 8>{0, 11, 22, 33, 44, 55, 66, 0.5L}));
        for (int row = 1; row <= s.IndexCount; ++row)
            EXPECT_EQ(s.Cell(YFitColumn, row), "42");
    }
}

TEST_F(FitTest, ExponentialThroughPowersOfE) {
    Series& s = AddPoints({{0, 1}, {1, std::exp(1.0L)}, {2, std::exp(2.0L)}});
    Fit(s, 7);
    EXPECT_TRUE(s.Fit.FitOK);
    EXPECT_NEAR(s.Fit.Coef[1], 1, 1e-17);
    EXPECT_NEAR(s.Fit.Coef[2], 1, 1e-17);
    EXPECT_NEAR(s.Fit.Coef[7], 1, 1e-17);
}

TEST_F(FitTest, PowerAndLogarithmicCurves) {
    std::vector<std::pair<Real, Real>> power, logarithmic;
    for (int i = 1; i <= 6; ++i) {
        const Real x = i * 0.75L;
        power.push_back({x, 3 * std::pow(x, 1.5L)});
        logarithmic.push_back({x, 2 - 4 * std::log(x)});
    }
    Series& p = AddPoints(power);
    Fit(p, 6);
    EXPECT_NEAR(p.Fit.Coef[1], 3, 1e-16);
    EXPECT_NEAR(p.Fit.Coef[2], 1.5L, 1e-16);
    EXPECT_NEAR(p.Fit.Coef[7], 1, 1e-16);
    Series& l = AddPoints(logarithmic);
    Fit(l, 8);
    EXPECT_NEAR(l.Fit.Coef[1], 2, 1e-16);
    EXPECT_NEAR(l.Fit.Coef[2], -4, 1e-16);
    EXPECT_EQ(fb.Beeps, 0);
}

// Correct significant digits of got against a nonzero exact value.
double CorrectDigits(Real got, Real exact) {
    const Real error = std::fabs(got - exact) / std::fabs(exact);
    return error == 0 ? 99 : -static_cast<double>(std::log10(error));
}

// Exact integer polynomials, with Y written exactly or scaled by 1e-6 (the
// data then hold Y rounded to the extended type; the least-squares answer of
// those rounded values differs from the scaled coefficients by less than
// 2e-14 relative, worked out with rational arithmetic for these cases).
TEST_F(FitTest, ExactPolynomialsGiveEveryDigit) {
    struct Reference {
        int XFrom, XTo;
        std::vector<long long> Coef; // constant term first; degree = size - 1
    };
    const Reference references[] = {
        {0, 20, {3, -2}},           {0, 20, {7, -3, 2}},           {0, 20, {-4, 7, -1, 3}},
        {0, 20, {5, -3, 2, -1, 1}}, {0, 20, {3, -2, 5, 1, -7, 2}}, {1, 100, {7, -3, 2, 1}},
    };
    for (const auto& [from, to, coef] : references) {
        for (const bool scaled : {false, true}) {
            const int degree = static_cast<int>(coef.size()) - 1;
            SCOPED_TRACE("degree " + std::to_string(degree) + " on " + std::to_string(from) + ".." +
                         std::to_string(to) + (scaled ? ", Y * 1e-6" : ""));
            Cells cells;
            for (long long x = from; x <= to; ++x) {
                long long y = 0;
                for (auto c = coef.rbegin(); c != coef.rend(); ++c)
                    y = y * x + *c;
                cells.push_back({std::to_string(x), std::to_string(y) + (scaled ? "e-6" : "")});
            }
            Document d;
            RecordingFeedback f;
            Series& s = AddSeries(d, cells);
            s.Fit.FitKind = degree;
            ComputeFit(d, s.Fit, f);
            ASSERT_TRUE(s.Fit.FitOK);
            for (int k = 0; k <= degree; ++k) {
                const Real exact =
                    static_cast<Real>(coef[static_cast<std::size_t>(k)]) / (scaled ? 1e6L : 1.0L);
                EXPECT_GE(CorrectDigits(s.Fit.Coef[static_cast<std::size_t>(k + 1)], exact), 13)
                    << "coefficient " << k << ": " << s.Fit.Coef[static_cast<std::size_t>(k + 1)];
            }
            for (int k = degree + 1; k <= 5; ++k)
                EXPECT_EQ(s.Fit.Coef[static_cast<std::size_t>(k + 1)], 0);
            EXPECT_GE(CorrectDigits(s.Fit.Coef[7], 1), 12) << s.Fit.Coef[7];
            EXPECT_LE(s.Fit.Coef[7], 1);
            EXPECT_EQ(f.Beeps, 0);
        }
    }
}

// Y = 3 + 2X + e/8 on X = 0..20 with e = (37 i mod 23) - 11: every value is
// exact in binary, so the answer follows exactly from integer sums of 8Y.
TEST_F(FitTest, NoisyLineMatchesItsExactSolution) {
    Cells cells;
    __int128 n = 0, sx = 0, sxx = 0, sy = 0, sxy = 0, syy = 0;
    for (int x = 0; x <= 20; ++x) {
        const int y8 = 24 + 16 * x + (37 * x) % 23 - 11;
        cells.push_back({std::to_string(x), FullText(y8 / 8.0L)});
        ++n;
        sx += x;
        sxx += x * x;
        sy += y8;
        sxy += x * y8;
        syy += static_cast<__int128>(y8) * y8;
    }
    const __int128 d = n * sxx - sx * sx;
    const __int128 slope = n * sxy - sx * sy; // times 8 d
    const Real a = static_cast<Real>(sy * sxx - sx * sxy) / static_cast<Real>(8 * d);
    const Real b = static_cast<Real>(slope) / static_cast<Real>(8 * d);
    const Real r2 = static_cast<Real>(slope * slope) / static_cast<Real>(d * (n * syy - sy * sy));

    Series& s = AddSeries(doc, cells);
    Fit(s, 1);
    ASSERT_TRUE(s.Fit.FitOK);
    EXPECT_GE(CorrectDigits(s.Fit.Coef[1], a), 17) << s.Fit.Coef[1] << " " << a;
    EXPECT_GE(CorrectDigits(s.Fit.Coef[2], b), 17) << s.Fit.Coef[2] << " " << b;
    EXPECT_GE(CorrectDigits(s.Fit.Coef[7], r2), 17) << s.Fit.Coef[7] << " " << r2;
}

// Values that agree in their first 11 or more digits: the sums of squares
// cancel almost completely, yet R^2 stays within [0, 1] and matches the
// exact value of the stored values (worked out from their differences in
// units of the last place, all values lying in [1, 2)).
TEST_F(FitTest, RSquaredOfNearlyEqualValuesStaysExact) {
    const std::vector<std::vector<const char*>> cases = {
        {"1.00000000001", "1.00000000003", "1.00000000002"},
        {"1.000000000000000001", "1.000000000000000003", "1.000000000000000002",
         "1.000000000000000007"},
        {"1.5", "1.5000000000000000001", "1.4999999999999999999", "1.5"},
    };
    for (const auto& ys : cases) {
        SCOPED_TRACE(ys[0]);
        Cells cells;
        for (std::size_t i = 0; i < ys.size(); ++i)
            cells.push_back({std::to_string(i + 1), ys[i]});
        Document d;
        RecordingFeedback f;
        Series& s = AddSeries(d, cells);
        s.Fit.FitKind = 1;
        ComputeFit(d, s.Fit, f);
        ASSERT_TRUE(s.Fit.FitOK);
        __int128 n = 0, sx = 0, sxx = 0, sy = 0, sxy = 0, syy = 0;
        for (int i = 0; i < s.ValidCount; ++i) {
            const Tdata& r = s.Store().Row(static_cast<std::size_t>(i));
            const auto x = static_cast<__int128>(r.X);
            // In units of the last place from the first value: exact and small.
            const auto y = static_cast<__int128>(std::ldexp(r.Y - s.Store().Row(0).Y, 63));
            ++n;
            sx += x;
            sxx += x * x;
            sy += y;
            sxy += x * y;
            syy += y * y;
        }
        const __int128 slope = n * sxy - sx * sy;
        const Real r2 = static_cast<Real>(slope * slope) / (static_cast<Real>(n * sxx - sx * sx) *
                                                            static_cast<Real>(n * syy - sy * sy));
        EXPECT_GE(s.Fit.Coef[7], 0);
        EXPECT_LE(s.Fit.Coef[7], 1);
        EXPECT_NEAR(s.Fit.Coef[7], r2, 1e-12L);
    }
}

// The exact normal-equation solution in integers: Cramer's rule on the
// 3 x 3 system with __int128 determinants.
__int128 Det3(const __int128 m[9]) {
    return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
           m[2] * (m[3] * m[7] - m[4] * m[6]);
}

TEST_F(FitTest, QuadraticOfFortyPointsMatchesTheExactSolution) {
    std::vector<std::pair<Real, Real>> pts;
    __int128 s[5] = {}, r[3] = {}, sv2 = 0;
    for (int i = 1; i <= 40; ++i) {
        const int x = i - 13;
        const int y = 7 + 3 * x - (x * x) / 4 + ((i * 37) % 23) - 11;
        pts.push_back({x, y});
        __int128 p = 1;
        for (int k = 0; k < 5; ++k, p *= x)
            s[k] += p;
        r[0] += y;
        r[1] += static_cast<__int128>(x) * y;
        r[2] += static_cast<__int128>(x) * x * y;
        sv2 += static_cast<__int128>(y) * y;
    }
    const __int128 m[9] = {s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]};
    const __int128 d = Det3(m);
    ASSERT_NE(d, 0);
    __int128 num[3];
    for (int c = 0; c < 3; ++c) {
        __int128 mc[9];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                mc[i * 3 + j] = j == c ? r[i] : m[i * 3 + j];
        num[c] = Det3(mc);
    }
    // R^2 = (N * (a Sv + b Suv + c Su2v) - D Sv^2) / (D * (N Sv2 - Sv^2)).
    const __int128 n = s[0];
    const __int128 rTop = n * (num[0] * r[0] + num[1] * r[1] + num[2] * r[2]) - d * r[0] * r[0];
    const __int128 rBottom = d * (n * sv2 - r[0] * r[0]);

    Series& series = AddPoints(pts);
    Fit(series, 2);
    ASSERT_TRUE(series.Fit.FitOK);
    for (int c = 0; c < 3; ++c) {
        const Real exact = static_cast<Real>(num[c]) / static_cast<Real>(d);
        EXPECT_NEAR(series.Fit.Coef[static_cast<std::size_t>(c + 1)], exact,
                    std::fabs(exact) * 1e-14L)
            << "coefficient " << c;
    }
    const Real r2 = static_cast<Real>(rTop) / static_cast<Real>(rBottom);
    EXPECT_NEAR(series.Fit.Coef[7], r2, 1e-14L);
    EXPECT_GT(r2, 0.5L);
    EXPECT_LT(r2, 1);
    EXPECT_EQ(series.Fit.Sums[SumDeterm], static_cast<Real>(d));
}

TEST_F(FitTest, RowsLackingAValueLeaveTheGridAndTheRestIsSorted) {
    Series& s = AddSeries(doc, "3:7 5: 1:3 :9 2:5");
    Fit(s, 1);
    ASSERT_TRUE(s.Fit.FitOK);
    EXPECT_EQ(s.ValidCount, 3);
    EXPECT_EQ(Column(s, XColumn), "1|2|3||");
    EXPECT_EQ(Column(s, YColumn), "3|5|7||");
    EXPECT_EQ(Column(s, YFitColumn), "3|5|7||");
}

// The sums do not depend on the order of the rows: a quintic this badly
// conditioned would show any difference in its coefficients.
TEST_F(FitTest, TheOrderOfTheRowsChangesNoCoefficient) {
    Series& a = AddSeries(doc, "1:3 200000000:0 2:5 3:7 4:64 5:125 6:216");
    Series& b = AddSeries(doc, "1:3 2:5 3:7 4:64 5:125 6:216 200000000:0");
    Fit(a, 5);
    Fit(b, 5);
    ASSERT_TRUE(a.Fit.FitOK && b.Fit.FitOK);
    EXPECT_EQ(a.Fit.Coef, b.Fit.Coef);
}

// The grid shows 1.23457E+0014 for all four Y; the store keeps them apart.
TEST_F(FitTest, FitsTheStoredValuesNotTheShownTexts) {
    Series& s = AddSeries(doc, ": : : :");
    PasteCells(s,
               "1 123456789012346\r\n2 123456789012347\r\n3 123456789012348\r\n"
               "4 123456789012349\r\n",
               {XColumn, 1});
    ASSERT_EQ(s.Cell(YColumn, 1), s.Cell(YColumn, 4));
    Fit(s, 1);
    ASSERT_TRUE(s.Fit.FitOK);
    EXPECT_EQ(s.Fit.Coef[1], 123456789012345.0L);
    EXPECT_EQ(s.Fit.Coef[2], 1);
    EXPECT_EQ(s.Store().Row(3).YFit, 123456789012349.0L);
}

// Kind 0 only sets FitOK; a record with no series, or an unknown kind, fails
// without touching anything.
TEST_F(FitTest, KindNoneNoSeriesAndUnknownKind) {
    TFitObj lonely;
    lonely.FitKind = 1;
    ComputeFit(doc, lonely, fb);
    EXPECT_FALSE(lonely.FitOK);
    EXPECT_EQ(fb.Beeps, 1);
    Series& s = AddSeries(doc, "1:3 2:5");
    Fit(s, 9);
    EXPECT_FALSE(s.Fit.FitOK);
    EXPECT_EQ(fb.BeepReasons,
              (std::vector<std::string>{"There is no series to fit.", "Unknown kind of fit."}));
    Fit(s, 0);
    EXPECT_TRUE(s.Fit.FitOK);
    EXPECT_FALSE(s.HasFit);
    EXPECT_EQ(fb.Beeps, 2);
    EXPECT_EQ(Column(s, YFitColumn), "|");
}

TEST_F(FitTest, RecordOfAMissingSeriesFitsTheFirstSeries) {
    Series& first = AddSeries(doc, "1:3 2:5 3:7");
    AddSeries(doc, "1:1 2:1");
    TFitObj orphan;
    orphan.SeriesNumber = 9;
    orphan.FitKind = 1;
    ComputeFit(doc, orphan, fb);
    EXPECT_TRUE(orphan.FitOK);
    EXPECT_EQ(orphan.Coef[2], 2);
    EXPECT_TRUE(first.HasFit);
    EXPECT_EQ(first.Cell(YFitColumn, 2), "5");
}

TEST_F(FitTest, FitValueOutsideTheDomain) {
    TFitObj f;
    f.FitKind = 8;
    f.Coef[1] = 2;
    f.Coef[2] = 3;
    EXPECT_EQ(FitValue(f, -1), 0);
    EXPECT_FALSE(f.EvalOK);
    f.FitKind = 7;
    EXPECT_EQ(FitValue(f, -1), 2 * std::exp(-3.0L));
    EXPECT_TRUE(f.EvalOK);
}

} // namespace
} // namespace torvel
