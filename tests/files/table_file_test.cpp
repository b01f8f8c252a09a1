#include "files/table_file.h"

#include "core/out_of_memory.h"
#include "files/file_test_support.h"
#include "files/messages.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

// One series' rows as "x:y" words, "-" for an empty value.
std::string RowsText(const Series& s) {
    std::string text;
    for (int r = 1; r <= s.IndexCount; ++r) {
        if (r > 1) text += ' ';
        text += s.HasValue(XColumn, r) ? ShortestText(s.ValueOf(XColumn, r)) : "-";
        text += ':';
        text += s.HasValue(YColumn, r) ? ShortestText(s.ValueOf(YColumn, r)) : "-";
    }
    return text;
}

// The expected rows with each number read as the .prn reader reads it, so the
// comparison is of every digit kept.
std::string Expected(const std::string& rows) {
    std::istringstream words(rows);
    std::string word, text;
    auto value = [](const std::string& token) {
        Real v = 0;
        return token == "-" ? token : (ParseFileNumber(token, v) ? ShortestText(v) : "?");
    };
    while (words >> word) {
        const auto colon = word.find(':');
        if (!text.empty()) text += ' ';
        text += value(word.substr(0, colon)) + ':' + value(word.substr(colon + 1));
    }
    return text;
}

struct FileForm {
    const char* Name;
    std::string Bytes;
    std::string Sniffed; // separator, decimal, header line, skip, X column, series columns
    std::string Titles;  // X axis title, then each new series' title
    std::vector<std::string> Series;
    std::string NotNumbers; // "count@line:column"
};

std::string SniffedText(const TableFormat& f) {
    std::string text;
    text += f.Separator == '\t' ? 'T' : f.Separator;
    text += f.Decimal;
    text += " h" + std::to_string(f.HeaderLine) + " s" + std::to_string(f.SkipLines) + " x" +
            std::to_string(f.XColumn) + " y";
    for (int c : f.SeriesColumns)
        text += std::to_string(c);
    return text;
}

const std::string PrnLine = " 1.50000000000000E+0000  2.50000000000000E+0001\r\n";
const std::string PrnEmpty = " 1.00000000000000E+4932 -3.00000000000000E-0002\r\n";

