// Building small documents for the renderer tests.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/number_text.h"
#include "render/draw_graph.h"
#include "render/recording_canvas.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace torvel::test {

// A series whose rows are the given (x, y) pairs, as typed into its grid.
inline Series& AddSeries(Document& doc, const std::vector<std::pair<Real, Real>>& rows,
                         bool left = true, int graphType = GraphLine, bool points = true) {
    SilentFeedback fb;
    Series& s = doc.CreateSeries(fb);
    s.SetIndexCount(std::max<int>(static_cast<int>(rows.size()), 1));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        s.SetCell(XColumn, static_cast<int>(i) + 1, NumberToText(rows[i].first, 14));
        s.SetCell(YColumn, static_cast<int>(i) + 1, NumberToText(rows[i].second, 14));
    }
    s.YAxisLeft = left;
    s.GraphType = graphType;
    s.ShowPoints = points;
    doc.SortDataWindows();
    return s;
}

// Fixed axes 0..10 on X and both Y axes, no multi-scale, no log.
inline void FixedAxes(Document& doc, Real max = 10, Real min = 0) {
    GraphSettings& g = doc.Settings;
    g.XMax = g.YLMax = g.YRMax = max;
    g.XMin = g.YLMin = g.YRMin = min;
    g.MultiScaleX = g.MultiScaleYL = g.MultiScaleYR = false;
}

inline std::vector<Point> FramePoints(const RecordingCanvas& c) {
    for (const CanvasCall& call : c.Calls)
        if (call.Kind == CallKind::Polyline && call.Points.size() == 5 &&
            call.Points.front() == call.Points.back())
            return call.Points;
    return {};
}

inline bool HasText(const RecordingCanvas& c, const std::string& text) {
    for (const CanvasCall& call : c.Texts())
        if (call.Text == text) return true;
    return false;
}

inline const CanvasCall* FindText(const RecordingCanvas& c, const std::string& text) {
    for (const CanvasCall& call : c.Calls)
        if (call.Kind == CallKind::Text && call.Text == text) return &call;
    return nullptr;
}

} // namespace torvel::test
