#include "cellops/cell_math.h"

#include <cmath>
#include <utility>

namespace torvel {

const char* FaultText(CellFault fault) {
    switch (fault) {
    case CellFault::Invalid:
        return "Invalid floating point operation.";
    case CellFault::DivideByZero:
        return "Floating point division by zero.";
    case CellFault::Overflow:
        return "Floating point overflow.";
    case CellFault::None:
        break;
    }
    return "";
}

CellOpResult RoundToPlaces(Real x, Real k) {
    const Real n = std::trunc(k);
    // Whole powers of ten are exact in the extended type up to 10^27; dividing
    // by 10^-n keeps rounding to tens and hundreds exact as well.
    const Real scale = std::pow(Real(10), std::fabs(n));
    if (!std::isfinite(scale)) return {x, false, CellFault::Overflow};
    const Real y = n >= 0 ? x * scale : x / scale;
    if (!std::isfinite(y)) return {x, false, CellFault::Overflow};
    Real whole = std::trunc(y);
    const Real fraction = y - whole;
    if (fraction >= 0.5L)
        whole += 1;
    else if (fraction <= -0.5L)
        whole -= 1;
    const Real r = n >= 0 ? whole / scale : whole * scale;
    if (!std::isfinite(r)) return {x, false, CellFault::Overflow};
    return {r};
}

CellOpResult OperateValue(CellOp op, Real x, Real k) {
    Real r = 0;
    switch (op) {
    case CellOp::AddK:
        r = x + k;
        break;
    case CellOp::SubtractK:
        r = x - k;
        break;
    case CellOp::MultiplyK:
        r = x * k;
        break;
    case CellOp::DivideK:
        if (k == 0) return {x, true};
        r = x / k;
        break;
    case CellOp::PowerK:
        // The power is taken through the logarithm of the cell: none for x <= 0.
        if (x < 0) return {x, false, CellFault::Invalid};
        if (x == 0) return {x, false, CellFault::DivideByZero};
        r = std::pow(x, k);
        break;
    case CellOp::TenPower:
        // glibc's exp10l: correctly rounded where pow(10, x) is not (10^-2,
        // 10^-3), and many times faster over a long column.
        r = ::exp10l(x);
        break;
    case CellOp::Log10:
        if (x <= 0) return {x, true};
        r = std::log10(x);
        break;
    case CellOp::Reciprocal:
        if (x == 0) return {x, true};
        r = 1 / x;
        break;
    case CellOp::Round:
        return RoundToPlaces(x, k);
    }
    if (!std::isfinite(r)) return {x, false, CellFault::Overflow};
    return {r};
}

CellFault FillValues(Real start, Real step, std::span<Real> out) {
    Real v = start;
    for (Real& slot : out) {
        if (!std::isfinite(v)) return CellFault::Overflow;
        slot = v;
        v += step;
    }
    return CellFault::None;
}

CellFault OperateRows(XYOp op, std::span<Tdata> rows) {
    struct SpanRows {
        std::span<Tdata> rows;
        std::size_t size() const { return rows.size(); }
        Tdata Get(std::size_t i) const { return rows[i]; }
        void Put(std::size_t i, const Tdata& r) { rows[i] = r; }
    } view{rows};
    return OperateRowsOf(op, view);
}

void CellStatistics::Add(Real v) {
    ++n_;
    sum_ += v;
    const Real delta = v - mean_;
    mean_ += delta / n_;
    m2_ += delta * (v - mean_);
}

Real CellStatistics::Average() const {
    if (n_ == 0) return 0;
    // A total beyond the extended range still has an average.
    return std::isfinite(sum_) ? sum_ / n_ : mean_;
}

Real CellStatistics::Sigma() const {
    if (n_ < 2) return 0;
    return std::sqrt(std::fabs(m2_ / (n_ - 1)));
}

} // namespace torvel
