// Building small documents for the renderer tests and drawing them into a
// recording canvas.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/number_text.h"
#include "render/draw_graph.h"
#include "render/recording_canvas.h"

#include <gtest/gtest.h>

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

// Fixed axes min..max on X and both Y axes, no multi-scale.
inline void FixedAxes(Document& doc, Real max = 10, Real min = 0) {
    GraphSettings& g = doc.Settings;
    g.XMax = g.YLMax = g.YRMax = max;
    g.XMin = g.YLMin = g.YRMin = min;
    g.MultiScaleX = g.MultiScaleYL = g.MultiScaleYR = false;
}

// One screen draw: what was drawn and the geometry it left.
struct Drawn {
    RecordingCanvas Canvas;
    GraphGeometry Geo;
};
inline Drawn DrawScreen(Document& doc, int w = 800, int h = 600, const ScreenInfo& screen = {},
                        GraphViewState view = {}) {
    Drawn d;
    d.Geo = DrawGraph(doc, d.Canvas, view, w, h, screen);
    return d;
}
inline RecordingCanvas DrawPrinted(Document& doc, const PrinterPage& page,
                                   GraphViewState view = {}) {
    RecordingCanvas c;
    DrawGraphToPrinter(doc, c, view, page);
    return c;
}

inline std::vector<Point> FramePoints(const RecordingCanvas& c) {
    for (const CanvasCall& call : c.Calls)
        if (call.Kind == CallKind::Polyline && call.Points.size() == 5 &&
            call.Points.front() == call.Points.back())
            return call.Points;
    return {};
}

inline const CanvasCall* FindText(const RecordingCanvas& c, const std::string& text) {
    for (const CanvasCall& call : c.Calls)
        if (call.Kind == CallKind::Text && call.Text == text) return &call;
    return nullptr;
}
inline bool HasText(const RecordingCanvas& c, const std::string& text) {
    return FindText(c, text) != nullptr;
}

// The text was drawn, its first drawing anchored at `at` with `align`.
inline void ExpectText(const RecordingCanvas& c, const std::string& text, Point at,
                       TextAlign align) {
    const CanvasCall* call = FindText(c, text);
    ASSERT_TRUE(call) << text;
    EXPECT_EQ(call->Points[0], at) << text;
    EXPECT_EQ(call->Align, align) << text;
}

// The calls of one kind drawn with a pen of the given colour.
inline std::vector<CanvasCall> InColour(const RecordingCanvas& c, Rgb colour, CallKind kind) {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : c.Calls)
        if (call.Kind == kind && call.PenColour == colour) out.push_back(call);
    return out;
}

} // namespace torvel::test
