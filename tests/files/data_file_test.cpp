#include "files/data_file.h"
#include "files/file_path.h"

#include "core/grid_store.h"
#include "core/out_of_memory.h"
#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

// ---- reading -----------------------------------------------------------

void OpenSeries(Document& doc, int count) {
    SilentFeedback silent;
    for (int i = 0; i < count; ++i)
        doc.CreateSeries(silent);
}

TEST(ReadDataFile, OneSeriesPerYColumnSharingX) {
    TempFolder dir;
    const std::string path = dir / "multi.prn";
    // An editor's byte-order mark, tabs, CR LF, a short line, a bad token, a
    // blank line and no final line end.
    WriteText(path, "\357\273\2771\t10 100 1000\r\n2 20 abc\r\n3 30\r\n\r\n5 50 500 5000");
    Document doc;
    SilentFeedback silent;
    doc.CreateSeries(silent); // series 1 exists: the new ones are 2, 3, 4
    RecordingFeedback fb;
    const auto created = ReadDataFile(doc, path, fb);
    ASSERT_EQ(created.size(), 3u);
    EXPECT_EQ(created[0]->SeriesNumber, 2);
    EXPECT_EQ(created[2]->SeriesNumber, 4);
    for (const Series* s : created) {
        EXPECT_EQ(s->IndexCount, 5);
        EXPECT_EQ(s->Caption,
                  "Series Number: " + std::to_string(s->SeriesNumber) + "   -   MULTI.PRN");
        EXPECT_EQ(s->Store().Row(3), Tdata{}) << "a blank line is an empty row";
    }
    EXPECT_EQ(created[0]->FileName, NoNameData);
    EXPECT_EQ(created[1]->FileName, NoNameData);
    EXPECT_EQ(created[2]->FileName, path);
    EXPECT_EQ(created[2]->FileNameIdentity, IdentityOf(path));

    EXPECT_EQ(created[0]->Store().Row(0), (Tdata{1, 10, 0, true, true, false}));
    EXPECT_EQ(created[1]->Store().Row(1), (Tdata{2, 0, 0, true, false, false}))
        << "abc reads empty";
    EXPECT_EQ(created[2]->Store().Row(1), Tdata{}) << "no value on the line: row stays empty";
    EXPECT_EQ(created[1]->Store().Row(2), Tdata{});
    EXPECT_EQ(created[2]->Store().Row(4), (Tdata{5, 5000, 0, true, true, false}));
    EXPECT_EQ(created[2]->Cell(XColumn, 5), "5"); // the grids show the rows
    EXPECT_EQ(created[2]->Cell(YColumn, 5), "5000");
    EXPECT_TRUE(fb.Messages.empty());
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(doc.SeriesCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(doc.DataWindows()[static_cast<std::size_t>(i)]->SeriesNumber, i + 1);
}

TEST(ReadDataFile, EmptyMarkersAndHugeValuesReadEmpty) {
    TempFolder dir;
    const std::string path = dir / "m.prn";
    WriteText(path, " 1.00000000000000E+4932  2.0\n 1e4931 -1e4931\n 9.9e4930 3\n");
    Document doc;
    RecordingFeedback fb;
    const auto created = ReadDataFile(doc, path, fb);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0]->Store().Row(0), (Tdata{0, 2, 0, false, true, false}));
    EXPECT_EQ(created[0]->Store().Row(1), (Tdata{0, -1e4931L, 0, false, true, false}));
    EXPECT_EQ(created[0]->Store().Row(2), (Tdata{9.9e4930L, 3, 0, true, true, false}));
}

TEST(ReadDataFile, SeriesLimit) {
    TempFolder dir;
    const std::string path = dir / "wide.prn";
    WriteText(path, "1 2 3 4 5 6\n2 3 4 5 6 7\n");
    {
        Document doc;
        OpenSeries(doc, 19);
        RecordingFeedback fb;
        const auto created = ReadDataFile(doc, path, fb);
        ASSERT_EQ(created.size(), 2u);
        EXPECT_EQ(created[0]->SeriesNumber, 20);
        EXPECT_EQ(created[1]->SeriesNumber, 21);
        EXPECT_EQ(created[1]->Store().Row(1), (Tdata{2, 4, 0, true, true, false}));
        EXPECT_EQ(fb.BeepReasons, std::vector<std::string>{SeriesLimitText(21)});
        ASSERT_EQ(fb.Messages.size(), 1u);
        EXPECT_EQ(fb.Messages[0].Text, "Sorry the number of series is LIMITED to 21.");
        EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
        EXPECT_EQ(doc.SeriesCount(), 21);
    }
    {
        Document doc;
        OpenSeries(doc, 21);
        doc.NewSeriesRows = 33;
        RecordingFeedback fb;
        EXPECT_TRUE(ReadDataFile(doc, path, fb).empty());
        EXPECT_EQ(fb.Beeps, 1);
        ASSERT_EQ(fb.Messages.size(), 1u);
        EXPECT_EQ(fb.Messages[0].Text, SeriesLimitText(21));
        EXPECT_EQ(doc.SeriesCount(), 21);
        EXPECT_EQ(doc.NewSeriesRows, 33);
    }
    {
        // Five Y columns exactly fill the five free numbers: no limit to speak of.
        Document doc;
        OpenSeries(doc, 16);
        RecordingFeedback fb;
        EXPECT_EQ(ReadDataFile(doc, path, fb).size(), 5u);
        EXPECT_EQ(fb.Beeps, 0);
        EXPECT_TRUE(fb.Messages.empty());
        EXPECT_EQ(doc.SeriesCount(), 21);
    }
}

