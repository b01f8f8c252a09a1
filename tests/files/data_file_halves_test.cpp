// Large data files are read in two halves at once: the rows, their count and
// the widest line come out as from one pass.
#include "files/data_file.h"

#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace torvel {
namespace {

using namespace testing_support;

TEST(ReadDataFile, LargeFileReadInHalvesKeepsEveryRow) {
    TempFolder dir;
    const std::string path = dir / "large.prn";
    // 10 MB: CR LF ends the lines of the first half, LF those of the second
    // (with the one line of three columns), blank lines in both, a byte-order
    // mark first and no line end last.
    constexpr int Rows = 600000;
    std::string text = "\357\273\277";
    for (int r = 0; r < Rows; ++r) {
        if (r % 1000 == 999) {
            text += r < Rows / 2 ? "\r\n" : "\n";
            continue;
        }
        text += std::to_string(r) + ".25 " + std::to_string(-r);
        if (r == Rows - 10) text += " 7";
        if (r + 1 < Rows) text += r < Rows / 2 ? "\r\n" : "\n";
    }
    ASSERT_GT(text.size(), 9u << 20);
    WriteText(path, text);
    Document doc;
    RecordingFeedback fb;
    const auto created = ReadDataFile(doc, path, fb);
    ASSERT_EQ(created.size(), 2u);
    const Series& s = *created[0];
    ASSERT_EQ(s.IndexCount, Rows);
    for (int r = 0; r < Rows; ++r) {
        const auto row = s.Store().Row(static_cast<std::size_t>(r));
        if (r % 1000 == 999) {
            ASSERT_FALSE(row.XValid || row.YValid) << r;
            continue;
        }
        ASSERT_EQ(row.X, r + 0.25L) << r;
        ASSERT_EQ(row.Y, -r) << r;
    }
    EXPECT_TRUE(created[1]->Store().BothXY(Rows - 10));
    EXPECT_EQ(created[1]->Store().Y(Rows - 10), 7);

    // A NUL in the second half makes it no data file, as anywhere.
    text[text.size() - 100] = '\0';
    WriteText(path, text);
    Document other;
    EXPECT_TRUE(ReadDataFile(other, path, fb).empty());
    EXPECT_EQ(other.SeriesCount(), 0);
}

} // namespace
} // namespace torvel
