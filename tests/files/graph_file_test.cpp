#include "files/graph_file.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "files/atomic_file.h"
#include "files/file_test_support.h"
#include "fit/fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// The lines of one series block as the program writes them.
std::vector<std::string> Block(int number, const std::vector<std::string>& rows,
                               const std::string& graphType = "1", const std::string& hasFit = "1",
                               const std::string& fitKind = "0") {
    std::vector<std::string> b{std::to_string(rows.size()), std::to_string(number)};
    b.insert(b.end(), rows.begin(), rows.end());
    const std::string zero = FileNumberText(0);
    for (const std::string& l :
         {std::string("0"), std::string("0"), graphType, "Series " + std::to_string(number), hasFit,
          fitKind, zero, zero, zero, zero, zero, zero, zero, std::string("4"), std::string("2")})
        b.push_back(l);
    return b;
}

std::string Row(Real x, Real y) {
    return FileNumberText(x) + " " + FileNumberText(y);
}

// Sections 3 to 11 (and 12 unless older) of a document with reset settings.
std::vector<std::string> Settings(bool withFloatingTitles = true) {
    const std::string zero = FileNumberText(0);
    std::vector<std::string> s{zero, zero, zero, zero, zero, zero, "0", "0", "0", zero, "1", "1",
                               "10", "1",  "1",  "1",  "1",  "1",  "1", "1", "1", "2",  "2", "2"};
    for (int i = 0; i < 8; ++i)
        s.push_back("");
    if (withFloatingTitles)
        for (int i = 0; i < 10; ++i) {
            s.push_back("");
            s.push_back(zero);
            s.push_back(zero);
        }
    return s;
}

std::string File(int count, const std::vector<std::vector<std::string>>& blocks,
                 const std::vector<std::string>& settings = Settings()) {
    std::vector<std::string> all{std::to_string(count)};
    for (const auto& b : blocks)
        all.insert(all.end(), b.begin(), b.end());
    all.insert(all.end(), settings.begin(), settings.end());
    return Join(all);
}

class GraphFileTest : public testing::Test {
  protected:
    Series& Add(int number, const std::vector<std::pair<std::string, std::string>>& cells) {
        doc.NewSeriesRows = static_cast<int>(cells.size());
        doc.LoadingSeries = true;
        doc.LoadingSeriesNumber = number;
        Series& s = doc.CreateSeries(fb);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            s.SetCell(XColumn, static_cast<int>(i) + 1, cells[i].first);
            s.SetCell(YColumn, static_cast<int>(i) + 1, cells[i].second);
        }
        return s;
    }
    void Load(const std::string& text, const std::string& path = "/tmp/g.gra") {
        ReadGraphText(loaded, path, text, fb);
    }
    Document doc;
    Document loaded;
    RecordingFeedback fb;
};

TEST_F(GraphFileTest, EmptyGraphWritesCountAndSettings) {
    const std::string text = GraphFileText(doc);
    EXPECT_EQ(Lines(text), Lines(File(0, {})));
    Load(text);
    EXPECT_FALSE(loaded.GraphLoadFailed);
    EXPECT_EQ(loaded.SeriesCount(), 0);
    EXPECT_FALSE(loaded.SuppressResizeDraw);
    EXPECT_TRUE(fb.Messages.empty());
}