TEST(ReadDataFile, NoYColumnChangesNothing) {
    TempFolder dir;
    for (const char* text : {"1\n2\n3\n", "1\nx\n"}) {
        const std::string path = dir / "one.prn";
        WriteText(path, text);
        Document doc;
        doc.NewSeriesRows = 12;
        RecordingFeedback fb;
        EXPECT_TRUE(ReadDataFile(doc, path, fb).empty());
        EXPECT_EQ(doc.SeriesCount(), 0);
        EXPECT_EQ(doc.NewSeriesRows, 12);
        EXPECT_TRUE(fb.Messages.empty());
        EXPECT_EQ(fb.Beeps, 0);
    }
}

// Reading path shows exactly `message` and changes nothing; true when it did.
bool RefusedWith(const std::string& path, const std::string& message) {
    Document doc;
    OpenSeries(doc, 2);
    doc.NewSeriesRows = 12;
    RecordingFeedback fb;
    EXPECT_TRUE(ReadDataFile(doc, path, fb).empty()) << path;
    EXPECT_EQ(doc.SeriesCount(), 2);
    EXPECT_FALSE(doc.SeriesNumberUsed[3]);
    EXPECT_EQ(doc.NewSeriesRows, 12);
    EXPECT_EQ(fb.Messages.size(), 1u) << path;
    if (fb.Messages.size() != 1) return false;
    EXPECT_EQ(fb.Messages[0].Text, message);
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(fb.Messages[0].Buttons, MessageButtons::Ok);
    return fb.Messages[0].Text == message;
}

void ExpectIncompatible(const std::string& path) {
    RefusedWith(path, "The file " + path + " has an incompatible format.");
}

// Memory that runs short while the rows are read is told as such (the file
// may be fine), and nothing is created; with memory back the file opens.
TEST(ReadDataFile, RunningOutOfMemoryIsToldAsSuchAndChangesNothing) {
    TempFolder dir;
    const std::string path = dir / "two.prn";
    WriteText(path, "1 2 3\n4 5 6\n");
    std::string told = "Not enough memory to open ";
    told += path;
    told += '.';
    FailAllocationAt(1);
    const bool refused = RefusedWith(path, told);
    FailAllocationAt(0);
    EXPECT_TRUE(refused);
    Document doc;
    RecordingFeedback fb;
    EXPECT_EQ(ReadDataFile(doc, path, fb).size(), 2u);
    EXPECT_TRUE(fb.Messages.empty());
}

// Without a single number it is no data file (a text file named .prn): nothing
// is created, not even empty windows.
TEST(ReadDataFile, NoNumberAtAllIsAnIncompatibleFormat) {
    TempFolder dir;
    const std::string path = dir / "words.prn";
    for (const char* text : {"Dear reader,\nthese are words.\n", "x y\n", "", "\n\n\n", "   \n"}) {
        WriteText(path, text);
        ExpectIncompatible(path);
    }
}

// Files that cannot be read at all say why; only content that is wrong is
// "an incompatible format".
TEST(ReadDataFile, UnreadableFilesAreReportedAndChangeNothing) {
    TempFolder dir;
    const std::string missing = dir / "missing.prn";
    RefusedWith(missing, "The file " + missing + " cannot be read: No such file or directory");
    RefusedWith(dir.Str(), dir.Str() + " is a folder");
    const std::string junk = dir / "junk.prn";
    WriteText(junk, std::string("1 2\n3 4\n\0\x01\x02 5 6\n", 16));
    ExpectIncompatible(junk);
    RefusedWith("/dev/null", "/dev/null is not a regular file");
    const std::string pipe = dir / "pipe.prn";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    RefusedWith(pipe, pipe + " is not a regular file"); // refused, not waited on
    dir.OpenToEveryone();
    const std::string locked = dir / "locked.prn";
    WriteText(locked, "1 2\n");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(AsAnotherUser([&] {
        return RefusedWith(locked, "The file " + locked + " cannot be read: Permission denied");
    }));
}

TEST(ReadDataFile, EndlessLineEndsAreRefusedBeforeAnythingIsSized) {
    TempFolder dir;
    const std::string path = dir / "lines.prn";
    {
        std::ofstream out(path, std::ios::binary);
        out << "1 2\n";
        const std::string block(1 << 20, '\n');
        for (long long n = 0; n <= MaxDataFileCells; n += block.size())
            out << block;
    }
    ExpectIncompatible(path);
}

