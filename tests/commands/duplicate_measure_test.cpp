// A duplicate takes its source's measurement (order by X, ranges) instead of
// sorting again: what it draws must equal a fresh measurement of its rows.
#include "commands/data_commands.h"

#include "core/grid_store.h"
#include "scale/ranges.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using namespace testing_support;

TEST(DuplicateMeasure, EqualsAFreshMeasurement) {
    const char* const rows = "3:9 1:2 :5 2:8 3:1 0.5:7 4:";
    // Measured and unchanged; one Y replaced since; one row moved since.
    for (int change = 0; change < 3; ++change) {
        for (const int extra : {0, ExtendIndexRows}) {
            SCOPED_TRACE(change * 100 + extra);
            Document doc;
            SilentFeedback fb;
            Series& src = AddSeries(doc, rows);
            ComputeSeriesRange(src, true, doc.Settings);
            if (change == 1) src.SetCell(YColumn, 2, "-40");
            if (change == 2) src.SetCell(XColumn, 1, "-1");
            Series* copy = DuplicateSeries(doc, src, extra, fb);
            ASSERT_NE(copy, nullptr);
            Document freshDoc;
            Series& fresh = AddSeries(freshDoc, rows);
            fresh.Store() = copy->Store();
            RowsToGrid(fresh);
            ComputeSeriesRange(*copy, true, doc.Settings);
            ComputeSeriesRange(fresh, true, doc.Settings);
            ASSERT_EQ(copy->ValidCount, fresh.ValidCount);
            for (int i = 0; i < fresh.ValidCount; ++i)
                EXPECT_EQ(copy->ValidIndex(i), fresh.ValidIndex(i)) << i;
            EXPECT_EQ(copy->FirstX, fresh.FirstX);
            EXPECT_EQ(copy->LastX, fresh.LastX);
            EXPECT_EQ(copy->MaxY, fresh.MaxY);
            EXPECT_EQ(copy->MinY, fresh.MinY);
        }
    }
}

} // namespace
} // namespace torvel
