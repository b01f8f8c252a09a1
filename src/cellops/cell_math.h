// The arithmetic of the cell operations on values: the nine operations with a
// constant K, the fill sequence, the X & Y combinations of rows and the
// statistics. Nothing here reads or writes a grid; cell_ops.h applies these to
// a series. A fault (an invalid operation, a division by zero, an overflow)
// is returned, never stored: no cell ever receives an infinity or NaN.
#pragma once

#include "core/data_model.h"

#include <cmath>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace torvel {

// The floating-point faults an operation can meet, each with the standard text
// the program reports it with.
enum class CellFault { None, Invalid, DivideByZero, Overflow };
const char* FaultText(CellFault fault);

// Items of "Operation " in the operate-on-cells dialog.
enum class CellOp {
    AddK = 0,
    SubtractK,
    MultiplyK,
    DivideK,
    PowerK,
    TenPower,
    Log10,
    Reciprocal,
    Round
};
inline constexpr int CellOpCount = 9;

struct CellOpResult {
    Real Value = 0;
    bool Undefined = false; // the operation has no value here: the cell keeps x
    CellFault Fault = CellFault::None;
};
CellOpResult OperateValue(CellOp op, Real x, Real k);

// x rounded to trunc(k) decimal places (negative: tens, hundreds ...), halves
// away from zero.
CellOpResult RoundToPlaces(Real x, Real k);

// The fill sequence: start, start + step, ... by repeated addition.
// Overflow when a value leaves the extended range.
CellFault FillValues(Real start, Real step, std::span<Real> out);

// Items of "X & Y Operations".
enum class XYOp { Switch = 0, AddX, SubtractX, MultiplyX, DivideByX, XDivideByY, Sum, Integral };
inline constexpr int XYOpCount = 8;

// Items 0 to 5, row by row; rows with neither X nor Y are left alone.
// Items 6 and 7 take the first `complete` rows, which must hold X and Y in
// ascending X order (the running sum and the cumulative trapezoid rule).
// On a fault the rows may be half changed: callers work on a copy.
CellFault OperateRows(XYOp op, std::span<Tdata> rows);
// The same on any rows: size(), Get(i) giving a Tdata and Put(i, Tdata).
template <class Rows> CellFault OperateRowsOf(XYOp op, Rows& rows);

// Total, Average and Sigma (the sample standard deviation) of the values added.
class CellStatistics {
  public:
    void Add(Real v);
    int Count() const { return n_; }
    Real Total() const { return n_ > 0 ? sum_ : 0; }
    Real Average() const;
    Real Sigma() const;

  private:
    int n_ = 0;
    Real sum_ = 0;
    // Running mean and sum of squared deviations: no cancellation when the
    // values lie far from zero.
    Real mean_ = 0;
    Real m2_ = 0;
};

template <class Rows> CellFault OperateRowsOf(XYOp op, Rows& rows) {
    auto finite = [](Real v) { return std::isfinite(v); };
    const std::size_t n = rows.size();
    switch (op) {
    case XYOp::Switch:
        for (std::size_t i = 0; i < n; ++i) {
            Tdata r = rows.Get(i);
            if (!r.XValid && !r.YValid) continue;
            std::swap(r.X, r.Y);
            std::swap(r.XValid, r.YValid);
            rows.Put(i, r);
        }
        return CellFault::None;
    case XYOp::AddX:
    case XYOp::SubtractX:
    case XYOp::MultiplyX:
        for (std::size_t i = 0; i < n; ++i) {
            Tdata r = rows.Get(i);
            if (!r.XValid) continue;
            // An empty Y counts as 0.
            const Real y = r.YValid ? r.Y : 0;
            const Real v = op == XYOp::AddX ? y + r.X : op == XYOp::SubtractX ? y - r.X : y * r.X;
            if (!finite(v)) return CellFault::Overflow;
            r.Y = v;
            r.YValid = true;
            rows.Put(i, r);
        }
        return CellFault::None;
    case XYOp::DivideByX:
    case XYOp::XDivideByY:
        for (std::size_t i = 0; i < n; ++i) {
            Tdata r = rows.Get(i);
            if (!r.XValid || !r.YValid) continue;
            const Real divisor = op == XYOp::DivideByX ? r.X : r.Y;
            if (divisor == 0) continue;
            const Real v = op == XYOp::DivideByX ? r.Y / r.X : r.X / r.Y;
            if (!finite(v)) return CellFault::Overflow;
            r.Y = v;
            rows.Put(i, r);
        }
        return CellFault::None;
    case XYOp::Sum: {
        Real a = 0;
        for (std::size_t i = 0; i < n; ++i) {
            Tdata r = rows.Get(i);
            a += r.Y;
            if (!finite(a)) return CellFault::Overflow;
            r.Y = a;
            rows.Put(i, r);
        }
        return CellFault::None;
    }
    case XYOp::Integral: {
        Real a = 0;
        Tdata next = n > 0 ? rows.Get(0) : Tdata{};
        for (std::size_t i = 0; i < n; ++i) {
            Tdata r = next; // its Y is still the old one
            const Real y = r.Y;
            r.Y = a;
            if (i + 1 < n) {
                next = rows.Get(i + 1);
                a += (next.X - r.X) * (y + next.Y) / 2;
                if (!finite(a)) return CellFault::Overflow;
            }
            rows.Put(i, r);
        }
        return CellFault::None;
    }
    }
    return CellFault::None;
}

} // namespace torvel
