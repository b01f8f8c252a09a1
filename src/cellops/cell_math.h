// The arithmetic of the cell operations on values: the nine operations with a
// constant K, the fill sequence, the X & Y combinations of rows and the
// statistics. Nothing here reads or writes a grid; cell_ops.h applies these to
// a series. A fault (an invalid operation, a division by zero, an overflow)
// is returned, never stored: no cell ever receives an infinity or NaN.
#pragma once

#include "core/data_model.h"

#include <cstddef>
#include <span>
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

} // namespace torvel
