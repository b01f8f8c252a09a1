#include "fit/fit.h"

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

} // namespace
} // namespace torvel
