#include "files/data_file.h"

#include "core/grid_store.h"
#include "files/atomic_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {
namespace {

namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() {
        std::string tmpl = (fs::temp_directory_path() / "torvel-test-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
        path_ = tmpl;
    }
    ~TempFolder() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// ---- number form -------------------------------------------------------

TEST(FileNumberText, Width23Form) {
    struct Case {
        Real value;
        const char* text;
    };
    for (Case c :
         {Case{1.5L, " 1.50000000000000E+0000"}, Case{-0.25L, "-2.50000000000000E-0001"},
          Case{EmptyValue, " 1.00000000000000E+4932"}, Case{0, " 0.00000000000000E+0000"},
          Case{1, " 1.00000000000000E+0000"}, Case{10, " 1.00000000000000E+0001"},
          Case{-1e-300L, "-1.00000000000000E-0300"},
          Case{123456789012345678.0L, " 1.23456789012346E+0017"},
          Case{999999.99999999996L, " 1.00000000000000E+0006"},
          Case{0.1L, " 1.00000000000000E-0001"}, Case{2.0L / 3, " 6.66666666666667E-0001"},
          Case{1e-4L, " 1.00000000000000E-0004"},
          Case{99999.9999999999996L, " 1.00000000000000E+0005"},
          Case{1e18L, " 1.00000000000000E+0018"}, Case{-3.4e4931L, "-3.40000000000000E+4931"}}) {
        EXPECT_EQ(FileNumberText(c.value), c.text) << static_cast<double>(c.value);
    }
}

// The fast digit path must round exactly as the C library does.
TEST(FileNumberText, AgreesWithTheCLibraryOnRandomValues) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> expo(-6, 19);
    for (int i = 0; i < 200000; ++i) {
        Real v = static_cast<Real>(mant(rng)) * std::pow(10.0L, expo(rng));
        // Random low bits, so the values use the whole 64-bit mantissa.
        v = std::nextafter(v, v * 2) + (i % 3 == 0 ? 0 : v * 1e-17L * static_cast<Real>(i % 97));
        if (i % 2) v = -v;
        char lib[64];
        std::snprintf(lib, sizeof lib, "%+.14Le", v);
        const std::string ours = FileNumberText(v);
        // "+1.23...e+05" against " 1.23...E+0005"
        const std::string libMantissa(lib + 1, 16);
        const int libExp = std::atoi(std::strchr(lib, 'e') + 1);
        ASSERT_EQ(ours.substr(1, 16), libMantissa) << lib;
        ASSERT_EQ(std::atoi(ours.c_str() + 18), libExp) << lib;
        ASSERT_EQ(ours[0], v < 0 ? '-' : ' ');
    }
}

TEST(ParseFileNumber, AcceptedAndRefusedForms) {
    struct Case {
        const char* token;
        bool ok;
        Real value;
    };
    for (Case c : {Case{"1", true, 1},
                   Case{"-2.5", true, -2.5L},
                   Case{"+.5", true, 0.5L},
                   Case{"5.", true, 5},
                   Case{"1e3", true, 1000},
                   Case{"1E-3", true, 1e-3L},
                   Case{" 1.50000000000000E+0000", false, 0},
                   Case{"1.50000000000000E+0000", true, 1.5L},
                   Case{"-2.50000000000000E-0001", true, -0.25L},
                   Case{"1.00000000000000E+4932", true, EmptyValue},
                   Case{"12345678901234567890123", true, 12345678901234567890123.0L},
                   Case{"1e-4000", true, 1e-4000L},
                   Case{"0.000", true, 0},
                   Case{"abc", false, 0},
                   Case{".", false, 0},
                   Case{"e5", false, 0},
                   Case{"1e", false, 0},
                   Case{"1e+", false, 0},
                   Case{"1.2.3", false, 0},
                   Case{"1,5", false, 0},
                   Case{"--1", false, 0},
                   Case{"inf", false, 0},
                   Case{"nan", false, 0},
                   Case{"0x10", false, 0},
                   Case{"1e99999", false, 0},
                   Case{"", false, 0}}) {
        Real v = -77;
        EXPECT_EQ(ParseFileNumber(c.token, v), c.ok) << c.token;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.token;
        }
    }
}

TEST(ParseFileNumber, ExactlyAsTheCLibraryReads) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 100000; ++i) {
        char buf[64];
        const unsigned long long digits =
            static_cast<unsigned long long>(rng()) % 1000000000000000ULL;
        const int e = static_cast<int>(rng() % 80) - 40;
        std::snprintf(buf, sizeof buf, "%s%llu.%03llue%d", i % 2 ? "-" : "", digits,
                      static_cast<unsigned long long>(rng() % 1000), e);
        Real ours = 0;
        ASSERT_TRUE(ParseFileNumber(buf, ours)) << buf;
        ASSERT_EQ(ours, std::strtold(buf, nullptr)) << buf;
    }
}

