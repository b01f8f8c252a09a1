#include "render/markers.h"
#include "render/recording_canvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace torvel {
namespace {

// One recorded figure: its call kind and points.
struct Figure {
    CallKind Kind;
    std::vector<Point> Points;
};

std::vector<Figure> Draw(int shape, bool pentagon = false) {
    RecordingCanvas c;
    DrawMarker(c, 100, 50, shape, 4, pentagon);
    std::vector<Figure> out;
    for (const CanvasCall& call : c.Calls)
        out.push_back({call.Kind, call.Points});
    return out;
}

// Every series number has a marker of its own, drawn within its box around
// the point: x = 100, y = 50, s = 4 gives 96..104 across and 46..54 down.
TEST(Markers, EveryShapeHasItsOwnFigureInsideItsBox) {
    std::vector<std::vector<Figure>> seen;
    for (int shape = 1; shape <= 21; ++shape) {
        const auto figures = Draw(shape);
        ASSERT_FALSE(figures.empty()) << "shape " << shape;
        for (const Figure& f : figures)
            for (const Point& p : f.Points) {
                EXPECT_TRUE(p.X >= 96 && p.X <= 104 && p.Y >= 46 && p.Y <= 54) << "shape " << shape;
                EXPECT_TRUE(p.X == 96 || p.X == 100 || p.X == 104) << "shape " << shape;
            }
        for (std::size_t other = 0; other < seen.size(); ++other) {
            bool same = seen[other].size() == figures.size();
            for (std::size_t i = 0; same && i < figures.size(); ++i)
                same = seen[other][i].Kind == figures[i].Kind &&
                       seen[other][i].Points == figures[i].Points;
            EXPECT_FALSE(same) << "shapes " << other + 1 << " and " << shape;
        }
        seen.push_back(figures);
    }
    // The triangle stands on its base; the cross is the two diagonals.
    EXPECT_EQ(Draw(3)[0].Points, (std::vector<Point>{{96, 54}, {104, 54}, {100, 46}}));
    EXPECT_EQ(Draw(1)[0].Points, (std::vector<Point>{{96, 46}, {104, 54}, {104, 46}, {96, 54}}));
}

} // namespace
} // namespace torvel
