// The per-series dialog loop: Next steps through the series in use, restores a
// minimised window, and ends with the graph window active and redrawn.
#include "ui_test_support.h"

#include "ui/series_loop.h"

using namespace torvel;
using namespace torvel::test;

namespace {

// Series 1, 3 and 7 with their data windows, and the graph window.
struct LoopShell : test::GraphShell {
    LoopShell() : GraphShell({1, 3, 7}) {}
    QMdiSubWindow* FrameOf(int n) {
        return qobject_cast<QMdiSubWindow*>(
            main->DataWindowOf(*main->Doc().FindSeries(n))->parentWidget());
    }
    // Runs the loop; the "dialog" presses Next `nexts` times, then closes.
    std::vector<int> Run(TSpreadF* start, SeriesLoopEnd end, int nexts) {
        std::vector<int> shown;
        RunSeriesLoop(*main, start, end, [&](TSpreadF& w) {
            // The dialog is shown for the active child, which is that window.
            EXPECT_EQ(main->ActiveChild(), &w);
            EXPECT_FALSE(FrameOf(w.GetSeries().SeriesNumber)->isMinimized());
            shown.push_back(w.GetSeries().SeriesNumber);
            if (static_cast<int>(shown.size()) <= nexts) main->Doc().NextSeriesRequested = true;
        });
        return shown;
    }
};

} // namespace

TEST(SeriesLoop, NextOverSeriesOneThreeAndSeven) {
    LoopShell shell;
    shell.FrameOf(3)->showMinimized();
    Settle();
    QSignalSpy redrawn(shell.main.get(), &TMDIMainF::GraphRedrawn);

    // From the graph window: the lowest series first, around past 21 to 1.
    EXPECT_EQ(shell.Run(nullptr, SeriesLoopEnd::ActivateGraph, 3), (std::vector<int>{1, 3, 7, 1}));
    EXPECT_FALSE(shell.FrameOf(3)->isMinimized());
    EXPECT_EQ(shell.main->ActiveChild(), shell.main->GraphF());
    EXPECT_GE(redrawn.count(), 1);
    EXPECT_FALSE(shell.main->Doc().NextSeriesRequested);

    // From a data window: that window first; without Next, one showing only.
    EXPECT_EQ(shell.Run(shell.WindowOf(7), SeriesLoopEnd::RedrawGraph, 1),
              (std::vector<int>{7, 1}));
    EXPECT_EQ(shell.Run(shell.WindowOf(3), SeriesLoopEnd::NoRedraw, 0), (std::vector<int>{3}));
    EXPECT_EQ(shell.main->ActiveChild(), shell.WindowOf(3));

    // A flag left set before the loop does not make it step on.
    shell.main->Doc().NextSeriesRequested = true;
    EXPECT_EQ(shell.Run(shell.WindowOf(1), SeriesLoopEnd::NoRedraw, 0), (std::vector<int>{1}));
}
