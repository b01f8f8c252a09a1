// The arithmetic of the cell operations on values.
#include "cellops/cell_math.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace torvel;

namespace {
constexpr Real Big = std::numeric_limits<Real>::max();
}

TEST(CellMath, OperateTable) {
    struct Case {
        CellOp op;
        Real x, k;
        const char* result; // NumberToText of the value
        bool undefined;
        CellFault fault;
    };
    const Case cases[] = {
        {CellOp::AddK, 2, 3, "5", false, CellFault::None},
        {CellOp::SubtractK, 2, 3, "-1", false, CellFault::None},
        {CellOp::MultiplyK, 2, 3, "6", false, CellFault::None},
        {CellOp::DivideK, 3, 2, "1.5", false, CellFault::None},
        {CellOp::DivideK, 3, 0, "3", true, CellFault::None},
        {CellOp::PowerK, 2, 10, "1024", false, CellFault::None},
        {CellOp::PowerK, 4, 0.5, "2", false, CellFault::None},
        {CellOp::PowerK, -1, 2, "-1", false, CellFault::Invalid},
        {CellOp::PowerK, 0, 2, "0", false, CellFault::DivideByZero},
        {CellOp::PowerK, 1E4000L, 2, "1.00000E+4000", false, CellFault::Overflow},
        {CellOp::TenPower, 3, 0, "1000", false, CellFault::None},
        {CellOp::TenPower, -2, 0, ".01", false, CellFault::None},
        {CellOp::TenPower, 5000, 0, "5000", false, CellFault::Overflow},
        {CellOp::Log10, 100, 0, "2", false, CellFault::None},
        {CellOp::Log10, 0, 0, "0", true, CellFault::None},
        {CellOp::Log10, -1, 0, "-1", true, CellFault::None},
        {CellOp::Reciprocal, 4, 0, ".25", false, CellFault::None},
        {CellOp::Reciprocal, 0, 0, "0", true, CellFault::None},
        {CellOp::Reciprocal, 1E-4940L, 0, "1.00000E-4940", false, CellFault::Overflow},
        {CellOp::DivideK, 1E4000L, 1E-4000L, "1.00000E+4000", false, CellFault::Overflow},
        {CellOp::AddK, Big, Big, "1.18973E+4932", false, CellFault::Overflow},
        {CellOp::MultiplyK, 1E3000L, 1E3000L, "1.00000E+3000", false, CellFault::Overflow},
    };
    for (const Case& c : cases) {
        const CellOpResult r = OperateValue(c.op, c.x, c.k);
        const std::string what = std::to_string(int(c.op)) + " x=" + NumberToText(c.x, 14);
        EXPECT_EQ(NumberToText(r.Value, 14), c.result) << what;
        EXPECT_EQ(r.Undefined, c.undefined) << what;
        EXPECT_EQ(r.Fault, c.fault) << what;
        EXPECT_TRUE(std::isfinite(r.Value)) << what;
    }
}

TEST(CellMath, RoundToPlaces) {
    struct Case {
        Real x, k, result;
    };
    const Case cases[] = {
        {2.5L, 0, 3},
        {2.4L, 0, 2},
        {2.49999L, 0, 2},
        // Negative values round to the nearest too, halves away from zero.
        {-2.7L, 0, -3},
        {-2.4L, 0, -2},
        {-2.5L, 0, -3},
        {-0.4L, 0, 0},
        {3.14159L, 2, 3.14L},
        {-3.14159L, 2, -3.14L},
        {3.14159L, 1.9L, 3.1L}, // the whole part of K counts
        {3.15L, -0.5L, 3},      // trunc(-0.5) = 0 places
        {1234, -2, 1200},
        {1250, -2, 1300},
        {-1250, -2, -1300},
        {25, -1, 30},
        {7, 0, 7},
    };
    for (const Case& c : cases) {
        const CellOpResult r = RoundToPlaces(c.x, c.k);
        EXPECT_EQ(r.Fault, CellFault::None) << NumberToText(c.x, 14);
        EXPECT_EQ(r.Value, c.result) << NumberToText(c.x, 14) << " K=" << NumberToText(c.k, 14);
    }
    EXPECT_EQ(RoundToPlaces(1, 6000).Fault, CellFault::Overflow);
    // 10 ^ Cell of a whole number is the nearest value to that power of ten.
    for (int n = -6; n <= 6; ++n) {
        Real exact = 1;
        for (int i = 0; i < std::abs(n); ++i)
            exact *= 10;
        if (n < 0) exact = 1 / exact;
        EXPECT_EQ(OperateValue(CellOp::TenPower, n, 0).Value, exact) << n;
    }
    EXPECT_EQ(RoundToPlaces(1E4000L, 1000).Fault, CellFault::Overflow);
    const CellOpResult far = RoundToPlaces(5, -6000);
    EXPECT_TRUE(std::isfinite(far.Value));
}

