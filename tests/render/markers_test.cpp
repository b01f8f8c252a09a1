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

// The figures are all different, so every series number has its own marker.
TEST(Markers, EveryShapeHasItsFigure) {
    // x = 100, y = 50, s = 4: l 96, r 104, t 46, b 54.
    const int l = 96, r = 104, t = 46, b = 54, x = 100, y = 50;
    using K = CallKind;
    const std::vector<std::vector<Figure>> expected = {
        {},
        {{K::Lines, {{l, t}, {r, b}, {r, t}, {l, b}}}},
        {{K::Ellipse, {{l, t}, {r, b}}}},
        {{K::Polygon, {{l, b}, {r, b}, {x, t}}}},
        {{K::Rectangle, {{l, t}, {r, b}}}},
        {{K::Polygon, {{l, y}, {x, t}, {r, y}, {x, b}}}},
        {{K::Lines, {{l, y}, {r, y}, {x, t}, {x, b}}}},
        {{K::Rectangle, {{l, t}, {x, y}}}, {K::Rectangle, {{x, y}, {r, b}}}},
        {{K::Polygon, {{l, t}, {r, t}, {x, b}}}},
        {{K::Polygon, {{l, y}, {x, t}, {r, y}, {r, b}, {l, b}}}},
        {{K::Lines, {{l, t}, {r, t}, {l, b}, {r, b}, {x, t}, {x, b}}}},
        {{K::Polygon, {{l, b}, {l, t}, {r, b}, {r, t}}}},
        {{K::Polygon, {{l, b}, {r, b}, {l, t}, {r, t}}}},
        {{K::Polygon, {{l, y}, {r, y}, {x, b}, {x, t}}}},
        {{K::Polygon, {{l, y}, {r, y}, {x, t}, {x, b}}}},
        {{K::Lines, {{l, t}, {l, b}, {r, t}, {r, b}, {l, y}, {r, y}}}},
        {{K::Rectangle, {{x, t}, {r, y}}}, {K::Rectangle, {{l, y}, {x, b}}}},
        {{K::Lines, {{l, t}, {l, b}, {r, b}, {l, b}, {r, b}, {r, t}}}},
        {{K::Lines, {{l, t}, {r, t}, {l, b}, {r, t}, {l, b}, {r, b}}}},
        {{K::Lines, {{l, t}, {r, t}, {l, t}, {r, b}, {l, b}, {r, b}}}},
        {{K::Lines, {{l, b}, {l, t}, {r, t}, {l, t}, {r, t}, {r, b}}}},
        {{K::Lines, {{l, t}, {r, t}, {r, b}, {r, t}, {r, b}, {l, b}}}},
    };
    for (int shape = 1; shape <= 21; ++shape) {
        const auto got = Draw(shape);
        const auto& want = expected[static_cast<std::size_t>(shape)];
        ASSERT_EQ(got.size(), want.size()) << "shape " << shape;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].Kind, want[i].Kind) << "shape " << shape;
            EXPECT_EQ(got[i].Points, want[i].Points) << "shape " << shape;
        }
    }
}

TEST(Markers, OtherNumbersAreCirclesAndMonochromeCircleIsPentagon) {
    for (int shape : {0, 22, -3, 1000}) {
        const auto f = Draw(shape);
        ASSERT_EQ(f.size(), 1u);
        EXPECT_EQ(f[0].Kind, CallKind::Ellipse);
    }
    const auto p = Draw(2, true);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].Kind, CallKind::Polygon);
    EXPECT_EQ(p[0].Points,
              (std::vector<Point>{{96, 46}, {104, 46}, {104, 50}, {100, 54}, {96, 50}}));
    EXPECT_EQ(Draw(3, true)[0].Kind, CallKind::Polygon); // other shapes unchanged
}

} // namespace
} // namespace torvel