TEST_F(GraphFileTest, RoundTripKeepsEverySeriesFieldAndSetting) {
    Series& a = Add(5, {{"3", "0.1"}, {"", "-7"}, {"", ""}, {"1", "2.5"}, {"2", "4.25"}});
    a.YAxisLeft = false;
    a.ShowPoints = false;
    a.GraphType = GraphLineFit;
    a.SeriesTitle = "Pressure";
    a.PrintColor = PrintBlack;
    a.Fit.FitKind = 1;
    ComputeFit(doc, a.Fit, fb);
    ASSERT_TRUE(a.HasFit);
    Series& b = Add(2, {{"10", "1E-20"},
                        {"-4.5", "123456789012345"},
                        {"-0.000012345678901", "123456789012346"},
                        {"0.12345678901234567", "-98765.432109876543e-200"}});
    b.GraphType = GraphBar;
    b.ShowPoints = false; // on the left axis: the two flags differ
    b.PrintColor = PrintBlue;
    b.Fit.FitKind = 0;
    b.Fit.Coef = {0, 0.5L, 2, 0, 0, 0, 0, 0.75L}; // kept as stored when there is no fit
    Series& c = Add(7, {});
    c.PrintColor = PrintGreen;
    doc.SortDataWindows();

    GraphSettings& g = doc.Settings;
    g.XMax = 12.5L;
    g.XMin = -3;
    g.YLMax = 1E300L;
    g.YLMin = -0.001L;
    g.YRMax = 7;
    g.YRMin = 6;
    g.MultiScaleX = false;
    g.MultiScaleYL = true;
    g.MultiScaleYR = false;
    g.LogX = true;
    g.LogFormatExponential = false;
    g.LogY = true;
    g.XGridMajor = 20;
    g.XGridMinor = 10;
    g.YGridMajor = 3;
    g.YGridMinor = 4;
    g.XTicks = 5;
    g.YLTicks = 6;
    g.YRTicks = 7;
    g.XDecimals = 0;
    g.YLDecimals = 8;
    g.YRDecimals = 3;
    g.MainTitles = {"Main", "", "Third"};
    g.XTitles = {"x1", "x2", "x3"};
    g.YTitles = {"left", "right"};
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        g.FloatTitleText[i] = "t" + std::to_string(i);
        g.FloatTitleX[i] = static_cast<Real>(i) * 0.5L;
        g.FloatTitleY[i] = -static_cast<Real>(i);
    }
    doc.ConstantK = 2.75L;
    doc.Prefs.MaxDataIndex = 250;
    doc.Prefs.BarWidth = 7;
    doc.Prefs.PrinterOptions = 6;

    loaded.Settings.LogFormatExponential = true;
    Load(GraphFileText(doc));
    ASSERT_FALSE(loaded.GraphLoadFailed);
    EXPECT_TRUE(fb.Messages.empty());
    EXPECT_EQ(loaded.Settings, doc.Settings);
    EXPECT_EQ(loaded.ConstantK, doc.ConstantK);
    EXPECT_EQ(loaded.Prefs.MaxDataIndex, 250);
    EXPECT_EQ(loaded.Prefs.BarWidth, 7);
    EXPECT_EQ(loaded.Prefs.PrinterOptions, 6);
    EXPECT_TRUE(loaded.SuppressResizeDraw);
    ASSERT_EQ(loaded.SeriesCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const Series& want = *doc.DataWindows()[static_cast<std::size_t>(i)];
        const Series& got = *loaded.DataWindows()[static_cast<std::size_t>(i)];
        SCOPED_TRACE(want.SeriesNumber);
        EXPECT_EQ(got.SeriesNumber, want.SeriesNumber);
        EXPECT_EQ(got.IndexCount, want.IndexCount);
        ASSERT_EQ(got.Store().Size(), want.Store().Size());
        for (std::size_t r = 0; r < want.Store().Size(); ++r) {
            EXPECT_EQ(got.Store().Row(r).XValid, want.Store().Row(r).XValid) << r;
            EXPECT_EQ(got.Store().Row(r).YValid, want.Store().Row(r).YValid) << r;
            // Every one of the file's 15 digits is kept.
            auto filed = [](Real v) { return TextToNumber(FileNumberText(v)).Value; };
            const Tdata w = want.Store().Row(r);
            EXPECT_EQ(got.Store().Row(r).X, filed(want.Store().Row(r).X)) << r;
            EXPECT_EQ(got.Store().Row(r).Y, filed(want.Store().Row(r).Y)) << r;
            EXPECT_EQ(got.Store().Row(r).YFitValid, want.Store().Row(r).YFitValid) << r;
            // The grid shows the values read, in the program's own form; the
            // fitted column is computed afresh.
            const int row = static_cast<int>(r) + 1;
            EXPECT_EQ(got.Cell(XColumn, row), w.XValid ? NumberToText(filed(w.X), 14) : "");
            EXPECT_EQ(got.Cell(YColumn, row), w.YValid ? NumberToText(filed(w.Y), 14) : "");
            EXPECT_EQ(got.Cell(YFitColumn, row), want.Cell(YFitColumn, row));
        }
        EXPECT_EQ(got.YAxisLeft, want.YAxisLeft);
        EXPECT_EQ(got.ShowPoints, want.ShowPoints);
        EXPECT_EQ(got.GraphType, want.GraphType);
        EXPECT_EQ(got.SeriesTitle, want.SeriesTitle);
        EXPECT_EQ(got.HasFit, want.HasFit);
        EXPECT_EQ(got.Fit.FitKind, want.Fit.FitKind);
        EXPECT_EQ(got.Fit.Coef, want.Fit.Coef);
        EXPECT_EQ(got.Fit.SeriesNumber, want.SeriesNumber);
        EXPECT_TRUE(got.Fit.FitOK);
        EXPECT_EQ(got.PrintColor, want.PrintColor);
    }
}

