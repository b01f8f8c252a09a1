#include "scale/ranges.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "core/parallel.h"
#include "core/work_pulse.h"

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

// Positions [begin, end) of `order` in the order repeated adjacent-pair
// exchange passes give: a stable sort by X. Sorts integer keys that carry each
// position's place as a tie-breaker, which is far cheaper than moving rows.
void SortRun(const RowStore& rows, std::vector<std::uint32_t>& order, std::size_t begin,
             std::size_t end, bool ascending) {
    bool sorted = true;
    for (std::size_t i = begin; i + 1 < end; ++i)
        if (OutOfOrder(rows.X(order[i]), rows.X(order[i + 1]), ascending)) {
            sorted = false;
            break;
        }
    if (sorted) return;

    // 80 key bits above 32 place bits.
    constexpr unsigned __int128 KeyMask = (static_cast<unsigned __int128>(1) << 80) - 1;
    std::vector<unsigned __int128> keys(end - begin);
    for (std::size_t i = begin; i < end; ++i) {
        unsigned __int128 k = OrderKey(rows.X(order[i]));
        if (!ascending) k = KeyMask - k;
        keys[i - begin] = (k << 32) | static_cast<std::uint32_t>(i - begin);
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::uint32_t> moved(end - begin);
    for (std::size_t i = 0; i < keys.size(); ++i)
        moved[i] = order[begin + static_cast<std::uint32_t>(keys[i])];
    std::copy(moved.begin(), moved.end(), order.begin() + static_cast<std::ptrdiff_t>(begin));
}

// An X that is not a number never compares smaller or larger, so the exchange
// passes never move it and nothing passes it: the runs between such rows are
// sorted each on their own.
void SortValidRows(const RowStore& rows, std::vector<std::uint32_t>& order, bool ascending) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (std::isnan(rows.X(order[i]))) {
            SortRun(rows, order, start, i, ascending);
            start = i + 1;
        }
    SortRun(rows, order, start, order.size(), ascending);
}

// How many rows ahead reads in X order ask for their row.
constexpr std::size_t PrefetchAhead = 24;

// Rows a bucket may hold to be sorted in the cache: their keys take 1 MB.
constexpr std::size_t LocalRows = 1 << 16;

// Row `row`'s place in the sort as one integer: its X's key above its row
// number, so equal X keep row order; reversed for a descending sort.
unsigned __int128 RowKey(const RowStore& rows, std::uint32_t row, bool ascending) {
    constexpr unsigned __int128 KeyMask = (static_cast<unsigned __int128>(1) << 80) - 1;
    unsigned __int128 k = OrderKey(rows.X(row));
    if (!ascending) k = KeyMask - k;
    return (k << 32) | row;
}

// Deals rows into buckets by X: bucketOf(x) never decreases in X (reversed
// for a descending sort). In doubles, because the extended type's conversion
// to an integer switches the rounding mode at each row, which stalls the
// processor; every step rounds monotonically, so the buckets keep the order.
struct Buckets {
    std::size_t Count;
    double Low, Scale;
    bool Ascending;
    Buckets(Real lo, Real hi, std::size_t count, bool ascending)
        : Count(hi > lo ? count : 1), Low(static_cast<double>(lo)),
          Scale(hi > lo ? static_cast<double>(Count) / static_cast<double>(hi - lo) : 0),
          Ascending(ascending) {}
    std::size_t Of(Real x) const {
        const double at = (static_cast<double>(x) - Low) * Scale;
        // Beyond the doubles' range or not a number: the first or last bucket.
        std::size_t b = at > 0 ? Count - 1 : 0;
        if (at > 0 && at < static_cast<double>(Count)) b = static_cast<std::size_t>(at);
        return Ascending ? b : Count - 1 - b;
    }
};

