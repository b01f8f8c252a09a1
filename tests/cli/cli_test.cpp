// torvel-cli run as a separate process on small files.
#include "cli/cli_commands.h"
#include "core/out_of_memory.h"
#include "files/graph_file.h"
#include "render/render_test_util.h"

#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int Status = -1;
    std::string Out, Err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("torvel_cli_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    CliRun Cli(const std::string& args) const {
        const std::string out = Path("stdout.txt"), err = Path("stderr.txt");
        const std::string cmd =
            std::string("'") + TORVEL_CLI_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
        CliRun r;
        const int raw = std::system(cmd.c_str());
        r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.Out = Read(out);
        r.Err = Read(err);
        return r;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    fs::path dir_;
};

TEST_F(CliTest, RenderWritesTheWindowImageOrThePrintedPage) {
    const std::string prn = Write("data.prn", "1 2 5\n2 4 3\n3 6 1\n");
    for (const char* ext : {".png", ".bmp", ".pdf"}) {
        const std::string out = Path(std::string("graph") + ext);
        const CliRun r = Cli("render '" + prn + "' -o '" + out + "' --size 640x480 --auto-scale");
        ASSERT_EQ(r.Status, 0) << r.Err;
        if (std::string(ext) == ".pdf") {
            EXPECT_EQ(Read(out).rfind("%PDF", 0), 0u);
            continue;
        }
        QImage image(QString::fromStdString(out));
        ASSERT_FALSE(image.isNull()) << ext;
        EXPECT_EQ(image.size(), QSize(640, 480));
        EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
    }
}

TEST_F(CliTest, RenderGraphFileWithTitlesAndFit) {
    torvel::Document doc;
    torvel::test::FixedAxes(doc);
    torvel::test::AddSeries(doc, {{1, 2}, {2, 4}, {3, 6}}, true, torvel::GraphLineFit).Fit.FitKind =
        1;
    doc.Settings.MainTitles[0] = "A graph file";
    const std::string gra = Path("g.gra");
    torvel::SilentFeedback fb;
    ASSERT_TRUE(torvel::WriteGraphFile(doc, gra, fb));
    const std::string png = Path("g.png");
    const CliRun r = Cli("render '" + gra + "' -o '" + png + "' --size 700x500");
    ASSERT_EQ(r.Status, 0) << r.Err;
    QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(700, 500));
    // Yellow title pixels somewhere in the title band.
    bool yellow = false;
    for (int y = 0; y < 60 && !yellow; ++y)
        for (int x = 0; x < 700 && !yellow; ++x)
            yellow = image.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_TRUE(yellow);
}

TEST_F(CliTest, FitPrintsSevenCoefficientLinesPerSeries) {
    const std::string prn = Write("line.prn", "1 3 2\n2 5 2\n3 7 2\n");
    const CliRun r = Cli("fit '" + prn + "' --kind 1");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "Series # 1\n1\n2\n0\n0\n0\n0\n1\nSeries # 2\n2\n0\n0\n0\n0\n0\n1\n");
}

// Tables are read as Import Table sniffs them, the options overriding.
TEST_F(CliTest, FitReadsTablesWithTheirOptions) {
    Write("t.csv", "time;temp\n0;20,5\n1;21,25\n");
    Write("d.prn", "1,5 4\n2,5 6\n");
    const struct {
        const char* Args;
        int Status;
        const char* Out;
    } cases[] = {
        {"t.csv --kind 1", 0, "Series # 1\n20.5\n.75\n0\n0\n0\n0\n1\n"},
        {"t.csv --kind 1 --x-column 0 --digits 3", 0,
         "Series # 1\n-1\n1\n0\n0\n0\n0\n1\nSeries # 2\n19.8\n0.75\n0\n0\n0\n0\n1\n"},
        {"d.prn --kind 1 --decimal-comma --separator blanks", 0,
         "Series # 1\n1\n2\n0\n0\n0\n0\n1\n"},
        {"t.csv --kind 1 --header 0 --separator x", 1, ""},
        {"t.csv --kind 1 --x-column 3", 1, ""},
        {"t.csv --kind 1 --separator 5", 2, ""},
        {"t.csv --kind 1 --header x", 2, ""},
        {"g.gra --kind 1 --decimal-comma", 1, ""},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli("fit " + std::string(c.Args).insert(0, Path("")));
        EXPECT_EQ(r.Status, c.Status) << c.Args << ": " << r.Err;
        EXPECT_EQ(r.Out, c.Out) << c.Args;
    }
    EXPECT_EQ(Cli("render " + Path("g.gra") + " -o x.png --header 1").Status, 2);
}