const FileForm Forms[] = {
    {"comma CSV with a header",
     "time,temp,hum\n0,20.5,40\n1,21.25,41\n",
     ",. h1 s1 x1 y23",
     "time|temp|hum",
     {"0:20.5 1:21.25", "0:40 1:41"},
     "0"},
    {"semicolons and decimal commas",
     "Zeit;Temperatur\n0;20,5\n1;-1,0000000000000000001\n",
     ";, h1 s1 x1 y2",
     "Zeit|Temperatur",
     {"0:20.5 1:-1.0000000000000000001"},
     "0"},
    {"tab-separated with a header",
     "x\ty\n1\t2e3\n3\t4\n",
     "T. h1 s1 x1 y2",
     "x|y",
     {"1:2000 3:4"},
     "0"},
    {"blanks with comment lines",
     "# logger 7\n#\n  1 2\n3\t4\n% note\n5 6\n",
     " . h0 s2 x1 y2",
     "|",
     {"1:2 3:4 5:6"},
     "0"},
    {"a .prn written by the program",
     PrnLine + PrnEmpty,
     " . h0 s0 x1 y2",
     "|",
     {"1.5:25 -:-0.03"},
     "1@2:1"},
    {"quoted decimal commas",
     "\"a\",\"b\"\n\"1,5\",\"2,75\"\n",
     ",, h1 s1 x1 y2",
     "a|b",
     {"1.5:2.75"},
     "0"},
    {"UTF-8 mark and CR LF",
     "\xEF\xBB\xBFx,y\r\n1,2\r\n3,4\r\n",
     ",. h1 s1 x1 y2",
     "x|y",
     {"1:2 3:4"},
     "0"},
    {"UTF-16 with its mark", Utf16Le("x;y\r\n1,5;2\r\n"), ";, h1 s1 x1 y2", "x|y", {"1.5:2"}, "0"},
    {"Latin-1 names",
     "t;Temp \xB0"
     "C\n1;2\n",
     ";. h1 s1 x1 y2",
     "t|Temp \xC2\xB0"
     "C",
     {"1:2"},
     "0"},
    {"gaps, NA and a short row",
     "x,y,z\n1,NA,3\n2,,6\n3\n4,5,6\n",
     ",. h1 s1 x1 y23",
     "x|y|z",
     {"1:- 2:- 3:- 4:5", "1:3 2:6 3:- 4:6"},
     "4@2:2"},
    {"lines above the header",
     "Logger X\nDate: 2024\ntime,temp\n0,1\n1,2\n",
     ",. h3 s3 x1 y2",
     "time|temp",
     {"0:1 1:2"},
     "0"},
    {"names in a comment", "# t v\n0 1\n1 2\n", " . h1 s1 x1 y2", "t|v", {"0:1 1:2"}, "0"},
    {"dates as the first column",
     "date,value\n2024-01-01,5\n2024-01-02,6\n",
     ",. h1 s1 x0 y2",
     "|value",
     {"1:5 2:6"},
     "0"},
    {"one column", "5\n6\n7\n", ",. h0 s0 x0 y1", "|", {"1:5 2:6 3:7"}, "0"},
    {"quotes across lines",
     "id,\"v \"\"2\"\"\"\n\"x,\n \"\"y\"\"\",1\n\"q\",2\n",
     ",. h1 s1 x0 y2",
     "|v \"2\"",
     {"1:1 2:2"},
     "0"},
    {"blank lines inside and after",
     "1,2\n\n3,4\n\n\n",
     ",. h0 s0 x1 y2",
     "|",
     {"1:2 -:- 3:4"},
     "0"},
    {"CR line ends", "1;2\r3;4\r", ";. h0 s0 x1 y2", "|", {"1:2 3:4"}, "0"},
};

TEST(TableFile, SniffsAndLoadsEveryForm) {
    TempFolder dir;
    for (const FileForm& form : Forms) {
        SCOPED_TRACE(form.Name);
        const std::string path = dir / "t.csv";
        WriteText(path, form.Bytes);
        const TableHead head = ReadTableHead(path);
        ASSERT_EQ(head.Problem, "");
        const TableFormat format = SniffTable(head);
        EXPECT_EQ(SniffedText(format), form.Sniffed);

        Document doc;
        RecordingFeedback fb;
        const TableLoad load = ReadTableFile(doc, path, format, fb);
        ASSERT_EQ(load.Created.size(), form.Series.size());
        EXPECT_TRUE(fb.Messages.empty());
        std::string titles = doc.Settings.XTitles[0];
        for (std::size_t i = 0; i < form.Series.size(); ++i) {
            const Series& s = *load.Created[i];
            EXPECT_EQ(RowsText(s), Expected(form.Series[i])) << "series " << i + 1;
            EXPECT_EQ(s.Caption, Series::CaptionFor(s.SeriesNumber, path));
            titles += '|' + s.SeriesTitle;
        }
        EXPECT_EQ(titles, form.Titles);
        std::string bad = std::to_string(load.NotNumbers);
        if (load.NotNumbers > 0)
            bad += '@' + std::to_string(load.FirstNotNumberLine) + ':' +
                   std::to_string(load.FirstNotNumberColumn);
        EXPECT_EQ(bad, form.NotNumbers);
    }
}

