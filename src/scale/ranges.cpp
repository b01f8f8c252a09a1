#include "scale/ranges.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace torvel {

namespace {

bool OutOfOrder(Real earlier, Real later, bool ascending) {
    return ascending ? later < earlier : later > earlier;
}

// An integer that orders like X (80-bit extended, not a NaN): the sign bit
// flipped for positive values, all bits flipped for negative ones; both zeros
// give the same key.
unsigned __int128 OrderKey(Real x) {
    constexpr unsigned __int128 SignBit = static_cast<unsigned __int128>(1) << 79;
    if (x == 0) return SignBit;
    std::uint64_t mantissa;
    std::uint16_t signExp;
    static_assert(sizeof(Real) >= 10);
    std::memcpy(&mantissa, &x, 8);
    std::memcpy(&signExp, reinterpret_cast<const char*>(&x) + 8, 2);
    const unsigned __int128 magnitude =
        (static_cast<unsigned __int128>(signExp & 0x7FFFu) << 64) | mantissa;
    return (signExp & 0x8000u) ? SignBit - 1 - magnitude : SignBit | magnitude;
}

// Rows [begin, end) in the order repeated adjacent-pair exchange passes give:
// a stable sort by X. Sorts integer keys that carry each row's position as a
// tie-breaker and moves each row once, which is far cheaper than moving rows
// while sorting.
void SortRun(std::vector<Tdata>& rows, std::size_t begin, std::size_t end, bool ascending) {
    bool sorted = true;
    for (std::size_t i = begin; i + 1 < end; ++i)
        if (OutOfOrder(rows[i].X, rows[i + 1].X, ascending)) {
            sorted = false;
            break;
        }
    if (sorted) return;

    // 80 key bits above 32 position bits.
    constexpr unsigned __int128 KeyMask = (static_cast<unsigned __int128>(1) << 80) - 1;
    std::vector<unsigned __int128> keys(end - begin);
    for (std::size_t i = begin; i < end; ++i) {
        unsigned __int128 k = OrderKey(rows[i].X);
        if (!ascending) k = KeyMask - k;
        keys[i - begin] = (k << 32) | static_cast<std::uint32_t>(i - begin);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<Tdata> moved(end - begin);
    for (std::size_t i = 0; i < keys.size(); ++i)
        CopyRow(moved[i], rows[begin + static_cast<std::uint32_t>(keys[i])]);
    std::copy(moved.begin(), moved.end(), rows.begin() + static_cast<std::ptrdiff_t>(begin));
}

// An X that is not a number never compares smaller or larger, so the exchange
// passes never move it and nothing passes it: the runs between such rows are
// sorted each on their own.
void SortValidRows(std::vector<Tdata>& rows, int validCount, bool ascending) {
    const auto count = static_cast<std::size_t>(validCount);
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (std::isnan(rows[i].X)) {
            SortRun(rows, start, i, ascending);
            start = i + 1;
        }
    SortRun(rows, start, count, ascending);
}

// Steps after the sort: FirstX, LastX and the Y range of the sorted rows.
void MeasureSorted(Series& series, const GraphSettings& settings) {
    const auto& rows = series.Rows;
    const auto last = static_cast<std::size_t>(series.ValidCount - 1);
    series.FirstX = rows[0].X;
    series.LastX = rows[last].X;
    if (settings.LogX) {
        for (std::size_t i = 0; i <= last; ++i) {
            series.FirstX = rows[i].X;
            if (rows[i].X > 0) break;
        }
    }
    ComputeYRange(series, settings);
}

// The memo still describes what reading this grid gives.
bool MemoCurrent(const Series& series) {
    const auto& m = series.Measured;
    return m.Valid && m.GridVersion == series.GridVersion() && m.IndexCount == series.IndexCount;
}

// Puts the remembered result into Rows, touching only what differs.
void RestoreFromMemo(Series& series) {
    const auto& valid = series.Measured.ValidRows;
    series.Rows.resize(static_cast<std::size_t>(series.IndexCount));
    const std::size_t n = valid.size();
    for (std::size_t i = 0; i < n; ++i)
        if (!(series.Rows[i] == valid[i])) CopyRow(series.Rows[i], valid[i]);
    const Tdata empty{};
    for (std::size_t i = n; i < series.Rows.size(); ++i)
        if (!(series.Rows[i] == empty)) series.Rows[i] = empty;
    series.ValidCount = static_cast<int>(n);
}

void Remember(Series& series) {
    auto& m = series.Measured;
    m.Valid = true;
    m.GridVersion = series.GridVersion();
    m.IndexCount = series.IndexCount;
    m.ValidRows.assign(series.Rows.begin(), series.Rows.begin() + series.ValidCount);
}

enum RangeAxis { AxisX = 1, AxisYL = 2, AxisYR = 4 };

int Bit(ScaleAxis axis) {
    return axis == ScaleAxis::X ? AxisX : axis == ScaleAxis::YL ? AxisYL : AxisYR;
}

// The Find operations: measure every series, widen the chosen limits.
void FindRanges(Document& doc, RangeTexts& boxes, int axes) {
    // Indexed by ScaleAxis.
    std::array<Real, 3> max, min;
    max.fill(-RangeStart);
    min.fill(RangeStart);
    auto widen = [&](ScaleAxis axis, Real high, Real low) {
        const auto i = static_cast<std::size_t>(axis);
        if (!(axes & Bit(axis))) return;
        if (high > max[i]) max[i] = high;
        if (low < min[i]) min[i] = low;
    };
    for (const auto& p : doc.DataWindows()) {
        Series& s = *p;
        ComputeSeriesRange(s, true, doc.Settings);
        if (s.ValidCount < 2) continue;
        widen(ScaleAxis::X, s.LastX, s.FirstX);
        widen(s.YAxisLeft ? ScaleAxis::YL : ScaleAxis::YR, s.MaxY, s.MinY);
    }
    for (ScaleAxis axis : AllScaleAxes) {
        if (!(axes & Bit(axis))) continue;
        const auto i = static_cast<std::size_t>(axis);
        if (max[i] < -RangeTest) max[i] = 0;
        if (min[i] > RangeTest) min[i] = 0;
        const AxisLimits l = LimitsOf(doc.Settings, axis);
        l.Max = max[i];
        l.Min = min[i];
        ShowLimits(boxes, axis, max[i], min[i]);
    }
}

} // namespace

AxisLimits LimitsOf(GraphSettings& s, ScaleAxis axis) {
    switch (axis) {
    case ScaleAxis::YL:
        return {s.YLMax, s.YLMin, s.MultiScaleYL};
    case ScaleAxis::YR:
        return {s.YRMax, s.YRMin, s.MultiScaleYR};
    default:
        return {s.XMax, s.XMin, s.MultiScaleX};
    }
}

void ShowLimits(RangeTexts& boxes, ScaleAxis axis, Real max, Real min) {
    std::string& maxBox = axis == ScaleAxis::X    ? boxes.MaxX
                          : axis == ScaleAxis::YL ? boxes.MaxYL
                                                  : boxes.MaxYR;
    std::string& minBox = axis == ScaleAxis::X    ? boxes.MinX
                          : axis == ScaleAxis::YL ? boxes.MinYL
                                                  : boxes.MinYR;
    maxBox = NumberToText(max, 14);
    minBox = NumberToText(min, 14);
}

void CopyRow(Tdata& target, const Tdata& source) {
    target.X = source.X;
    target.Y = source.Y;
    target.YFit = source.YFit;
    target.XValid = source.XValid;
    target.YValid = source.YValid;
    target.YFitValid = source.YFitValid;
}

void CompactRows(Series& series) {
    auto& rows = series.Rows;
    rows.resize(static_cast<std::size_t>(series.IndexCount));
    GridToRows(series);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!(rows[i].XValid && rows[i].YValid)) continue;
        if (kept != i) CopyRow(rows[kept], rows[i]);
        ++kept;
    }
    series.ValidCount = static_cast<int>(kept);
    for (std::size_t i = kept; i < rows.size(); ++i)
        rows[i] = Tdata{};
}

