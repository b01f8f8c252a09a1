#include "scale/log_scale.h"

#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <tuple>

namespace torvel {
namespace {

using namespace testing_support;

TEST(LogScaleDialog, ChangesTakeEffectAtOnceAndOKSetsAllThreeFlags) {
    GraphSettings s;
    DrawCounter d;
    LogScaleDialogRules dialog{s, d.Hooks()};
    dialog.Show();
    for (auto [choice, x, y] : {std::tuple{LogBoxX, true, false},
                                {LogBoxBoth, true, true},
                                {LogBoxY, false, true},
                                {LogBoxNone, false, false}}) {
        dialog.State.LogBox = choice;
        dialog.LogBoxChanged();
        EXPECT_EQ(s.LogX, x);
        EXPECT_EQ(s.LogY, y);
        EXPECT_FALSE(dialog.State.CancelShown);
    }
    dialog.State.FormatBox = FormatDecimal;
    dialog.FormatBoxChanged();
    EXPECT_FALSE(s.LogFormatExponential);
    // Only an existing graph window is drawn: no window is created.
    EXPECT_EQ(d.draw, 5);
    EXPECT_EQ(d.ensure, 0);

    // OK sets the flags from both groups, draws nothing and moves nothing else.
    dialog.State.LogBox = LogBoxX;
    dialog.State.FormatBox = FormatExponential;
    dialog.OK();
    GraphSettings expected;
    expected.LogX = true;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(d.draw, 5);
}

} // namespace
} // namespace torvel