// ---- reading -----------------------------------------------------------

struct Loaded {
    Document doc;
    RecordingFeedback fb;
    std::vector<Series*> created;
};

void OpenSeries(Document& doc, int count) {
    SilentFeedback silent;
    for (int i = 0; i < count; ++i)
        doc.CreateSeries(silent);
}

TEST(ReadDataFile, ThreeLinesMakeOneSeries) {
    TempFolder dir;
    const std::string path = dir / "data.prn";
    WriteText(path, "1 2\n2 4\n3 9\n");
    Document doc;
    RecordingFeedback fb;
    const auto created = ReadDataFile(doc, path, fb);
    ASSERT_EQ(created.size(), 1u);
    const Series& s = *created[0];
    EXPECT_EQ(s.SeriesNumber, 1);
    EXPECT_EQ(s.IndexCount, 3);
    EXPECT_EQ(s.Rows[0], (Tdata{1, 2, 0, true, true, false}));
    EXPECT_EQ(s.Rows[2], (Tdata{3, 9, 0, true, true, false}));
    EXPECT_EQ(s.Cell(XColumn, 3), "3");
    EXPECT_EQ(s.Cell(YColumn, 3), "9");
    EXPECT_EQ(s.Caption, "Series Number: 1   -   DATA.PRN");
    EXPECT_EQ(s.FileName, path);
    EXPECT_TRUE(fb.Messages.empty());
    EXPECT_EQ(fb.Beeps, 0);
}

TEST(ReadDataFile, OneSeriesPerYColumnSharingX) {
    TempFolder dir;
    const std::string path = dir / "multi.prn";
    // Tabs, CR LF, a short line, a bad token, a blank line and no final line end.
    WriteText(path, "1\t10 100 1000\r\n2 20 abc\r\n3 30\r\n\r\n5 50 500 5000");
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
        EXPECT_EQ(s->Rows[3], Tdata{}) << "a blank line is an empty row";
    }
    EXPECT_EQ(created[0]->FileName, NoNameData);
    EXPECT_EQ(created[1]->FileName, NoNameData);
    EXPECT_EQ(created[2]->FileName, path);

    EXPECT_EQ(created[0]->Rows[0], (Tdata{1, 10, 0, true, true, false}));
    EXPECT_EQ(created[1]->Rows[1], (Tdata{2, 0, 0, true, false, false})) << "abc reads empty";
    EXPECT_EQ(created[2]->Rows[1], Tdata{}) << "no value on the line: row stays empty";
    EXPECT_EQ(created[1]->Rows[2], Tdata{});
    EXPECT_EQ(created[2]->Rows[4], (Tdata{5, 5000, 0, true, true, false}));
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
    EXPECT_EQ(created[0]->Rows[0], (Tdata{0, 2, 0, false, true, false}));
    EXPECT_EQ(created[0]->Rows[1], (Tdata{0, -1e4931L, 0, false, true, false}));
    EXPECT_EQ(created[0]->Rows[2], (Tdata{9.9e4930L, 3, 0, true, true, false}));
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
        EXPECT_EQ(created[1]->Rows[1], (Tdata{2, 4, 0, true, true, false}));
        EXPECT_EQ(fb.Beeps, 1);
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
}