// order[begin, end), in row order within each bucket, sorted by X, equal X in
// row order. A bucket that fits the cache is sorted there by its keys; a
// crowded one (X far from evenly spread) is dealt again by its own range of X.
void SortBucket(const RowStore& rows, std::vector<std::uint32_t>& order, std::size_t begin,
                std::size_t end, bool ascending, int depth) {
    const std::size_t size = end - begin;
    if (size < 2) return;
    if (size <= LocalRows) {
        std::vector<unsigned __int128> keys(size);
        for (std::size_t k = begin; k < end; ++k) {
            if (k + PrefetchAhead < end) rows.Prefetch(order[k + PrefetchAhead]);
            keys[k - begin] = RowKey(rows, order[k], ascending);
        }
        std::sort(keys.begin(), keys.end());
        for (std::size_t k = begin; k < end; ++k)
            order[k] = static_cast<std::uint32_t>(keys[k - begin]);
        return;
    }
    Real lo = rows.X(order[begin]), hi = lo;
    for (std::size_t k = begin; k < end; ++k) {
        if (k + PrefetchAhead < end) rows.Prefetch(order[k + PrefetchAhead]);
        lo = std::min(lo, rows.X(order[k]));
        hi = std::max(hi, rows.X(order[k]));
    }
    if (!(hi > lo)) return; // one X throughout: row order is the order
    if (depth >= 4) {
        std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(begin),
                         order.begin() + static_cast<std::ptrdiff_t>(end),
                         [&](std::uint32_t a, std::uint32_t b) {
                             return OutOfOrder(rows.X(b), rows.X(a), ascending);
                         });
        return;
    }
    const Buckets b(lo, hi, std::clamp<std::size_t>(size / 2048, 2, 1 << 13), ascending);
    std::vector<std::uint32_t> starts(b.Count + 1, 0);
    for (std::size_t k = begin; k < end; ++k)
        ++starts[b.Of(rows.X(order[k])) + 1];
    for (std::size_t i = 1; i <= b.Count; ++i)
        starts[i] += starts[i - 1];
    std::vector<std::uint32_t> dealt(size);
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (std::size_t k = begin; k < end; ++k)
        dealt[next[b.Of(rows.X(order[k]))]++] = order[k];
    std::copy(dealt.begin(), dealt.end(), order.begin() + static_cast<std::ptrdiff_t>(begin));
    dealt = {};
    for (std::size_t i = 0; i < b.Count; ++i)
        SortBucket(rows, order, begin + starts[i], begin + starts[i + 1], ascending, depth + 1);
}

// The same order for the usual data (every X a finite number), with little
// memory beside the order itself: the valid rows are dealt, in row order,
// into a few thousand buckets by X (few enough that dealing stays in the
// cache), and each bucket is sorted on its own. False, with nothing done,
// where it does not apply.
bool SortByBuckets(const RowStore& rows, std::size_t validRows, std::vector<std::uint32_t>& order,
                   bool ascending) {
    // Every pass is shared out between the processors by rows: each part
    // measures, counts and deals its own rows, and a part's rows go after
    // those of the parts before it within each bucket, so equal X keep
    // row order as one pass would.
    const std::size_t n = rows.Size();
    const std::size_t parts = PartsFor(n, 1 << 18);
    auto first = [&](std::size_t p) { return n * p / parts; };
    struct Extent {
        Real Lo = 0, Hi = 0;
        bool Any = false, NotANumber = false;
    };
    std::vector<Extent> extents(parts);
    EachPart(parts, [&](std::size_t p) {
        Extent& e = extents[p];
        for (std::size_t i = first(p); i < first(p + 1); ++i) {
            if (!rows.BothXY(i)) continue;
            const Real x = rows.X(i);
            if (std::isnan(x)) {
                e.NotANumber = true;
                return;
            }
            if (!e.Any || x < e.Lo) e.Lo = x;
            if (!e.Any || x > e.Hi) e.Hi = x;
            e.Any = true;
        }
    });
    Real lo = 0, hi = 0;
    bool any = false;
    for (const Extent& e : extents) {
        if (e.NotANumber) return false;
        if (!e.Any) continue;
        if (!any || e.Lo < lo) lo = e.Lo;
        if (!any || e.Hi > hi) hi = e.Hi;
        any = true;
    }
    if (!std::isfinite(hi - lo)) return false;
    const Buckets b(lo, hi, std::clamp<std::size_t>(validRows / 2048, 1, 1 << 13), ascending);
    std::vector<std::vector<std::uint32_t>> next(parts, std::vector<std::uint32_t>(b.Count, 0));
    EachPart(parts, [&](std::size_t p) {
        for (std::size_t i = first(p); i < first(p + 1); ++i)
            if (rows.BothXY(i)) ++next[p][b.Of(rows.X(i))];
    });
    std::vector<std::uint32_t> starts(b.Count + 1, 0);
    std::uint32_t total = 0;
    for (std::size_t k = 0; k < b.Count; ++k) {
        starts[k] = total;
        for (std::size_t p = 0; p < parts; ++p) {
            const std::uint32_t count = next[p][k];
            next[p][k] = total; // where part p deals its first row of bucket k
            total += count;
        }
    }
    starts[b.Count] = total;
    order.resize(validRows);
    EachPart(parts, [&](std::size_t p) {
        for (std::size_t i = first(p); i < first(p + 1); ++i)
            if (rows.BothXY(i)) order[next[p][b.Of(rows.X(i))]++] = static_cast<std::uint32_t>(i);
    });
    // The buckets hold parts of the order apart: sorted on every processor.
    ForParts(b.Count, 64, [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            SortBucket(rows, order, starts[i], starts[i + 1], ascending, 0);
    });
    return true;
}