TEST(TableFile, RowsLongerThanTheTableAreCutAndSaidSo) {
    TempFolder dir;
    const std::string path = dir / "long.csv";
    WriteText(path, "x,y\n1,2\n3,4,5\n");
    TableFormat format = SniffTable(ReadTableHead(path));
    format.Columns = 2; // as if the long row came after the preview's rows
    Document doc;
    SilentFeedback fb;
    const TableLoad load = ReadTableFile(doc, path, format, fb);
    EXPECT_EQ(load.LongRows, 1);
    EXPECT_EQ(load.FirstLongLine, 3);
    EXPECT_EQ(TableLoadStatus(load, path),
              "Loaded 2 rows of LONG.CSV into series 1; every cell was a number. 1 row had more "
              "fields than the table's columns, the first at line 3: the rest of them was not "
              "read.");
}

TEST(TableFile, BadInputGivesAMessageAndChangesNothing) {
    TempFolder dir;
    struct Bad {
        std::string Bytes, Head, Load;
    };
    const std::string p = dir / "bad.csv";
    const Bad cases[] = {
        {"", EmptyFileText(p), ""},
        {std::string("1,2\n\0\x01\x02", 7), IncompatibleFormatText(p), ""},
        {"a,b,c\n", "", NoNumbersText(p)},
    };
    for (const Bad& c : cases) {
        WriteText(p, c.Bytes);
        const TableHead head = ReadTableHead(p);
        EXPECT_EQ(head.Problem, c.Head);
        if (!head.Problem.empty()) continue;
        Document doc;
        RecordingFeedback fb;
        EXPECT_TRUE(ReadTableFile(doc, p, SniffTable(head), fb).Created.empty());
        ASSERT_EQ(fb.Messages.size(), 1u);
        EXPECT_EQ(fb.Messages[0].Text, c.Load);
        EXPECT_EQ(doc.SeriesCount(), 0);
    }
    // A NUL past the head: the load stops with the message, nothing created.
    std::string big(TableHeadBytes + 10, '1');
    for (std::size_t i = 1; i < big.size(); i += 4)
        big[i] = '\n';
    big += std::string("\0", 1);
    WriteText(p, big);
    Document doc;
    RecordingFeedback fb;
    doc.CreateSeries(fb);
    TableFormat f = SniffTable(ReadTableHead(p));
    f.SeriesColumns = {1};
    f.XColumn = RowNumberX;
    EXPECT_TRUE(ReadTableFile(doc, p, f, fb).Created.empty());
    EXPECT_EQ(doc.SeriesCount(), 1);
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, IncompatibleFormatText(p));
    // Memory running out takes back the new series.
    WriteText(p, "1,2\n");
    FailAllocationAt(1);
    EXPECT_TRUE(ReadTableFile(doc, p, SniffTable(ReadTableHead(p)), fb).Created.empty());
    FailAllocationAt(0);
    EXPECT_EQ(doc.SeriesCount(), 1);
    EXPECT_EQ(fb.Messages.back().Text, NotEnoughMemoryToOpenText(p));
}

TEST(TableFile, SeriesLimit) {
    TempFolder dir;
    const std::string path = dir / "wide.csv";
    WriteText(path, "1,2,3,4,5,6\n");
    Document doc;
    RecordingFeedback fb;
    for (int i = 0; i < MaxSeries - 2; ++i)
        doc.CreateSeries(fb);
    const TableLoad load = ReadTableFile(doc, path, SniffTable(ReadTableHead(path)), fb);
    ASSERT_EQ(load.Created.size(), 2u);
    EXPECT_EQ(RowsText(*load.Created[1]), "1:3");
    EXPECT_EQ(fb.Beeps, 1);
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, SeriesLimitText(MaxSeries));

    // A table that takes the last free series exactly is no error.
    WriteText(path, "1,2,3\n");
    Document full;
    RecordingFeedback quiet;
    for (int i = 0; i < MaxSeries - 2; ++i)
        full.CreateSeries(quiet);
    EXPECT_EQ(ReadTableFile(full, path, SniffTable(ReadTableHead(path)), quiet).Created.size(), 2u);
    EXPECT_EQ(quiet.Beeps, 0);
}

} // namespace
} // namespace torvel