TEST(ReadDataFile, NoYColumnChangesNothing) {
    TempFolder dir;
    for (const char* text : {"", "1\n2\n3\n", "\n\n\n", "   \n"}) {
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

void ExpectIncompatible(const std::string& path) {
    Document doc;
    OpenSeries(doc, 2);
    doc.NewSeriesRows = 12;
    RecordingFeedback fb;
    EXPECT_TRUE(ReadDataFile(doc, path, fb).empty()) << path;
    EXPECT_EQ(doc.SeriesCount(), 2);
    EXPECT_FALSE(doc.SeriesNumberUsed[3]);
    EXPECT_EQ(doc.NewSeriesRows, 12);
    ASSERT_EQ(fb.Messages.size(), 1u) << path;
    EXPECT_EQ(fb.Messages[0].Text, "The file " + path + " has an incompatible format.");
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(fb.Messages[0].Buttons, MessageButtons::Ok);
}

TEST(ReadDataFile, UnreadableFilesAreReportedAndChangeNothing) {
    TempFolder dir;
    ExpectIncompatible(dir / "missing.prn");
    ExpectIncompatible(dir.Path().string());
    const std::string junk = dir / "junk.prn";
    WriteText(junk, std::string("1 2\n3 4\n\0\x01\x02 5 6\n", 16));
    ExpectIncompatible(junk);
    ExpectIncompatible("/dev/null");
    const std::string pipe = dir / "pipe.prn";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ExpectIncompatible(pipe); // refused, not waited on
}

// Any bytes give either new series or the message, never a crash.
TEST(ReadDataFile, RandomBytes) {
    TempFolder dir;
    const std::string path = dir / "random.prn";
    std::mt19937 rng(5);
    const std::string alphabet = "0123456789 \t\r\n.+-eEx,";
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 400, ' ');
        for (char& c : text)
            c = round % 10 == 0 ? static_cast<char>(rng() % 256)
                                : alphabet[rng() % alphabet.size()];
        WriteText(path, text);
        Document doc;
        RecordingFeedback fb;
        const auto created = ReadDataFile(doc, path, fb);
        EXPECT_EQ(static_cast<int>(created.size()), doc.SeriesCount());
        if (created.empty()) continue;
        EXPECT_TRUE(fb.Messages.empty()) << round;
        for (const Series* s : created) {
            ASSERT_EQ(static_cast<int>(s->Rows.size()), s->IndexCount);
            for (const Tdata& r : s->Rows) {
                EXPECT_TRUE(std::isfinite(r.X) && std::isfinite(r.Y));
                EXPECT_TRUE(r.XValid || r.X == 0);
                EXPECT_TRUE(r.YValid || r.Y == 0);
            }
        }
    }
}

TEST(ReadDataFile, UnreadableWithoutPermission) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    TempFolder dir;
    const std::string path = dir / "locked.prn";
    WriteText(path, "1 2\n");
    fs::permissions(path, fs::perms::none);
    ExpectIncompatible(path);
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

TEST(ReadDataFile, TokensAcrossReadBlocks) {
    // Lines of varying length, so that numbers straddle the reader's blocks.
    TempFolder dir;
    const std::string path = dir / "long.prn";
    const int rows = 90000;
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < rows; ++i)
            out << i << std::string(static_cast<std::size_t>(i % 7) + 1, ' ') << "-" << i
                << ".0625e-2" << (i % 5 ? "\n" : " \t\r\n");
    }
    Document doc;
    RecordingFeedback fb;
    std::vector<double> fractions;
    const auto created = ReadDataFile(doc, path, fb, [&](double f) { fractions.push_back(f); });
    ASSERT_EQ(created.size(), 1u);
    ASSERT_EQ(created[0]->IndexCount, rows);
    for (int i = 0; i < rows; ++i) {
        const Tdata& r = created[0]->Rows[static_cast<std::size_t>(i)];
        ASSERT_EQ(r.X, i);
        ASSERT_EQ(r.Y, -(static_cast<Real>(i) + 0.0625L) / 100) << i;
        ASSERT_TRUE(r.XValid && r.YValid);
    }
    ASSERT_GE(fractions.size(), 3u);
    for (std::size_t i = 1; i < fractions.size(); ++i)
        EXPECT_GE(fractions[i], fractions[i - 1]);
    EXPECT_DOUBLE_EQ(fractions.back(), 1.0);
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
    EXPECT_EQ(s.Caption, "Series Number: 3   -   OUT.PRN");
    EXPECT_TRUE(s.Rows[1].YValid) << "the grid is copied into the rows first";
}

TEST(WriteDataFile, RoundTripKeepsEveryValueAndFlag) {
    TempFolder dir;
    Series s(1, 7);
    s.Rows = {{1.5L, -2, 0, true, true, false},
              {0, 3E-12L, 0, false, true, false},
              {1E12L, 0, 0, true, false, false},
              {},
              {-123456.789L, 0.000123456789L, 0, true, true, false},
              {2.0L / 3, 1e300L, 0, true, true, false},
              {}};
    RowsToGrid(s);
    const std::string path = dir / "trip.prn";
    ASSERT_TRUE(WriteDataFile(s, path));

    Document doc;
    RecordingFeedback fb;
    const auto created = ReadDataFile(doc, path, fb);
    ASSERT_EQ(created.size(), 1u);
    const Series& back = *created[0];
    ASSERT_EQ(back.IndexCount, 7);
    for (int r = 1; r <= 7; ++r) {
        const Tdata& a = s.Rows[static_cast<std::size_t>(r - 1)];
        const Tdata& b = back.Rows[static_cast<std::size_t>(r - 1)];
        EXPECT_EQ(a.XValid, b.XValid) << r;
        EXPECT_EQ(a.YValid, b.YValid) << r;
        // The grid shows 12 digits, the file keeps 15: the grid texts agree.
        EXPECT_EQ(back.Cell(XColumn, r), s.Cell(XColumn, r)) << r;
        EXPECT_EQ(back.Cell(YColumn, r), s.Cell(YColumn, r)) << r;
        EXPECT_EQ(FileNumberText(b.X), FileNumberText(a.X)) << r;
        EXPECT_EQ(FileNumberText(b.Y), FileNumberText(a.Y)) << r;
    }
}

