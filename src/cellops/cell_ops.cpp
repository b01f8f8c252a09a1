#include "cellops/cell_ops.h"

#include "core/out_of_memory.h"

#include <algorithm>
#include <vector>

namespace torvel {

namespace {

// The one place that knows how a cell holds its number.
bool ReadCell(const Series& series, int col, int row, Real& value) {
    if (!series.HoldsNumber(col, row)) return false;
    value = series.ValueOf(col, row);
    return true;
}

void WriteCell(Series& series, int col, int row, Real value) {
    series.SetValue(col, row, value);
}

struct NewValue {
    int Col, Row;
    Real Value;
};

} // namespace

CellRect ColumnCells(const Series& series, int col) {
    return {col, 1, col, series.IndexCount};
}

CellFault FillCells(Series& series, int col, int first, int last, Real start, Real step) {
    first = std::max(first, 1);
    last = std::min(last, series.IndexCount);
    if (last < first) return CellFault::None;
    AllocationCheckpoint();
    std::vector<Real> values(static_cast<std::size_t>(last - first + 1));
    if (const CellFault f = FillValues(start, step, values); f != CellFault::None) return f;
    for (int row = first; row <= last; ++row)
        WriteCell(series, col, row, values[static_cast<std::size_t>(row - first)]);
    return CellFault::None;
}

OperateOutcome OperateCells(Series& series, CellOp op, Real k, CellRect cells) {
    OperateOutcome out;
    const CellRect r = ClippedToGrid(series, cells);
    std::vector<NewValue> pass;
    AllocationCheckpoint();
    for (int row = r.Top; row <= r.Bottom; ++row)
        for (int col = r.Left; col <= std::min(r.Right, int(YColumn)); ++col) {
            Real x = 0;
            if (!ReadCell(series, col, row, x)) continue;
            const CellOpResult res = OperateValue(op, x, k);
            if (res.Fault != CellFault::None) {
                out.Fault = res.Fault;
                return out;
            }
            out.Undefined = out.Undefined || res.Undefined;
            pass.push_back({col, row, res.Value});
        }
    for (const NewValue& v : pass)
        WriteCell(series, v.Col, v.Row, v.Value);
    out.Cells = static_cast<int>(pass.size());
    return out;
}

CellStatistics StatisticsOf(const Series& series, CellRect cells) {
    CellStatistics stats;
    const CellRect r = ClippedToGrid(series, cells);
    for (int row = r.Top; row <= r.Bottom; ++row)
        for (int col = r.Left; col <= r.Right; ++col) {
            Real x = 0;
            if (ReadCell(series, col, row, x)) stats.Add(x);
        }
    return stats;
}

CellFault OperateXY(Series& series, XYOp op) {
    GridToRows(series);
    AllocationCheckpoint();
    std::vector<Tdata> rows = series.Rows;
    std::span<Tdata> worked(rows);
    if (op == XYOp::Sum || op == XYOp::Integral) {
        // Complete rows first, in ascending X (equal X keep their order);
        // the rest become empty rows at the end.
        const auto end = std::stable_partition(rows.begin(), rows.end(),
                                               [](const Tdata& t) { return t.XValid && t.YValid; });
        std::stable_sort(rows.begin(), end,
                         [](const Tdata& a, const Tdata& b) { return a.X < b.X; });
        std::fill(end, rows.end(), Tdata{});
        worked = worked.first(static_cast<std::size_t>(end - rows.begin()));
    }
    if (const CellFault f = OperateRows(op, worked); f != CellFault::None) return f;
    series.Rows = std::move(rows);
    ClearFit(series);
    RowsToGrid(series);
    return CellFault::None;
}

} // namespace torvel
