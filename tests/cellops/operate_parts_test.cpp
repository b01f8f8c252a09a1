// Operating on many rows checks them on every processor at once: the first
// fault in row order is the one told, and a fault anywhere changes no cell.
#include "cellops/cell_ops.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

TEST(OperateCells, ManyRowsFirstFaultInRowOrderChangesNothing) {
    constexpr int Rows = 300000;
    Series s(1, Rows);
    for (int i = 0; i < Rows; ++i)
        s.Store().SetRow(static_cast<std::size_t>(i), {static_cast<Real>(i), -1, 0, true, true});
    s.RowsChanged();
    s.SetValue(XColumn, 250000, -5);
    // X^K: row 1 (X 0) divides by zero, row 250000 (X -5) has no logarithm.
    const CellRect x{XColumn, 1, XColumn, Rows};
    EXPECT_EQ(OperateCells(s, CellOp::PowerK, 2, x).Fault, CellFault::DivideByZero);
    EXPECT_EQ(OperateCells(s, CellOp::PowerK, 2, {XColumn, 2, XColumn, Rows}).Fault,
              CellFault::Invalid);
    EXPECT_EQ(s.Store().X(1), 1);
    EXPECT_EQ(s.Store().X(Rows - 1), Rows - 1);
    // Log10 has no value at Y -1: every cell counted, each kept.
    const OperateOutcome logs = OperateCells(s, CellOp::Log10, 0, {YColumn, 1, YColumn, Rows});
    EXPECT_EQ(logs.Fault, CellFault::None);
    EXPECT_TRUE(logs.Undefined);
    EXPECT_EQ(logs.Cells, Rows);
    const OperateOutcome added = OperateCells(s, CellOp::AddK, 2, {XColumn, 2, XColumn, Rows - 10});
    EXPECT_EQ(added.Cells, Rows - 11);
    EXPECT_EQ(s.Store().X(Rows - 11), Rows - 9);
    EXPECT_EQ(s.Store().X(Rows - 10), Rows - 10);
}

} // namespace
} // namespace torvel