TEST_F(GraphFileTest, LogCodesAndInvertedFlags) {
    struct Case {
        bool logX, exponential;
        const char* code;
    };
    for (const Case c : {Case{true, true, "0"}, Case{false, true, "1"}, Case{true, false, "2"},
                         Case{false, false, "3"}}) {
        doc.Settings.LogX = c.logX;
        doc.Settings.LogFormatExponential = c.exponential;
        doc.Settings.LogY = true;
        const auto lines = Lines(GraphFileText(doc));
        EXPECT_EQ(lines[11], c.code);
        EXPECT_EQ(lines[12], "0"); // LogY set
        Document back;
        back.Settings.LogFormatExponential = !c.exponential;
        ReadGraphText(back, "x.gra", GraphFileText(doc), fb);
        EXPECT_EQ(back.Settings.LogX, c.logX);
        EXPECT_EQ(back.Settings.LogFormatExponential, c.exponential);
        EXPECT_TRUE(back.Settings.LogY);
    }
}

TEST_F(GraphFileTest, PrintColorCodes) {
    Series& s = Add(1, {{"1", "1"}});
    s.PrintColor = PrintBlack;
    const auto lines = Lines(GraphFileText(doc));
    EXPECT_EQ(lines[17], "2");
    for (const auto& [stored, color] :
         std::vector<std::pair<std::string, int>>{{"0", PrintDefault},
                                                  {"1", PrintDefault},
                                                  {"2", PrintBlack},
                                                  {"3", PrintGreen},
                                                  {"5", PrintRed},
                                                  {"16", PrintBlue},
                                                  {"4", PrintDefault},
                                                  {"99", PrintDefault}}) {
        auto block = Block(1, {Row(1, 1)});
        block[block.size() - 2] = stored;
        Document back;
        ReadGraphText(back, "x.gra", File(1, {block}), fb);
        ASSERT_EQ(back.SeriesCount(), 1);
        EXPECT_EQ(back.DataWindows()[0]->PrintColor, color) << stored;
    }
}

TEST_F(GraphFileTest, TwentyFiveSeriesLoadTwentyOneAndReportOnce) {
    std::vector<std::vector<std::string>> blocks;
    for (int n = 1; n <= 25; ++n)
        blocks.push_back(Block(n, {Row(n, n * 10), Row(n + 1, n * 20)}));
    auto settings = Settings();
    settings[9] = FileNumberText(3.5L); // ConstantK after the extra blocks
    Load(File(25, blocks, settings));
    EXPECT_FALSE(loaded.GraphLoadFailed);
    ASSERT_EQ(loaded.SeriesCount(), MaxSeries);
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, "Sorry the number of series is LIMITED to 21.");
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(fb.Beeps, 1);
    for (int n = 1; n <= MaxSeries; ++n) {
        const Series& s = *loaded.DataWindows()[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(s.SeriesNumber, n);
        EXPECT_EQ(s.Store().Row(0).Y, n * 10);
        EXPECT_EQ(s.SeriesTitle, "Series " + std::to_string(n));
    }
    EXPECT_EQ(loaded.ConstantK, 3.5L);
}