// The remembered order is still the stable sort of exactly the valid rows:
// as many, each valid, in order by X, equal X in row order. Checked rather
// than trusted, so rows written behind the grid's back can never show a
// stale measurement; it costs one pass, the sort it saves far more.
bool OrderStillHolds(const RowStore& rows, const std::vector<std::uint32_t>& order,
                     std::size_t validRows, bool ascending) {
    if (order.size() != validRows) return false;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + PrefetchAhead < order.size() && order[k + PrefetchAhead] < rows.Size())
            rows.Prefetch(order[k + PrefetchAhead]);
        if (order[k] >= rows.Size()) return false;
        const Real x = rows.X(order[k]);
        if (!rows.BothXY(order[k]) || std::isnan(x)) return false;
        if (k == 0) continue;
        const Real before = rows.X(order[k - 1]);
        if (OutOfOrder(before, x, ascending)) return false;
        if (!(before != x) && order[k - 1] >= order[k]) return false;
    }
    return true;
}

// Measures the series into its memo: the valid rows' positions, sorted by X.
bool MeasureOrder(Series& series, bool ascending) {
    auto& m = series.Measured;
    const RowStore& rows = series.Store();
    // Rows unchanged since the last measurement in this direction.
    if (m.Valid && m.Ascending == ascending && m.RowCount == rows.Size() &&
        m.OrderVersion == series.OrderVersion()) {
        series.ValidCount = m.ValidCount;
        if (m.Version == series.GridVersion()) return true;
        // Only Y values were replaced: the order holds, the range does not.
        m.Version = series.GridVersion();
        m.HaveRange = false;
        return false;
    }
    auto remember = [&] {
        m.Valid = true;
        m.Ascending = ascending;
        m.Version = series.GridVersion();
        m.OrderVersion = series.OrderVersion();
        m.RowCount = rows.Size();
        m.ValidCount = series.ValidCount;
        m.HaveRange = false;
    };
    // Sorted data without gaps, the usual case, needs no list of positions.
    std::size_t lead = 0;
    while (lead < rows.Size() && rows.BothXY(lead) &&
           (lead == 0 || !OutOfOrder(rows.X(lead - 1), rows.X(lead), ascending)))
        if (++lead % 65536 == 0) Pulse();
    std::size_t validRows = lead;
    for (std::size_t i = lead; i < rows.Size(); ++i) {
        if (i % 65536 == 0) Pulse();
        validRows += rows.BothXY(i) ? 1 : 0;
    }
    series.ValidCount = static_cast<int>(validRows);
    if (validRows == lead) {
        m.Order.clear();
        m.Order.shrink_to_fit();
        m.Identity = true;
        remember();
        return false;
    }
    // Rows written behind the grid's back: an order that still holds is kept.
    if (!m.Identity && m.Valid && m.Ascending == ascending &&
        OrderStillHolds(rows, m.Order, validRows, ascending)) {
        remember();
        return false;
    }
    m.Identity = false;
    m.Order.clear();
    m.Order.reserve(validRows);
    if (!SortByBuckets(rows, validRows, m.Order, ascending)) {
        m.Order.clear();
        for (std::size_t i = 0; i < rows.Size(); ++i)
            if (rows.BothXY(i)) m.Order.push_back(static_cast<std::uint32_t>(i));
        if (validRows >= 2) SortValidRows(rows, m.Order, ascending);
    }
    remember();
    return false;
}