TEST(CellMath, FillByRepeatedAddition) {
    std::vector<Real> v(11);
    ASSERT_EQ(FillValues(0, 0.1L, v), CellFault::None);
    Real sum = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        EXPECT_EQ(v[i], sum) << i; // the running sum, not start + i * step
        sum += 0.1L;
    }
    EXPECT_EQ(NumberToText(v[10], 14), "1");
    std::vector<Real> over(3);
    EXPECT_EQ(FillValues(Big, Big, over), CellFault::Overflow);
}

namespace {
Tdata Row(Real x, Real y) {
    return {x, y, 0, true, true, false};
}
Tdata OnlyX(Real x) {
    return {x, 0, 0, true, false, false};
}
Tdata OnlyY(Real y) {
    return {0, y, 0, false, true, false};
}
} // namespace

TEST(CellMath, RowOperations) {
    struct Case {
        XYOp op;
        std::vector<Tdata> in, out;
    };
    const Tdata empty{};
    const std::vector<Case> cases = {
        {XYOp::Switch, {Row(1, 2), OnlyX(5), empty}, {Row(2, 1), OnlyY(5), empty}},
        {XYOp::AddX, {Row(1, 2), OnlyX(5), OnlyY(3)}, {Row(1, 3), Row(5, 5), OnlyY(3)}},
        {XYOp::SubtractX, {Row(1, 2), OnlyX(5)}, {Row(1, 1), Row(5, -5)}},
        {XYOp::MultiplyX, {Row(3, 2), OnlyX(5)}, {Row(3, 6), Row(5, 0)}},
        {XYOp::DivideByX, {Row(4, 2), Row(0, 2), OnlyX(5)}, {Row(4, .5L), Row(0, 2), OnlyX(5)}},
        {XYOp::XDivideByY, {Row(4, 2), Row(3, 0), OnlyY(2)}, {Row(4, 2), Row(3, 0), OnlyY(2)}},
        {XYOp::Sum, {Row(1, 1), Row(2, 2), Row(3, 3)}, {Row(1, 1), Row(2, 3), Row(3, 6)}},
        {XYOp::Integral, {Row(0, 0), Row(1, 2), Row(2, 2)}, {Row(0, 0), Row(1, 1), Row(2, 3)}},
        {XYOp::Integral, {Row(0, 1), Row(2, 1), Row(3, 5)}, {Row(0, 0), Row(2, 2), Row(3, 5)}},
        {XYOp::Integral, {Row(7, 9)}, {Row(7, 0)}},
    };
    for (const Case& c : cases) {
        std::vector<Tdata> rows = c.in;
        EXPECT_EQ(OperateRows(c.op, rows), CellFault::None) << int(c.op);
        EXPECT_EQ(rows, c.out) << int(c.op);
    }
    std::vector<Tdata> huge{Row(Big, Big)};
    EXPECT_EQ(OperateRows(XYOp::AddX, huge), CellFault::Overflow);
    std::vector<Tdata> wide{Row(-Big, 1), Row(Big, 1)};
    EXPECT_EQ(OperateRows(XYOp::Integral, wide), CellFault::Overflow);
}

TEST(CellMath, Statistics) {
    struct Case {
        std::vector<Real> values;
        Real total, average, sigma;
    };
    const std::vector<Case> cases = {
        {{}, 0, 0, 0},
        {{7}, 7, 7, 0},
        {{1, 2, 3}, 6, 2, 1},
        {{2, 4, 4, 4, 5, 5, 7, 9}, 40, 5, std::sqrt(Real(32) / 7)},
        // Far from zero: the spread survives (the sum of squares would cancel).
        {{1E12L + 1, 1E12L + 2, 1E12L + 3}, 3E12L + 6, 1E12L + 2, 1},
    };
    for (const Case& c : cases) {
        CellStatistics s;
        for (Real v : c.values)
            s.Add(v);
        EXPECT_EQ(s.Total(), c.total);
        EXPECT_EQ(s.Average(), c.average);
        EXPECT_NEAR(double(s.Sigma()), double(c.sigma), 1E-15 * double(c.sigma + 1));
    }
}