TEST_F(GraphFileTest, OlderFileEndingAfterTheTitlesClearsFloatingTitles) {
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        loaded.Settings.FloatTitleText[i] = "old";
        loaded.Settings.FloatTitleX[i] = 5;
        loaded.Settings.FloatTitleY[i] = 6;
    }
    auto settings = Settings(false);
    settings[settings.size() - 1] = "right title";
    Load(File(1, {Block(1, {Row(1, 2), Row(2, 3)})}, settings));
    EXPECT_FALSE(loaded.GraphLoadFailed);
    EXPECT_EQ(loaded.SeriesCount(), 1);
    EXPECT_EQ(loaded.Settings.YTitles[1], "right title");
    for (std::size_t i = 0; i < FloatTitleCount; ++i) {
        EXPECT_EQ(loaded.Settings.FloatTitleText[i], "");
        EXPECT_EQ(loaded.Settings.FloatTitleX[i], 0);
        EXPECT_EQ(loaded.Settings.FloatTitleY[i], 0);
    }
}

TEST_F(GraphFileTest, FitsAreComputedAgainOnLoad) {
    // Stored coefficients are stale; the load recomputes them from the rows.
    auto block = Block(1, {Row(3, 7), Row(1, 3), Row(2, 5)}, "6", "0", "1");
    Load(File(1, {block}));
    ASSERT_EQ(loaded.SeriesCount(), 1);
    const Series& s = *loaded.DataWindows()[0];
    EXPECT_TRUE(s.HasFit);
    EXPECT_TRUE(s.Fit.FitOK);
    EXPECT_EQ(s.Fit.Coef[1], 1);
    EXPECT_EQ(s.Fit.Coef[2], 2);
    EXPECT_EQ(s.Fit.Coef[7], 1);
    EXPECT_EQ(s.Cell(XColumn, 1), "1");
    EXPECT_EQ(s.Cell(YFitColumn, 1), "3");
    EXPECT_EQ(s.Cell(YFitColumn, 3), "7");
    EXPECT_EQ(s.GraphType, GraphLineFit);
}

TEST_F(GraphFileTest, IncompatibleFilesAreReportedAndFlagged) {
    const std::pair<const char*, std::string> cases[] = {
        {"negative row count", "1\r\n-3\r\n1\r\n" + Join(Settings())},
        {"row count beyond the file", "1\r\n2000000000\r\n1\r\n" + Join(Settings())},
        {"negative series count", "-1\r\n" + Join(Settings())},
        {"series count beyond the file", "2147483647\r\n" + Join(Settings())},
        {"word for a number", "one\r\n"},
        {"row with one value", "1\r\n1\r\n1\r\n 1.0E+0000\r\n"},
        {"value beyond the range", "1\r\n1\r\n1\r\n 1e99999 1\r\n"},
        {"integer overflow", "1\r\n99999999999\r\n"},
        {"blank line for a number", "0\r\n\r\n"}};
    for (const auto& [name, text] : cases) {
        Document bad;
        RecordingFeedback badFb;
        ReadGraphText(bad, "/data/bad.gra", text, badFb);
        EXPECT_TRUE(bad.GraphLoadFailed) << name;
        ASSERT_EQ(badFb.Messages.size(), 1u) << name;
        EXPECT_EQ(badFb.Messages[0].Text, "The file /data/bad.gra has an incompatible format.");
        EXPECT_EQ(badFb.Messages[0].Kind, MessageKind::Error);
        EXPECT_EQ(bad.GraphFileName, NoNameGraph) << "a later save must not replace the file";
        EXPECT_FALSE(bad.SuppressResizeDraw) << name;
    }
}

// Memory that runs short while a series is read, or while its fit is computed
// again, is told as such (the file may be fine); what was read stays, the
// series being read included, as after any read error.
TEST_F(GraphFileTest, RunningOutOfMemoryIsToldAsSuch) {
    const std::string text = File(
        2, {Block(1, {Row(1, 3), Row(2, 5)}, "6", "0", "1"), Block(2, {Row(1, 1), Row(2, 2)})});
    for (const auto& [at, kept] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{3, 2}}) {
        Document doc;
        RecordingFeedback told;
        FailAllocationAt(at);
        ReadGraphText(doc, "/data/big.gra", text, told);
        FailAllocationAt(0);
        SCOPED_TRACE(at);
        EXPECT_TRUE(doc.GraphLoadFailed);
        EXPECT_EQ(doc.SeriesCount(), kept);
        ASSERT_EQ(told.Messages.size(), 1u);
        EXPECT_EQ(told.Messages[0].Text, "Not enough memory to open /data/big.gra.");
    }
    Load(text);
    EXPECT_FALSE(loaded.GraphLoadFailed);
    EXPECT_TRUE(fb.Messages.empty());
}