TEST(ReadDataFile, LfCrLfAndCrAloneEachEndOneLine) {
    TempFolder dir;
    const std::string path = dir / "ends.prn";
    // The last case puts a CR LF across the reader's 1 MiB blocks.
    const std::string pad((1 << 20) - 5, ' ');
    for (const std::string& text :
         {std::string("1 2\n2 4\n3 9\n"), std::string("1 2\r\n2 4\r\n3 9\r\n"),
          std::string("1 2\r2 4\r3 9\r"), std::string("1 2\r2 4\n3 9"),
          "1 2" + pad + "\r\n2 4\r\n3 9\r\n"}) {
        WriteText(path, text);
        Document doc;
        SilentFeedback fb;
        const auto created = ReadDataFile(doc, path, fb);
        ASSERT_EQ(created.size(), 1u) << text.size();
        ASSERT_EQ(created[0]->IndexCount, 3) << text.size();
        EXPECT_EQ(created[0]->Store().Row(2), (Tdata{3, 9, 0, true, true, false}));
    }
}

// ---- writing -----------------------------------------------------------

TEST(WriteDataFile, LinesOf47CharactersForEveryRow) {
    TempFolder dir;
    Series s(3, 4);
    s.SetCell(XColumn, 1, "1.5");
    s.SetCell(YColumn, 1, "-0,25");
    s.SetCell(YColumn, 2, "7"); // no X
    s.SetCell(XColumn, 4, "2");
    const std::string path = dir / "out.prn";
    std::string error;
    ASSERT_TRUE(WriteDataFile(s, path, &error)) << error;
    EXPECT_EQ(ReadText(path), " 1.50000000000000E+0000 -2.50000000000000E-0001\r\n"
                              " 1.00000000000000E+4932  7.00000000000000E+0000\r\n"
                              " 1.00000000000000E+4932  1.00000000000000E+4932\r\n"
                              " 2.00000000000000E+0000  1.00000000000000E+4932\r\n");
    EXPECT_EQ(s.FileName, path);
    EXPECT_EQ(s.FileNameIdentity, IdentityOf(path));
    EXPECT_EQ(s.Caption, "Series Number: 3   -   OUT.PRN");
    EXPECT_TRUE(s.Store().Row(1).YValid) << "the grid is copied into the rows first";
}

TEST(WriteDataFile, RoundTripKeepsEveryValueAndFlag) {
    TempFolder dir;
    // Values the grid's texts round (15 and 17 digits, large, small, negative).
    Series s(1, 10);
    s.Store().Assign({{1.5L, -2, 0, true, true, false},
                      {0, 3E-12L, 0, false, true, false},
                      {1E12L, 0, 0, true, false, false},
                      {},
                      {-123456.789L, 0.000123456789L, 0, true, true, false},
                      {2.0L / 3, 1e300L, 0, true, true, false},
                      {123456789012346.0L, -0.000012345678901L, 0, true, true, false},
                      {-1.2345678901234567e-300L, 98765.432109876543L, 0, true, true, false},
                      {123456789012349.0L, 1.0L / 7, 0, true, true, false},
                      {}});
    RowsToGrid(s);
    const std::string path = dir / "trip.prn";
    ASSERT_TRUE(WriteDataFile(s, path));

    Document doc;
    RecordingFeedback fb;
    const auto created = ReadDataFile(doc, path, fb);
    ASSERT_EQ(created.size(), 1u);
    const Series& back = *created[0];
    ASSERT_EQ(back.IndexCount, 10);
    for (int r = 1; r <= 10; ++r) {
        const Tdata& a = s.Store().Row(static_cast<std::size_t>(r - 1));
        const Tdata& b = back.Store().Row(static_cast<std::size_t>(r - 1));
        EXPECT_EQ(a.XValid, b.XValid) << r;
        EXPECT_EQ(a.YValid, b.YValid) << r;
        // The grid shows 12 digits, the file keeps 15: the grid texts agree.
        EXPECT_EQ(back.Cell(XColumn, r), s.Cell(XColumn, r)) << r;
        EXPECT_EQ(back.Cell(YColumn, r), s.Cell(YColumn, r)) << r;
        EXPECT_EQ(FileNumberText(b.X), FileNumberText(a.X)) << r;
        EXPECT_EQ(FileNumberText(b.Y), FileNumberText(a.Y)) << r;
        // Read back, the file's 15 digits are kept whole.
        EXPECT_EQ(b.X, a.XValid ? TextToNumber(FileNumberText(a.X)).Value : 0) << r;
        EXPECT_EQ(b.Y, a.YValid ? TextToNumber(FileNumberText(a.Y)).Value : 0) << r;
    }
    EXPECT_EQ(back.Store().Row(6).X, 123456789012346.0L);
    EXPECT_EQ(back.Store().Row(8).X, 123456789012349.0L);
}

// Keeping the old file on failure is the safe save's part (atomic_file_test);
// here: the series keeps its name and caption.
TEST(WriteDataFile, FailedWriteKeepsTheName) {
    TempFolder dir;
    Series s(1, 2);
    std::string error;
    EXPECT_FALSE(WriteDataFile(s, dir / "no-such-folder/x.prn", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(s.FileName, NoNameData);
    EXPECT_EQ(s.Caption, "Series Number: 1");
}

} // namespace
} // namespace torvel