void ComputeSeriesRange(Series& series, bool ascending, const GraphSettings& settings) {
    AllocationCheckpoint(); // measuring allocates in proportion to the rows
    if (ascending && MemoCurrent(series)) {
        RestoreFromMemo(series);
    } else {
        CompactRows(series);
        if (series.ValidCount >= 2) SortValidRows(series.Rows, series.ValidCount, ascending);
        // A descending measurement leaves the memo alone: it still describes
        // the ascending reading of this grid, and a hit restores that order.
        if (ascending) Remember(series);
    }
    if (series.ValidCount < 2) return;
    MeasureSorted(series, settings);
}

void ComputeYRange(Series& series, const GraphSettings& settings) {
    const auto& rows = series.Rows;
    if (series.ValidCount < 1) return;
    Real maxY = rows[0].Y;
    Real minY = settings.LogY ? RangeStart : rows[0].Y;
    for (std::size_t i = 0; i < static_cast<std::size_t>(series.ValidCount); ++i) {
        const Real y = rows[i].Y;
        if (settings.LogY) {
            if (y < minY && y > 0) minY = y;
        } else if (y < minY) {
            minY = y;
        }
        if (y > maxY) maxY = y;
    }
    if (minY > RangeTest) minY = 0.1L;
    series.MaxY = maxY;
    series.MinY = minY;
}

void FindXRange(Document& doc, RangeTexts& boxes) {
    FindRanges(doc, boxes, AxisX);
}

void FindYLRange(Document& doc, RangeTexts& boxes) {
    FindRanges(doc, boxes, AxisYL);
}

void FindYRRange(Document& doc, RangeTexts& boxes) {
    FindRanges(doc, boxes, AxisYR);
}

void FindAllRanges(Document& doc, RangeTexts& boxes) {
    FindRanges(doc, boxes, AxisX | AxisYL | AxisYR);
}

} // namespace torvel