TEST_F(GraphFileTest, BadSeriesNumbersTakeTheLowestFreeOne) {
    Load(File(4, {Block(0, {Row(1, 10)}), Block(3, {Row(3, 30)}), Block(3, {Row(4, 40)}),
                  Block(99, {Row(5, 50)})}));
    EXPECT_FALSE(loaded.GraphLoadFailed);
    ASSERT_EQ(loaded.SeriesCount(), 4);
    std::vector<std::pair<int, Real>> got;
    for (const auto& s : loaded.DataWindows())
        got.push_back({s->SeriesNumber, s->Store().Row(0).Y});
    const std::vector<std::pair<int, Real>> want{{1, 10}, {2, 40}, {3, 30}, {4, 50}};
    EXPECT_EQ(got, want);
    for (const auto& s : loaded.DataWindows())
        EXPECT_EQ(s->Fit.SeriesNumber, s->SeriesNumber);
}

TEST_F(GraphFileTest, OutOfRangeAttributesAndPreferencesAreMended) {
    auto a = Block(1, {Row(1, 1), Row(2, 2)}, "9", "0", "12");
    auto b = Block(2, {Row(1, 1), Row(2, 2)}, "0", "0", "0");
    b[b.size() - 1] = "500"; // PrinterOptions far out of range
    auto settings = Settings();
    settings[12] = "0";      // MaxDataIndex
    settings[13] = "50";     // BarWidth
    settings[14] = "100000"; // XGridMajor
    settings[15] = "-1";     // XGridMinor
    settings[18] = "21";     // XTicks
    settings[21] = "-1";     // XDecimals
    settings[22] = "11";     // YLDecimals: what auto-scaling a narrow range gives
    Load(File(2, {a, b}, settings));
    ASSERT_FALSE(loaded.GraphLoadFailed);
    const Series& s1 = *loaded.DataWindows()[0];
    EXPECT_EQ(s1.GraphType, GraphLine);
    EXPECT_EQ(s1.Fit.FitKind, 0);
    EXPECT_FALSE(s1.HasFit);
    const Series& s2 = *loaded.DataWindows()[1];
    EXPECT_EQ(s2.GraphType, GraphLine);
    EXPECT_FALSE(s2.HasFit); // a fit flag with kind "none"
    EXPECT_EQ(loaded.Prefs.PrinterOptions, 0);
    EXPECT_EQ(loaded.Prefs.MaxDataIndex, 10);
    EXPECT_EQ(loaded.Prefs.BarWidth, 1);
    EXPECT_EQ(loaded.Settings.XGridMajor, 1);
    EXPECT_EQ(loaded.Settings.XGridMinor, 1);
    EXPECT_EQ(loaded.Settings.XTicks, 1);
    EXPECT_EQ(loaded.Settings.XDecimals, 2);
    EXPECT_EQ(loaded.Settings.YLDecimals, 11);
    EXPECT_EQ(fb.Beeps, 0);

    settings[12] = "20000";
    settings[13] = "0";
    Document again;
    ReadGraphText(again, "x.gra", File(0, {}, settings), fb);
    EXPECT_EQ(again.Prefs.MaxDataIndex, 10);
    EXPECT_EQ(again.Prefs.BarWidth, 1);
}

TEST_F(GraphFileTest, TitlesNeverBreakTheLineLayout) {
    Series& s = Add(1, {{"1", "2"}});
    s.SeriesTitle = "two\r\nlines";
    doc.Settings.MainTitles[0] = "a\nb";
    doc.Settings.FloatTitleText[9] = "c\rd";
    Load(GraphFileText(doc));
    ASSERT_FALSE(loaded.GraphLoadFailed);
    EXPECT_EQ(loaded.DataWindows()[0]->SeriesTitle, "two  lines");
    EXPECT_EQ(loaded.Settings.MainTitles[0], "a b");
    EXPECT_EQ(loaded.Settings.FloatTitleText[9], "c d");
}