// An exact quadratic, and the same scaled by 1e-6: every printed digit holds.
TEST_F(CliTest, FitDigitsPrintsSignificantDigits) {
    std::string rows;
    for (int x = 0; x <= 20; ++x) {
        const int y = 7 - 3 * x + 2 * x * x;
        rows += std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(y) + "e-6\n";
    }
    const std::string prn = Write("quadratic.prn", rows);
    const CliRun r = Cli("fit '" + prn + "' --kind 2 --digits 17");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "Series # 1\n7\n-3\n2\n0\n0\n0\n1\n"
                     "Series # 2\n7e-06\n-3e-06\n2e-06\n0\n0\n0\n1\n");
    for (const char* bad : {"0", "22", "x", ""})
        EXPECT_EQ(Cli("fit '" + prn + "' --kind 2 --digits '" + bad + "'").Status, 2) << bad;
    EXPECT_EQ(Cli("fit '" + prn + "' --kind 2 --digits").Status, 2);
}

TEST_F(CliTest, FitStatsAddsATablePerSeriesAfterTheCoefficients) {
    const std::string prn = Write("line.prn", "1 3\n2 5\n3 7\n4 10\n");
    const CliRun r = Cli("fit '" + prn + "' --stats --kind 1 --digits 6");
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "Series # 1\n0.5\n2.3\n0\n0\n0\n0\n0.988785\n\n"
                     "Series # 1   Y = A + B*X\n"
                     "Coefficient                   Value                     Standard error\n"
                     "A                             0.5                       0.474342\n"
                     "B                             2.3                       0.173205\n"
                     "Points used (n)               4\n"
                     "Degrees of freedom (n - p)    2\n"
                     "Residual sum of squares       0.3\n"
                     "Residual standard deviation   0.387298\n"
                     "R^2                           0.988785\n"
                     "Adjusted R^2                  0.983178\n");
}

TEST_F(CliTest, RefusedFitReportsTheReason) {
    const std::string prn = Write("zero.prn", "0 1\n1 2\n2 3\n");
    const CliRun r = Cli("fit '" + prn + "' --kind 6");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("power fit"), std::string::npos) << r.Err;
}

TEST_F(CliTest, UnreadableInputIsAnIncompatibleFormat) {
    const std::string bad = Write("bad.prn", "1\n2\n3\n");
    const CliRun r = Cli("render '" + bad + "' -o '" + Path("x.png") + "'");
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("The file " + bad + " has an incompatible format."), std::string::npos)
        << r.Err;
    EXPECT_FALSE(fs::exists(Path("x.png")));
    const std::string badGraph = Write("bad.gra", "not a graph file\n");
    EXPECT_EQ(Cli("render '" + badGraph + "' -o '" + Path("b.png") + "'").Status, 1);
    const CliRun missing = Cli("fit '" + Path("none.prn") + "' --kind 1");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err,
              "The file " + Path("none.prn") + " cannot be read: No such file or directory\n");
}

// Running out of memory ends the command with its message and status 1, the
// status torvel-cli exits with (run in this process, where the allocation
// failure can be injected).
TEST_F(CliTest, RunningOutOfMemoryEndsTheCommandWithStatusOne) {
    const std::string prn = Write("line.prn", "1 3\n2 5\n3 7\n");
    std::string openTold = "Not enough memory to open ";
    openTold += prn;
    openTold += ".\n";
    // The first place that allocates is reading the file, the second the command's own.
    const struct {
        std::vector<std::string> Args;
        int At;
        std::string Told;
    } runs[] = {
        {{"fit", prn, "--kind", "1"}, 1, openTold},
        {{"fit", prn, "--kind", "1"}, 2, "Not enough memory to fit the series.\n"},
        {{"render", prn, "-o", Path("g.png")}, 2, "Not enough memory to draw the graph.\n"},
        {{"render", prn, "-o", Path("g.pdf")}, 2, "Not enough memory to draw the graph.\n"},
        {{"print-data", prn, "-o", Path("d.pdf")}, 2, "Not enough memory to print the data.\n"},
    };
    for (const auto& r : runs) {
        std::ostringstream out, err;
        torvel::FailAllocationAt(r.At);
        EXPECT_EQ(torvel::RunCli(r.Args, out, err), 1) << r.Args[0];
        torvel::FailAllocationAt(0);
        EXPECT_EQ(err.str(), r.Told);
    }
    for (const char* name : {"g.png", "g.pdf", "d.pdf"})
        EXPECT_FALSE(fs::exists(Path(name))) << name;
}

TEST_F(CliTest, BadCommandLinesAndHelp) {
    EXPECT_EQ(Cli("render").Status, 2);
    EXPECT_EQ(Cli("render a.prn -o out.gif").Status, 2);
    EXPECT_EQ(Cli("render a.prn -o out.png --size 0x5").Status, 2);
    EXPECT_EQ(Cli("render a.prn b.prn -o out.png").Status, 2);
    EXPECT_EQ(Cli("render a.prn -o out.png --frobnicate").Status, 2);
    EXPECT_EQ(Cli("fit a.prn --kind 9").Status, 2);
    EXPECT_EQ(Cli("fit a.prn b.prn --kind 1").Status, 2);
    EXPECT_EQ(Cli("frobnicate").Status, 2);
    const CliRun help = Cli("--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("--auto-scale"), std::string::npos);
    EXPECT_NE(help.Out.find("--kind"), std::string::npos);
    EXPECT_NE(help.Out.find("--digits D"), std::string::npos);
}

} // namespace
