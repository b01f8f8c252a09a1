#include "core/number_text.h"
#include "print/data_printout.h"
#include "render/render_test_util.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace torvel {
namespace {

using namespace test;

// Every page's texts as "x,y:text" lines, the page break being where NewPage was called.
class RecordedPages : public PageFeed {
  public:
    explicit RecordedPages(RecordingCanvas& canvas) : canvas_(canvas) {}
    void NewPage() override { breaks.push_back(canvas_.Calls.size()); }

    std::vector<std::vector<CanvasCall>> Pages() const {
        std::vector<std::vector<CanvasCall>> pages(1);
        std::size_t b = 0;
        for (std::size_t i = 0; i < canvas_.Calls.size(); ++i) {
            while (b < breaks.size() && breaks[b] == i) {
                pages.emplace_back();
                ++b;
            }
            if (canvas_.Calls[i].Kind == CallKind::Text) pages.back().push_back(canvas_.Calls[i]);
        }
        while (b++ < breaks.size())
            pages.emplace_back();
        return pages;
    }
    std::vector<std::size_t> breaks;

  private:
    RecordingCanvas& canvas_;
};

const CanvasCall* Find(const std::vector<CanvasCall>& page, const std::string& text) {
    for (const CanvasCall& c : page)
        if (c.Text == text) return &c;
    return nullptr;
}

// Where a text is drawn on the page; none when it is not there.
std::optional<Point> PlaceOf(const std::vector<CanvasCall>& page, const std::string& text) {
    const CanvasCall* c = Find(page, text);
    return c ? std::optional<Point>(c->Points[0]) : std::nullopt;
}

constexpr DataPage A4{2480, 3508, true}; // 300 dpi: u = 24, last line 60
constexpr int U = 24;
constexpr Point At(int column, int line) {
    return {column * U, line * DataLineHeight};
}

TEST(DataPrintout, FitTableWithCoefficientsAndEquation) {
    for (const auto& [kind, letters, equation] :
         {std::tuple{1, 2, "Y   = A + B*X"}, std::tuple{6, 2, "Y   = A*X^B"},
          std::tuple{5, 6, "Y   = A + B*X + C*X^2 + D*X^3 + E*X^4 + F*X^5"}}) {
        Document doc;
        doc.Settings.MainTitles = {"", "Second", ""};
        Series& s = AddSeries(doc, {{1, 2}, {2, 4}});
        s.SetCell(YFitColumn, 1, "2");
        s.Fit.FitKind = kind;
        s.HasFit = true;
        s.Fit.Coef = {0, 0.5L, 2, 3, 4, 5, 6, 0.25L};
        RecordingCanvas canvas;
        RecordedPages feed(canvas);
        PrintDataTables(doc, canvas, feed, {3508, 2480, false});
        const auto page = feed.Pages().front();
        // Landscape: no blank line after the one title.
        EXPECT_EQ(PlaceOf(page, "Second"), (Point{50 * 35, 3 * 55}));
        EXPECT_EQ(PlaceOf(page, "Series #1"), (Point{50 * 35, 6 * 55}));
        EXPECT_EQ(PlaceOf(page, "YFit"), (Point{75 * 35, 8 * 55}));
        EXPECT_EQ(PlaceOf(page, "A   = .5"), (Point{35 * 35, 13 * 55}));
        const std::string last = std::string(1, char('A' + letters - 1)) + "   = " +
                                 NumberToText(s.Fit.Coef[std::size_t(letters)], 14);
        EXPECT_EQ(PlaceOf(page, last), (Point{35 * 35, (12 + letters) * 55})) << kind;
        EXPECT_EQ(PlaceOf(page, "R^2 = .25"), (Point{35 * 35, (13 + letters) * 55}));
        EXPECT_EQ(PlaceOf(page, equation), (Point{35 * 35, (14 + letters) * 55}));
        EXPECT_FALSE(Find(page, std::string(1, char('A' + letters)) + "   = " +
                                    NumberToText(s.Fit.Coef[std::size_t(letters + 1)], 14)));
    }
}

TEST(DataPrintout, PageBreaksRepeatTheHeadingsOnlyWhenRowsFollow) {
    // A4 portrait at 300 dpi: lines 3..60. Page 1 holds rows on lines 11..60.
    for (const int rows : {50, 60}) {
        Document doc;
        std::vector<std::pair<Real, Real>> values;
        for (int i = 1; i <= rows; ++i)
            values.emplace_back(i, 100 + i);
        AddSeries(doc, values);
        AddSeries(doc, {{1, 1}}); // goes on after the break
        RecordingCanvas canvas;
        RecordedPages feed(canvas);
        EXPECT_EQ(PrintDataTables(doc, canvas, feed, A4), 2);
        const auto pages = feed.Pages();
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_FALSE(Find(pages[0], "Page 1"));
        EXPECT_EQ(PlaceOf(pages[0], "150"), At(70, 60));
        EXPECT_EQ(PlaceOf(pages[1], "Page 2"), At(50, 3));
        const CanvasCall* continued = Find(pages[1], "Series #1  (continued)");
        ASSERT_TRUE(continued);
        EXPECT_EQ(continued->Points[0], At(50, 5));
        EXPECT_EQ(continued->Font.Colour, PrintColorOf(1));
        if (rows == 50) {
            // The last row ended the page: no column headings over nothing.
            EXPECT_EQ(PlaceOf(pages[1], "Series #2"), At(50, 9));
        } else {
            EXPECT_EQ(PlaceOf(pages[1], "Index"), At(20, 7));
            EXPECT_EQ(PlaceOf(pages[1], "51"), At(20, 9));
        }
    }
}

} // namespace
} // namespace torvel