TEST_F(GraphFileTest, LfOrCrLineEndsTrailingBlanksAndAByteOrderMarkAreRead) {
    std::string text = File(1, {Block(1, {Row(1, 2)})});
    for (const char* end : {"\n", "\r"}) {
        std::string other = "\xEF\xBB\xBF"; // as an editor may save it
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text.compare(i, 2, "\r\n") == 0)
                other += end, ++i;
            else
                other += text[i];
        Load(other);
        ASSERT_FALSE(loaded.GraphLoadFailed) << int(end[0]);
        EXPECT_EQ(loaded.DataWindows()[0]->Store().Row(0).Y, 2);
        EXPECT_EQ(loaded.DataWindows()[0]->SeriesTitle, "Series 1");
    }
}

class GraphFileOnDisk : public GraphFileTest {
  protected:
    TempFolder dir;
};

TEST_F(GraphFileOnDisk, UnreadableFileLeavesTheGraphAlone) {
    Add(4, {{"1", "2"}});
    doc.GraphFileName = "keep.gra";
    const std::string absent = dir / "absent.gra";
    const std::pair<std::string, std::string> cases[] = {
        {absent, "The file " + absent + " cannot be read: No such file or directory"},
        {dir.Str(), dir.Str() + " is a folder"},
    };
    for (const auto& [path, message] : cases) {
        fb.Messages.clear();
        ReadGraphFile(doc, path, fb);
        EXPECT_TRUE(doc.GraphLoadFailed);
        EXPECT_EQ(doc.SeriesCount(), 1);
        EXPECT_EQ(doc.GraphFileName, "keep.gra");
        ASSERT_EQ(fb.Messages.size(), 1u);
        EXPECT_EQ(fb.Messages[0].Text, message);
    }
}

TEST_F(GraphFileOnDisk, ProgressIsToldWhileALargeFileOfFewLinesIsRead) {
    std::vector<std::string> settings = Settings();
    settings[24] = std::string(6 << 20, 'T'); // a main title of 6 MiB
    const std::string path = dir / "title.gra";
    WriteText(path, File(1, {Block(1, {Row(1, 2)})}, settings));
    std::vector<double> seen;
    ReadGraphFile(loaded, path, fb, [&](double f) { seen.push_back(f); });
    ASSERT_FALSE(loaded.GraphLoadFailed);
    EXPECT_EQ(loaded.Settings.MainTitles[0].size(), std::size_t{6} << 20);
    ASSERT_GE(seen.size(), 4u);
    EXPECT_LT(seen.front(), 0.5);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 1.0);
}

// The dialog loop itself is tested with ChooseSavePath.
TEST_F(GraphFileOnDisk, SaveAsPresetQuestionAndReadBack) {
    Add(1, {{"1", "2"}, {"3", "4"}});
    const std::string other = dir / "other.gra";
    WriteText(other, "precious");
    doc.GraphFileName = dir / "current.gra";
    std::vector<SaveDialogRequest> requests;
    std::optional<std::string> answer = other;
    auto dialog = [&](const SaveDialogRequest& r) {
        requests.push_back(r);
        return answer;
    };
    fb.Script = {Answer::Yes};
    EXPECT_TRUE(SaveGraphAs(doc, fb, dialog));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].FileName, dir / "current");
    EXPECT_EQ(requests[0].DefaultExtension, "gra");
    EXPECT_EQ(requests[0].Filter, "Graph File");
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, "The File [ " + other + " ] already exists overwrite it?");
    EXPECT_EQ(ReadText(other), GraphFileText(doc));
    EXPECT_EQ(doc.GraphFileName, other);
    EXPECT_EQ(doc.GraphFileIdentity, IdentityOf(other));
    ReadGraphFile(loaded, other, fb);
    EXPECT_FALSE(loaded.GraphLoadFailed);
    EXPECT_EQ(loaded.GraphFileIdentity, IdentityOf(other));
    ASSERT_EQ(loaded.SeriesCount(), 1);
    EXPECT_EQ(loaded.DataWindows()[0]->Store().Row(1).Y, 4);
    EXPECT_EQ(loaded.GraphFileName, other);

    doc.GraphFileName = NoNameGraph;
    answer.reset();
    EXPECT_FALSE(SaveGraphAs(doc, fb, dialog));
    EXPECT_EQ(requests.back().FileName, "NoName");
}

} // namespace
} // namespace torvel