// Steps after the sort: FirstX, LastX and the Y range of the sorted rows.
void MeasureSorted(Series& series, const GraphSettings& settings) {
    const int last = series.ValidCount - 1;
    series.FirstX = series.ValidRow(0).X;
    series.LastX = series.ValidRow(last).X;
    if (settings.LogX) {
        for (int i = 0; i <= last; ++i) {
            series.FirstX = series.ValidRow(i).X;
            if (series.FirstX > 0) break;
        }
    }
    ComputeYRange(series, settings);
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

void CompactRows(Series& series) {
    RowStore& rows = series.Store();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.Size(); ++i) {
        if (!rows.BothXY(i)) continue;
        if (kept != i) rows.SetRow(kept, rows.Row(i));
        ++kept;
    }
    series.ValidCount = static_cast<int>(kept);
    rows.ClearFrom(kept);
    series.RowsChanged();
}

void ComputeSeriesRange(Series& series, bool ascending, const GraphSettings& settings) {
    AllocationCheckpoint(); // measuring allocates in proportion to the rows
    auto& m = series.Measured;
    const bool unchanged = MeasureOrder(series, ascending);
    if (series.ValidCount < 2) return;
    // A redraw of unchanged rows on the same kind of axes measured them already.
    if (unchanged && m.HaveRange && m.LogX == settings.LogX && m.LogY == settings.LogY) {
        series.FirstX = m.FirstX;
        series.LastX = m.LastX;
        series.MaxY = m.MaxY;
        series.MinY = m.MinY;
        return;
    }
    MeasureSorted(series, settings);
    m.HaveRange = true;
    m.LogX = settings.LogX;
    m.LogY = settings.LogY;
    m.FirstX = series.FirstX;
    m.LastX = series.LastX;
    m.MaxY = series.MaxY;
    m.MinY = series.MinY;
}

void SortRows(Series& series, bool ascending, const GraphSettings& settings) {
    ComputeSeriesRange(series, ascending, settings);
    auto& m = series.Measured;
    RowStore& rows = series.Store();
    const auto valid = static_cast<std::size_t>(series.ValidCount);
    if (!m.Identity) {
        // The rows move in place: the valid ones to their sorted places, the
        // rest after them, to be emptied.
        std::vector<std::uint32_t>& order = m.Order;
        order.reserve(rows.Size());
        for (std::size_t i = 0; i < rows.Size(); ++i)
            if (!rows.BothXY(i)) order.push_back(static_cast<std::uint32_t>(i));
        rows.Permute(order);
        m.Identity = true;
        m.Valid = false;
        m.Order.clear();
        m.Order.shrink_to_fit();
    }
    rows.ClearFrom(valid);
    series.RowsChanged();
}

void ComputeYRange(Series& series, const GraphSettings& settings) {
    if (series.ValidCount < 1) return;
    Real maxY = series.ValidRow(0).Y;
    Real minY = settings.LogY ? RangeStart : maxY;
    // In row order: the extremes do not depend on it, and it reads the rows
    // one after the other.
    const RowStore& rows = series.Store();
    for (std::size_t i = 0; i < rows.Size(); ++i) {
        if (i % 65536 == 0) Pulse();
        if (!rows.BothXY(i)) continue;
        const Real y = rows.Y(i);
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
