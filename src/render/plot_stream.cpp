#include "render/plot_stream.h"

#include <algorithm>
#include <climits>

namespace torvel {

namespace {

// A column run longer than this is cut down while it grows, so a series whose
// rows all fall in one column never holds them all.
constexpr std::size_t RunLimit = 64;
// Marks of one column held at most before they are drawn anyway.
constexpr std::size_t HeldLimit = 1 << 16;

} // namespace

PlotStream::PlotStream(Canvas& canvas, const PlotMarks& marks)
    : c_(canvas), m_(marks), polyline_(!marks.Markers && !marks.Bars) {
    const auto rows = static_cast<std::size_t>(std::max(0, m_.PlotBottom - m_.PlotTop) + 1);
    if (m_.Reduce && m_.Markers) markerSeen_.assign(rows, 0);
    if (m_.Reduce && !polyline_) dotSeen_.assign(rows, 0);
}

void PlotStream::At(Point p) {
    if (m_.Markers) Hold({Kind::Marker, p, p});
    if (m_.Bars) Hold({Kind::Bar, p, p});
}

void PlotStream::LinePiece(Point a, Point b) {
    if (!polyline_) {
        if (a.X == b.X) {
            Hold({Kind::Piece, a, b});
        } else {
            // A piece between columns ends the column before it.
            FlushColumn();
            Draw({Kind::Piece, a, b});
        }
        return;
    }
    if (points_.empty() || points_.back() != a) {
        FlushPolyline();
        points_.push_back(a);
        runStart_ = 0;
    }
    if (b != points_.back()) Extend(b);
}

void PlotStream::Finish() {
    FlushColumn();
    FlushPolyline();
}

void PlotStream::Extend(Point p) {
    if (!m_.Reduce) {
        points_.push_back(p);
        return;
    }
    if (p.X != points_.back().X) {
        CloseRun();
        runStart_ = points_.size();
    }
    points_.push_back(p);
    if (points_.size() - runStart_ > RunLimit) CloseRun();
}

// The pieces of one column are vertical and each is drawn on its own
// (Canvas::SeriesLine), so the run covers the rows from its lowest to its
// highest point, whichever way it went between them: its first and last
// point and one point at each extreme draw the same.
void PlotStream::CloseRun() {
    const std::size_t begin = runStart_, end = points_.size();
    if (end - begin <= 4) return;
    std::size_t low = begin, high = begin;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (points_[i].Y < points_[low].Y) low = i;
        if (points_[i].Y > points_[high].Y) high = i;
    }
    const Point first = points_[begin], last = points_[end - 1];
    const Point a = points_[std::min(low, high)], b = points_[std::max(low, high)];
    std::size_t n = begin;
    points_[n++] = first;
    for (const Point p : {a, b, last})
        if (p != points_[n - 1]) points_[n++] = p;
    points_.resize(n);
}

void PlotStream::FlushPolyline() {
    if (m_.Reduce && !points_.empty()) CloseRun();
    if (points_.size() >= 2) c_.SeriesLine(points_);
    points_.clear();
    runStart_ = 0;
}

void PlotStream::Hold(const Mark& m) {
    if (!m_.Reduce) {
        Draw(m);
        return;
    }
    if (!held_.empty() && m.A.X != heldColumn_) FlushColumn();
    heldColumn_ = m.A.X;
    // The same mark held a little earlier is painted over by this one, as the
    // column's flush would find: dropped now, rows that stay in a pixel or
    // two hold a few marks rather than all of theirs.
    const std::size_t n = held_.size();
    for (std::size_t back = 1; back <= 4 && back <= n; ++back) {
        const Mark& earlier = held_[n - back];
        if (earlier.What == m.What && earlier.A == m.A && earlier.B == m.B) {
            held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(n - back));
            break;
        }
    }
    held_.push_back(m);
    if (held_.size() >= HeldLimit) FlushColumn();
}

// Walks the column's marks from the last back: a mark is left out when the
// marks after it cover every pixel it could paint, so the row order of what
// is drawn, and with it what lies on top, stays as it was.
void PlotStream::FlushColumn() {
    if (held_.empty()) return;
    keep_.assign(held_.size(), 1);
    if (++serial_ == 0) {
        std::fill(markerSeen_.begin(), markerSeen_.end(), 0);
        std::fill(dotSeen_.begin(), dotSeen_.end(), 0);
        serial_ = 1;
    }
    // The top of the tallest later bar; a bar of no height (on the plot's
    // bottom) paints its bottom row, which no taller bar does.
    int tallest = INT_MAX;
    bool flatLater = false;
    // The rows later pieces of line surely paint (see below).
    bool covered = false;
    int low = 0, high = 0;
    for (std::size_t k = held_.size(); k-- > 0;) {
        const Mark& mk = held_[k];
        switch (mk.What) {
        case Kind::Marker: {
            const auto row = static_cast<std::size_t>(mk.A.Y - m_.PlotTop);
            if (row >= markerSeen_.size()) break;
            if (markerSeen_[row] == serial_) keep_[k] = 0;
            markerSeen_[row] = serial_;
            break;
        }
        case Kind::Bar:
            if (mk.A.Y >= m_.PlotBottom) {
                if (flatLater) keep_[k] = 0;
                flatLater = true;
            } else {
                if (mk.A.Y >= tallest) keep_[k] = 0;
                tallest = std::min(tallest, mk.A.Y);
            }
            break;
        case Kind::Piece: {
            // Rows grow downwards. A thin piece paints its rows but the last,
            // a wide one all of them; a point its own row and, wide, the one
            // below. Later pieces surely paint the rows from low to high - 1
            // on a thin line, to high on a wide one.
            const int from = std::min(mk.A.Y, mk.B.Y), to = std::max(mk.A.Y, mk.B.Y);
            if (covered && low <= from && (from == to ? to + 1 : to) <= high) keep_[k] = 0;
            if (from == to) {
                // A later piece of no length at the same point paints it again
                // (rows that stay in one pixel give one such piece a row).
                const auto row = static_cast<std::size_t>(from - m_.PlotTop);
                if (row < dotSeen_.size()) {
                    if (dotSeen_[row] == serial_) keep_[k] = 0;
                    dotSeen_[row] = serial_;
                }
                break;
            }
            if (!covered) {
                covered = true;
                low = from;
                high = to;
            } else if (from <= high && to >= low) {
                low = std::min(low, from);
                high = std::max(high, to);
            } else if (to - from > high - low) {
                low = from;
                high = to;
            }
            break;
        }
        }
    }
    for (std::size_t k = 0; k < held_.size(); ++k)
        if (keep_[k]) Draw(held_[k]);
    held_.clear();
}

void PlotStream::Draw(const Mark& m) {
    switch (m.What) {
    case Kind::Marker:
        c_.Marker(m.A, m_.Shape, m_.MarkerSize, m_.Pentagon);
        break;
    case Kind::Bar: {
        // At the plot's left and right edges a bar reaches inward only.
        const int left = m.A.X == m_.PlotLeft ? m.A.X : m.A.X - m_.BarHalf;
        const int right = m.A.X == m_.PlotRight ? m.A.X : m.A.X + m_.BarHalf;
        c_.SetBrush(m_.Colour);
        c_.Rectangle({left, m.A.Y}, {right, m_.PlotBottom});
        c_.SetBrush(m_.Paper);
        break;
    }
    case Kind::Piece:
        c_.Line(m.A, m.B);
        break;
    }
}

} // namespace torvel
