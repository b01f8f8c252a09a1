#include "ui/work_progress.h"

#include "ui_test_support.h"

#include <QSignalSpy>

namespace torvel {
namespace {

// Long work paints the windows meanwhile: a redraw asked for from there (a
// resize, say) waits for the work, and is not made twice when the work
// draws the graph itself; closing the main window meanwhile is refused.
TEST(WorkProgress, ARedrawAskedForMeanwhileWaitsForTheWork) {
    test::GraphShell s;
    QSignalSpy drawn(s.main.get(), &TMDIMainF::GraphRedrawn);
    {
        WorkProgress work(s.main.get(), QStringLiteral("Working"));
        PulseScope::PaintNow([&] {
            s.graph->Draw();
            EXPECT_FALSE(s.main->close());
        });
        EXPECT_EQ(drawn.count(), 0);
        s.graph->Draw();
        EXPECT_EQ(drawn.count(), 1);
    }
    EXPECT_EQ(drawn.count(), 1);
    {
        WorkProgress work(s.main.get(), QStringLiteral("Working"));
        PulseScope::PaintNow([&] { s.graph->Draw(); });
        EXPECT_EQ(drawn.count(), 1);
    }
    EXPECT_EQ(drawn.count(), 2);
    EXPECT_TRUE(s.main->isVisible());
}

} // namespace
} // namespace torvel
