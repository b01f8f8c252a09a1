#include "cellops/cell_ops.h"

#include "core/out_of_memory.h"
#include "core/parallel.h"
#include "core/work_pulse.h"
#include "scale/ranges.h"

#include <algorithm>
#include <cstdint>
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
    for (int row = first; row <= last; ++row) {
        if (row % 65536 == 0) Pulse();
        WriteCell(series, col, row, values[static_cast<std::size_t>(row - first)]);
    }
    return CellFault::None;
}

OperateOutcome OperateCells(Series& series, CellOp op, Real k, CellRect cells) {
    OperateOutcome out;
    const CellRect r = ClippedToGrid(series, cells);
    AllocationCheckpoint();
    const int lastCol = std::min(r.Right, int(YColumn));
    // Every cell is worked out twice rather than kept: a first pass finds any
    // fault before a cell changes (it only reads: its rows are shared out
    // between the processors, the first fault in row order counting), the
    // second writes the same results.
    const std::size_t rows = r.Bottom >= r.Top ? static_cast<std::size_t>(r.Bottom - r.Top + 1) : 0;
    const std::size_t partCount = PartsFor(rows, 1 << 16);
    std::vector<OperateOutcome> parts(partCount);
    EachPart(partCount, [&](std::size_t p) {
        OperateOutcome& part = parts[p];
        const std::size_t end = rows * (p + 1) / partCount;
        for (std::size_t i = rows * p / partCount; i < end && part.Fault == CellFault::None; ++i)
            for (int col = r.Left; col <= lastCol && part.Fault == CellFault::None; ++col) {
                Real x = 0;
                const int row = r.Top + static_cast<int>(i);
                if (!ReadCell(series, col, row, x)) continue;
                const CellOpResult res = OperateValue(op, x, k);
                part.Fault = res.Fault;
                part.Undefined = part.Undefined || res.Undefined;
                ++part.Cells;
            }
    });
    for (const OperateOutcome& part : parts) {
        if (part.Fault != CellFault::None) {
            out.Fault = part.Fault;
            return out;
        }
        out.Undefined = out.Undefined || part.Undefined;
        out.Cells += part.Cells;
    }
    for (int row = r.Top; row <= r.Bottom; ++row) {
        if (row % 65536 == 0) Pulse();
        for (int col = r.Left; col <= lastCol; ++col) {
            Real x = 0;
            if (ReadCell(series, col, row, x))
                WriteCell(series, col, row, OperateValue(op, x, k).Value);
        }
    }
    return out;
}

CellStatistics StatisticsOf(const Series& series, CellRect cells) {
    CellStatistics stats;
    const CellRect r = ClippedToGrid(series, cells);
    for (int row = r.Top; row <= r.Bottom; ++row) {
        if (row % 65536 == 0) Pulse();
        for (int col = r.Left; col <= r.Right; ++col) {
            Real x = 0;
            if (ReadCell(series, col, row, x)) stats.Add(x);
        }
    }
    return stats;
}

CellFault OperateXY(Series& series, XYOp op) {
    GridToRows(series);
    AllocationCheckpoint();
    // The work is done on a copy of the values, so a fault changes nothing.
    RowStore rows = series.Store().WithoutFit();
    const bool running = op == XYOp::Sum || op == XYOp::Integral;
    // Sum and Integral take the complete rows in ascending X (equal X keep
    // their order); the rest become empty rows at the end.
    std::vector<std::uint32_t> order;
    if (running) {
        ComputeSeriesRange(series, true, GraphSettings{});
        order.reserve(rows.Size());
        for (int i = 0; i < series.ValidCount; ++i)
            order.push_back(static_cast<std::uint32_t>(series.ValidIndex(i)));
    }
    struct Worked {
        RowStore& rows;
        const std::vector<std::uint32_t>* order;
        std::size_t size() const { return order ? order->size() : rows.Size(); }
        std::size_t At(std::size_t i) const { return order ? (*order)[i] : i; }
        Tdata Get(std::size_t i) const { return rows.Row(At(i)); }
        void Put(std::size_t i, const Tdata& r) { rows.SetRow(At(i), r); }
    } worked{rows, running ? &order : nullptr};
    if (const CellFault f = OperateRowsOf(op, worked); f != CellFault::None) return f;
    if (running) {
        const std::size_t complete = order.size();
        for (std::size_t i = 0; i < rows.Size(); ++i)
            if (!rows.BothXY(i)) order.push_back(static_cast<std::uint32_t>(i));
        rows.Permute(order);
        rows.ClearFrom(complete);
    }
    std::swap(series.Store(), rows);
    ClearFit(series);
    RowsToGrid(series);
    return CellFault::None;
}

} // namespace torvel