TEST(WriteDataFile, FailedWriteKeepsTheOldFileAndTheName) {
    TempFolder dir;
    const std::string path = dir / "keep.prn";
    WriteText(path, "old contents\n");
    Series s(1, 100);
    s.SetCell(XColumn, 1, "1");

    // A file size limit makes the write fail part way, even for root.
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = WriteDataFile(s, path, &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "old contents\n");
    EXPECT_EQ(s.FileName, NoNameData);
    EXPECT_EQ(s.Caption, "Series Number: 1");
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.Path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST(WriteDataFile, ReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    TempFolder dir;
    const std::string path = dir / "keep.prn";
    WriteText(path, "old\n");
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    Series s(1, 2);
    std::string error;
    EXPECT_FALSE(WriteDataFile(s, path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "old\n");
}

// ---- save dialog loop --------------------------------------------------

struct ScriptedDialog {
    explicit ScriptedDialog(std::vector<std::optional<std::string>> a) : answers(std::move(a)) {}
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> presets;
    std::size_t next = 0;
    SaveDialog Fn() {
        return [this](const std::string& preset) -> std::optional<std::string> {
            presets.push_back(preset);
            return next < answers.size() ? answers[next++] : std::nullopt;
        };
    }
};

TEST(SaveDataAs, NewFileIsWrittenWithoutQuestion) {
    TempFolder dir;
    Series s(2, 3);
    s.FileName = "/some/where/data.prn";
    ScriptedDialog dialog(std::vector<std::optional<std::string>>{dir / "new.prn"});
    RecordingFeedback fb;
    EXPECT_EQ(SaveDataAs(s, fb, dialog.Fn()), SaveResult::Saved);
    EXPECT_EQ(dialog.presets, (std::vector<std::string>{"/some/where/data"}));
    EXPECT_TRUE(fb.Messages.empty());
    EXPECT_TRUE(FileExists(dir / "new.prn"));
    EXPECT_EQ(s.FileName, dir / "new.prn");
}

TEST(SaveDataAs, ExistingFileAsksAndNoAsksForAnotherName) {
    TempFolder dir;
    const std::string taken = dir / "taken.prn";
    WriteText(taken, "keep\n");
    Series s(2, 3);
    ScriptedDialog dialog(std::vector<std::optional<std::string>>{taken, taken, std::nullopt});
    RecordingFeedback fb;
    fb.Script = {Answer::No, Answer::Yes};
    EXPECT_EQ(SaveDataAs(s, fb, dialog.Fn()), SaveResult::Saved);
    EXPECT_EQ(dialog.presets.size(), 2u);
    EXPECT_EQ(dialog.presets[0], "NoName");
    EXPECT_EQ(fb.Beeps, 2);
    ASSERT_EQ(fb.Messages.size(), 2u);
    EXPECT_EQ(fb.Messages[0].Text, "The File  " + taken + "  already exists overwrite it?");
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Warning);
    EXPECT_EQ(fb.Messages[0].Buttons, MessageButtons::YesNo);
    EXPECT_EQ(ReadText(taken).size(), 3u * 49);
}

TEST(SaveDataAs, CancelAndOwnFile) {
    TempFolder dir;
    const std::string own = dir / "own.prn";
    WriteText(own, "x\n");
    Series s(2, 1);
    s.FileName = own;
    RecordingFeedback fb;
    ScriptedDialog cancel(std::vector<std::optional<std::string>>{std::nullopt});
    EXPECT_EQ(SaveDataAs(s, fb, cancel.Fn()), SaveResult::Cancelled);
    EXPECT_EQ(ReadText(own), "x\n");
    ScriptedDialog same(std::vector<std::optional<std::string>>{own});
    EXPECT_EQ(SaveDataAs(s, fb, same.Fn()), SaveResult::Saved);
    EXPECT_TRUE(fb.Messages.empty()) << "its own file is overwritten without asking";
    EXPECT_EQ(ReadText(own).size(), 49u);
}

TEST(SaveDataAs, FailureIsShown) {
    TempFolder dir;
    Series s(2, 1);
    ScriptedDialog dialog(std::vector<std::optional<std::string>>{dir / "no-such-folder/x.prn"});
    RecordingFeedback fb;
    EXPECT_EQ(SaveDataAs(s, fb, dialog.Fn()), SaveResult::Failed);
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(s.FileName, NoNameData);
}

} // namespace
} // namespace torvel
