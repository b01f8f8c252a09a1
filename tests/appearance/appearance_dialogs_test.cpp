// The rules of the title, series title, graph type and floating titles dialogs.
#include "appearance/floating_titles_dialog.h"
#include "appearance/graph_type_dialog.h"
#include "appearance/series_title_dialog.h"
#include "appearance/title_dialogs.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace torvel;

namespace {

// A document holding the given series numbers, and counters for the redraws.
struct Fixture {
    explicit Fixture(std::initializer_list<int> numbers) {
        for (int n : numbers) {
            doc.LoadingSeries = true;
            doc.LoadingSeriesNumber = n;
            doc.CreateSeries(feedback);
        }
        doc.SortDataWindows();
        redraw.Draw = [this] { ++draws; };
        redraw.EnsureAndDraw = [this] {
            ++ensured;
            ++draws;
        };
    }
    Series& S(int n) { return *doc.FindSeries(n); }
    std::vector<std::string> Titles() {
        std::vector<std::string> t;
        for (const auto& s : doc.DataWindows())
            t.push_back(s->SeriesTitle);
        return t;
    }

    Document doc;
    RecordingFeedback feedback;
    RedrawHooks redraw;
    int draws = 0, ensured = 0;
};

} // namespace

TEST(TitleDialogs, ShowFillsOkCopiesBackAsTyped) {
    Fixture f({1});
    GraphSettings& s = f.doc.Settings;
    s.MainTitles = {"a", "b", "c"};
    s.XTitles = {"x1", "", "x3"};
    s.YTitles = {"left", "right"};

    TitleDialogRules main(f.doc, TitleDialogKind::Main);
    TitleDialogRules x(f.doc, TitleDialogKind::XAxis);
    TitleDialogRules y(f.doc, TitleDialogKind::YAxis);
    main.Show();
    x.Show();
    y.Show();
    EXPECT_EQ(main.State.Boxes, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(x.State.Boxes, (std::vector<std::string>{"x1", "", "x3"}));
    EXPECT_EQ(y.State.Boxes, (std::vector<std::string>{"left", "right"}));
    EXPECT_EQ(y.BoxNames(), (std::vector<std::string>{"TitY1", "TitY2"}));

    main.State.Boxes = {"", "  two ", "c"};
    main.OK();
    EXPECT_EQ(s.MainTitles, (std::array<std::string, 3>{"", "  two ", "c"}));
    y.State.Boxes[1] = "R";
    y.OK();
    EXPECT_EQ(s.YTitles[1], "R");
    // A cancelled edit is lost: the next Show starts from the settings.
    x.State.Boxes[0] = "typed";
    x.Show();
    EXPECT_EQ(x.State.Boxes[0], "x1");
}

TEST(SeriesTitleDialog, AutoLabelAllAndItsRefusals) {
    Fixture f({1, 3, 12});
    SeriesTitleDialogRules r(f.doc, f.feedback, f.redraw);

    // The text-plus-number command on series 3 with the text Run.
    f.S(3).SeriesTitle = "old";
    r.Show(f.S(3));
    EXPECT_EQ(r.State.TitSer1, "old");
    r.State.TitSer1 = "Run";
    r.TextPlusNumber();
    EXPECT_EQ(r.State.TitSer1, "Run #3");
    EXPECT_EQ(f.Titles(), (std::vector<std::string>{"Run #1", "Run #3", "Run #12"}));
    EXPECT_FALSE(r.State.CancelShown);
    EXPECT_EQ(f.draws, 1);
    // Used again, it beeps, and so does the text-only command; nothing changes.
    r.TextPlusNumber();
    r.TextOnly();
    EXPECT_EQ(f.feedback.Beeps, 2);
    EXPECT_EQ(r.State.TitSer1, "Run #3");
    EXPECT_EQ(f.draws, 1);

    // Series 12: a text ending in #12 is refused, one ending in #2 is not.
    r.Show(f.S(12));
    EXPECT_TRUE(r.State.CancelShown);
    r.State.TitSer1 = "A #12";
    r.TextPlusNumber();
    EXPECT_EQ(f.feedback.Beeps, 3);
    r.State.TitSer1 = "B #2";
    r.TextOnly();
    EXPECT_EQ(f.feedback.Beeps, 3);
    EXPECT_EQ(f.Titles(), (std::vector<std::string>{"B #2", "B #2", "B #2"}));
    r.State.TitSer1.clear();
    r.TextOnly();
    EXPECT_EQ(f.feedback.Beeps, 4);

    r.SeriesPlusNumber();
    EXPECT_EQ(r.State.TitSer1, "Series #12");
    EXPECT_EQ(f.Titles(), (std::vector<std::string>{"Series #1", "Series #3", "Series #12"}));
    r.Clear();
    EXPECT_EQ(r.State.TitSer1, "");
    EXPECT_EQ(f.Titles(), (std::vector<std::string>{"", "", ""}));
    EXPECT_FALSE(r.State.CancelShown);
}

TEST(GraphTypeDialog, ChoicesTakeEffectAtOnce) {
    struct Case {
        const char* name;
        bool hasFit;
        bool fitDialogFits; // the fit dialog leaves a fit behind
        int chosen;         // item of RadioGroup1
        int type;           // GraphType afterwards
        int beeps, fitDialogs;
    };
    const Case cases[] = {
        {"Fit without a fit, cancelled", false, false, 2, GraphLine, 1, 1},
        {"Line & Fit without a fit, cancelled", false, false, 5, GraphLine, 1, 1},
        {"Bar & Fit without a fit, cancelled", false, false, 6, GraphBar, 1, 1},
        {"Fit without a fit, fitted", false, true, 2, GraphFit, 1, 1},
        {"Line & Fit with a fit", true, false, 5, GraphLineFit, 0, 0},
        {"Line & Bar", false, false, 4, GraphLineBar, 0, 0},
        {"None", false, false, 3, GraphNone, 0, 0},
    };
    for (const Case& c : cases) {
        Fixture f({4});
        Series& s = f.S(4);
        s.HasFit = c.hasFit;
        int fitDialogs = 0;
        GraphTypeDialogRules r(f.doc, f.feedback, f.redraw, [&](Series& fitted) {
            ++fitDialogs;
            EXPECT_EQ(&fitted, &s);
            if (c.fitDialogFits) fitted.HasFit = true;
        });
        r.Show(s);
        r.State.RadioGroup1 = c.chosen;
        r.GraphTypeChosen();
        EXPECT_EQ(s.GraphType, c.type) << c.name;
        EXPECT_EQ(r.State.RadioGroup1, c.type - 1) << c.name;
        EXPECT_EQ(f.feedback.Beeps, c.beeps) << c.name;
        EXPECT_EQ(fitDialogs, c.fitDialogs) << c.name;
        EXPECT_EQ(f.draws, 1) << c.name;
    }
}

TEST(FloatingTitlesDialog, PositionBoxes) {
    ScopedDecimalSeparator point('.');
    struct Case {
        const char* text;
        Real value;
    };
    const Case cases[] = {
        {"1.5", 1.5L}, {"1,5", 0},         {"", 0},  {"2 ", 0},
        {" 2", 2},     {"-3E+0002", -300}, {"x", 0}, {"1e99999", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatPositionOf(c.text), c.value) << '"' << c.text << '"';
    // Where the program writes a decimal comma, a comma is its point.
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(FloatPositionOf("1,5"), 1.5L);
}

TEST(FloatingTitlesDialog, ShowOkAndView) {
    ScopedDecimalSeparator point('.');
    Fixture f({1});
    GraphSettings& s = f.doc.Settings;
    s.FloatTitleText[0] = "peak";
    s.FloatTitleX[0] = 1.0L / 3; // shown rounded, kept whole
    s.FloatTitleY[0] = 1.0L / 7; // a box left as shown keeps its own value
    s.FloatTitleY[9] = 2.5L;
    FloatingTitlesDialogRules r(f.doc, f.redraw);
    r.Show();
    EXPECT_EQ(r.State.Texts[0], "peak");
    EXPECT_EQ(r.State.X[0], NumberToText(1.0L / 3, 14));
    EXPECT_EQ(r.State.Y[9], "2.5");
    EXPECT_EQ(r.State.X[1], "0");

    r.State.Texts[1] = "new";
    r.State.X[1] = "1,5";
    r.State.Y[1] = "";
    r.State.Y[9] = "7";
    r.View();
    EXPECT_FALSE(r.State.CancelShown);
    EXPECT_EQ(f.ensured, 1);
    EXPECT_EQ(s.FloatTitleText[1], "new");
    EXPECT_EQ(s.FloatTitleX[0], 1.0L / 3);
    EXPECT_EQ(s.FloatTitleY[0], 1.0L / 7);
    EXPECT_EQ(s.FloatTitleX[1], 0);
    EXPECT_EQ(s.FloatTitleY[9], 7);
    const GraphSettings viewed = s;
    r.OK();
    EXPECT_EQ(s, viewed); // View then OK applies the same values twice

    // The empty box shows "0" at the next opening; "Cancel" is back.
    r.Show();
    EXPECT_EQ(r.State.Y[1], "0");
    EXPECT_TRUE(r.State.CancelShown);
}
