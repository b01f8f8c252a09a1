#include "print/data_printout.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "core/work_pulse.h"
#include "fit/fit_dialog.h"

#include <algorithm>
#include <cstddef>

namespace torvel {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};

// Column positions, in hundredths of the page width.
struct Columns {
    int Index, X, Y, YFit; // YFit 0: the plain layout has no fitted column
};
constexpr Columns FitColumns{15, 35, 55, 75};
constexpr Columns PlainColumns{20, 45, 70, 0};

std::string SeriesHeading(int seriesNumber) {
    return "Series #" + std::to_string(seriesNumber);
}

class Printout {
  public:
    Printout(Canvas& canvas, PageFeed& pages, const DataPage& page)
        : c_(canvas), pages_(pages), unit_(page.Width / 100), last_(LastDataLine(page)) {}

    int Pages() const { return page_; }

    void Title(const GraphSettings& settings, const std::string& graphFileName) {
        Font(true);
        const bool none = std::all_of(settings.MainTitles.begin(), settings.MainTitles.end(),
                                      [](const std::string& t) { return t.empty(); });
        if (none) {
            Draw(50, graphFileName, TextAlign::Centre);
            ++line_;
            return;
        }
        for (const std::string& t : settings.MainTitles) {
            if (t.empty()) continue;
            Draw(50, t, TextAlign::Centre);
            ++line_;
        }
    }

    void SkipLine() { ++line_; }

    void PrintSeries(Series& s) {
        line_ += 2;
        Font(true);
        if (Beyond()) {
            StartPage();
            Font(true);
        }
        c_.SetFontColour(PrintColorOf(s.SeriesNumber));
        Draw(50, SeriesHeading(s.SeriesNumber), TextAlign::Centre);
        if (!s.SeriesTitle.empty()) {
            ++line_;
            Draw(50, s.SeriesTitle, TextAlign::Centre);
        }
        c_.SetFontColour(Black);
        line_ += 2;
        if (s.Fit.FitKind != 0)
            FitTable(s);
        else
            PlainTable(s);
    }

  private:
    void Font(bool underline) {
        c_.SetFont({DataPrintFace, DataPrintFontSize, true, underline, Black});
    }
    void Draw(int at, const std::string& text, TextAlign align) {
        c_.Text({at * unit_, line_ * DataLineHeight}, text, align);
    }
    bool Beyond() const { return line_ > last_; }

    // A new page with its page line; the font is left bold and underlined.
    void StartPage() {
        pages_.NewPage();
        ++page_;
        c_.SetBrush(White);
        line_ = DataFirstLine;
        Font(true);
        Draw(50, "Page " + std::to_string(page_), TextAlign::Centre);
        line_ += 2;
    }

    void Headings(const Columns& col) {
        Draw(col.Index, "Index", TextAlign::Left);
        Draw(col.X, "X", TextAlign::Left);
        Draw(col.Y, "Y", TextAlign::Left);
        if (col.YFit) Draw(col.YFit, "YFit", TextAlign::Left);
        line_ += 2;
    }

    // The rest of a series on a new page: "(continued)" heading and, when
    // more rows follow, the column headings again.
    void Continue(int seriesNumber, const Columns& col, bool headings) {
        StartPage();
        c_.SetFontColour(PrintColorOf(seriesNumber));
        Draw(50, SeriesHeading(seriesNumber) + "  (continued)", TextAlign::Centre);
        c_.SetFontColour(Black);
        line_ += 2;
        if (headings) Headings(col);
        Font(false);
    }

    // The texts of one row in its printed columns; a row with none is not printed.
    struct RowTexts {
        std::string X, Y, YFit;
        bool Empty() const { return X.empty() && Y.empty() && YFit.empty(); }
    };

