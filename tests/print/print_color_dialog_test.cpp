#include "print/print_color_dialog.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

TEST(PrintColorDialog, ShowsTheItemOfTheCodeAndStoresTheCodeOfTheItem) {
    Document doc;
    SilentFeedback fb;
    Series& s = doc.CreateSeries(fb);
    PrintColorDialogRules rules(doc);
    const struct {
        int code, item;
    } cases[] = {{PrintDefault, 0}, {PrintBlack, 1}, {PrintRed, 2},
                 {PrintGreen, 3},   {PrintBlue, 4},  {7, 0}};
    for (const auto& c : cases) {
        s.PrintColor = c.code;
        rules.Show(s);
        EXPECT_EQ(rules.State.RadioGroup1, c.item) << c.code;
    }
    EXPECT_EQ(rules.State.Label1, "Series #1");
    EXPECT_EQ(rules.State.Label1Colour, SeriesColorOf(1));

    rules.State.RadioGroup1 = 2;
    rules.OK(s);
    EXPECT_EQ(s.PrintColor, PrintRed);
    EXPECT_FALSE(doc.NextSeriesRequested);
    rules.State.RadioGroup1 = 4;
    rules.Next(s);
    EXPECT_EQ(s.PrintColor, PrintBlue);
    EXPECT_TRUE(doc.NextSeriesRequested);
}

} // namespace
} // namespace torvel
