#include "scale/log_scale.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

TEST(LogScaleDialog, ShowPicksTheItemsOfTheFlags) {
    struct Row {
        bool logX, logY, exponential;
        int logBox, formatBox;
    };
    const Row rows[] = {{true, true, true, LogBoxBoth, FormatExponential},
                        {true, false, false, LogBoxX, FormatDecimal},
                        {false, true, true, LogBoxY, FormatExponential},
                        {false, false, false, LogBoxNone, FormatDecimal}};
    for (const Row& r : rows) {
        GraphSettings s;
        s.LogX = r.logX;
        s.LogY = r.logY;
        s.LogFormatExponential = r.exponential;
        int draws = 0;
        LogScaleDialogRules d{s, {[&] { ++draws; }, {}}};
        d.State.CancelShown = false;
        d.Show();
        EXPECT_EQ(d.State.LogBox, r.logBox);
        EXPECT_EQ(d.State.FormatBox, r.formatBox);
        EXPECT_TRUE(d.State.CancelShown);
        EXPECT_EQ(draws, 0);
    }
}

TEST(LogScaleDialog, ChangesTakeEffectAtOnce) {
    GraphSettings s;
    int draws = 0;
    int ensures = 0;
    LogScaleDialogRules d{s, {[&] { ++draws; }, [&] { ++ensures; }}};
    d.Show();
    d.State.LogBox = LogBoxX;
    d.LogBoxChanged();
    EXPECT_TRUE(s.LogX);
    EXPECT_FALSE(s.LogY);
    EXPECT_FALSE(d.State.CancelShown);
    EXPECT_EQ(draws, 1);
    d.State.LogBox = LogBoxBoth;
    d.LogBoxChanged();
    EXPECT_TRUE(s.LogX && s.LogY);
    d.State.LogBox = LogBoxY;
    d.LogBoxChanged();
    EXPECT_FALSE(s.LogX);
    EXPECT_TRUE(s.LogY);
    d.State.FormatBox = FormatDecimal;
    d.FormatBoxChanged();
    EXPECT_FALSE(s.LogFormatExponential);
    EXPECT_EQ(draws, 4);
    // Only an existing graph window is drawn: no window is created.
    EXPECT_EQ(ensures, 0);
}

TEST(LogScaleDialog, OKSetsAllThreeFlags) {
    GraphSettings s;
    s.LogX = true;
    int draws = 0;
    LogScaleDialogRules d{s, {[&] { ++draws; }, {}}};
    d.Show();
    d.State.LogBox = LogBoxNone;
    d.State.FormatBox = FormatDecimal;
    d.OK();
    EXPECT_FALSE(s.LogX);
    EXPECT_FALSE(s.LogY);
    EXPECT_FALSE(s.LogFormatExponential);
    EXPECT_EQ(draws, 0);
    // Nothing else in the settings moves.
    GraphSettings expected;
    expected.LogFormatExponential = false;
    EXPECT_EQ(s, expected);
}

} // namespace
} // namespace torvel