    // Rows 1..IndexCount as texts(r) gives them; a page break repeats the
    // column headings only when another printed row follows it.
    template <class Texts> void Rows(Series& s, const Columns& col, Texts texts) {
        const int count = static_cast<int>(
            std::min(s.Store().Size(), static_cast<std::size_t>(std::max(s.IndexCount, 0))));
        int lastHeld = 0; // the last row that prints
        for (int r = 1; r <= count; ++r) {
            Pulse(); // millions of rows take minutes to print
            if (!texts(r).Empty()) lastHeld = r;
        }
        for (int r = 1; r <= lastHeld; ++r) {
            Pulse();
            const RowTexts t = texts(r);
            if (t.Empty()) continue;
            Draw(col.Index, std::to_string(r), TextAlign::Left);
            if (!t.X.empty()) Draw(col.X, t.X, TextAlign::Left);
            if (!t.Y.empty()) Draw(col.Y, t.Y, TextAlign::Left);
            if (col.YFit && !t.YFit.empty()) Draw(col.YFit, t.YFit, TextAlign::Left);
            ++line_;
            if (Beyond()) Continue(s.SeriesNumber, col, r < lastHeld);
        }
    }

    // Without a fit the cells print exactly as the grid shows them, a text
    // that is not a number included.
    void PlainTable(Series& s) {
        Headings(PlainColumns);
        Font(false);
        Rows(s, PlainColumns, [&s](int r) {
            return RowTexts{s.Cell(XColumn, r), s.Cell(YColumn, r), {}};
        });
    }

    void FitTable(Series& s) {
        Headings(FitColumns);
        Font(false);
        Rows(s, FitColumns, [&s](int r) {
            const Tdata row = s.Store().Row(static_cast<std::size_t>(r - 1));
            auto text = [](bool present, Real v) {
                return present ? NumberToText(v, 14) : std::string();
            };
            return RowTexts{text(row.XValid, row.X), text(row.YValid, row.Y),
                            text(row.YFitValid, row.YFit)};
        });
        const int m = FitCoefficientCount(s.Fit.FitKind);
        ++line_;
        static constexpr char Letters[] = "ABCDEF";
        for (int i = 1; i <= m; ++i) {
            Draw(FitColumns.X,
                 std::string(1, Letters[i - 1]) + "   = " +
                     NumberToText(s.Fit.Coef[static_cast<std::size_t>(i)], 14),
                 TextAlign::Left);
            ++line_;
            if (Beyond()) Continue(s.SeriesNumber, FitColumns, i < m);
        }
        Draw(FitColumns.X, "R^2 = " + NumberToText(s.Fit.Coef[7], 14), TextAlign::Left);
        ++line_;
        if (Beyond()) Continue(s.SeriesNumber, FitColumns, false);
        Draw(FitColumns.X, FitEquationText(s.Fit.FitKind), TextAlign::Left);
        ++line_;
    }

    Canvas& c_;
    PageFeed& pages_;
    int unit_;
    int last_;
    int line_ = DataFirstLine;
    int page_ = 1;
};

} // namespace

int LastDataLine(const DataPage& page) {
    return page.Height / DataLineHeight - (page.Portrait ? 3 : 6);
}

std::string FitEquationText(int fitKind) {
    // The fit dialog's equation, its "=" moved under the coefficients' "=".
    std::string text = SampleEquation(fitKind);
    if (!text.empty()) text.insert(1, "  ");
    return text;
}

int FitCoefficientCount(int fitKind) {
    if (fitKind >= 6) return 2;
    return std::clamp(fitKind + 1, 1, 6);
}

int PrintDataTables(Document& doc, Canvas& canvas, PageFeed& pages, const DataPage& page) {
    Printout out(canvas, pages, page);
    canvas.SetBrush(White);
    out.Title(doc.Settings, doc.GraphFileName);
    if (page.Portrait) out.SkipLine();
    for (const auto& s : doc.DataWindows()) {
        AllocationCheckpoint(); // a series' texts are made row by row
        GridToRows(*s);
        out.PrintSeries(*s);
    }
    return out.Pages();
}

} // namespace torvel
