#include "print/data_printout.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"

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

    void Row(const Columns& col, int index, const Tdata& row, bool withFit) {
        Draw(col.Index, std::to_string(index), TextAlign::Left);
        if (row.XValid) Draw(col.X, NumberToText(row.X, 14), TextAlign::Left);
        if (row.YValid) Draw(col.Y, NumberToText(row.Y, 14), TextAlign::Left);
        if (withFit && row.YFitValid) Draw(col.YFit, NumberToText(row.YFit, 14), TextAlign::Left);
        ++line_;
    }

    // Rows are printed when they hold anything; a page break repeats the
    // column headings only when another printed row follows it.
    template <class Holds> void Rows(Series& s, const Columns& col, bool withFit, Holds holds) {
        const std::size_t count = std::min(s.Rows.size(), static_cast<std::size_t>(s.IndexCount));
        std::size_t lastHeld = 0; // one past the last row that prints
        for (std::size_t i = 0; i < count; ++i)
            if (holds(s.Rows[i])) lastHeld = i + 1;
        for (std::size_t i = 0; i < lastHeld; ++i) {
            if (!holds(s.Rows[i])) continue;
            Row(col, static_cast<int>(i) + 1, s.Rows[i], withFit);
            if (Beyond()) Continue(s.SeriesNumber, col, i + 1 < lastHeld);
        }
    }

    void PlainTable(Series& s) {
        Headings(PlainColumns);
        Font(false);
        Rows(s, PlainColumns, false, [](const Tdata& r) { return r.XValid || r.YValid; });
    }

    void FitTable(Series& s) {
        Headings(FitColumns);
        Font(false);
        Rows(s, FitColumns, true,
             [](const Tdata& r) { return r.XValid || r.YValid || r.YFitValid; });
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
    switch (fitKind) {
    case 1:
        return "Y   = A + B*X";
    case 2:
        return "Y   = A + B*X + C*X^2";
    case 3:
        return "Y   = A + B*X + C*X^2 + D*X^3";
    case 4:
        return "Y   = A + B*X + C*X^2 + D*X^3 + E*X^4";
    case 5:
        return "Y   = A + B*X + C*X^2 + D*X^3 + E*X^4 + F*X^5";
    case 6:
        return "Y   = A*X^B";
    case 7:
        return "Y   = A*e^(B*X)";
    case 8:
        return "Y   = A + B*Ln(X)";
    default:
        return {};
    }
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
