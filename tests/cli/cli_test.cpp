// torvel-cli's commands run in this process on small files: what they print,
// their refusals and exit statuses. (Standard input and output, display-less
// runs and resource limits are the command-line script's.)
#include "cli/cli_commands.h"
#include "core/out_of_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

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
    // Runs a command line; its status, with what it printed in Out and Err.
    int Cli(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = torvel::RunCli(args, out, err);
        Out = out.str();
        Err = err.str();
        return status;
    }

    fs::path dir_;
    std::string Out, Err;
};

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
        {"g.gra --kind 1 --decimal-comma", 1, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"fit"};
        std::istringstream words(c.Args);
        for (std::string w; words >> w;)
            args.push_back(args.size() == 1 ? Path(w) : w);
        EXPECT_EQ(Cli(args), c.Status) << c.Args << ": " << Err;
        EXPECT_EQ(Out, c.Out) << c.Args;
    }
    EXPECT_EQ(Cli({"render", Path("g.gra"), "-o", "x.png", "--header", "1"}), 2);
}

// --stats adds the report (its text: tests/fit) after the coefficients.
TEST_F(CliTest, FitStatsAddsATablePerSeriesAfterTheCoefficients) {
    const std::string prn = Write("line.prn", "1 3\n2 5\n3 7\n4 10\n");
    ASSERT_EQ(Cli({"fit", prn, "--stats", "--kind", "1", "--digits", "6"}), 0) << Err;
    EXPECT_EQ(Out.find("Series # 1\n0.5\n2.3\n0\n0\n0\n0\n0.988785\n\nSeries # 1   Y = A + B*X\n"),
              0u);
    EXPECT_NE(Out.find("Adjusted R^2                  0.983178\n"), std::string::npos);
}

// Each refused fit names its reason on standard error, with status 1.
TEST_F(CliTest, RefusedFitsTellWhy) {
    const std::string prn = Write("zero.prn", "0 1\n1 2\n2 3\n");
    const std::pair<const char*, const char*> refusals[] = {
        {"6", "Series # 1: the power fit needs every X and every Y above 0.\n"},
        {"3", "Series # 1: a polynomial of degree 3 needs more than 3 rows with both X and Y.\n"},
    };
    for (const auto& [kind, why] : refusals) {
        EXPECT_EQ(Cli({"fit", prn, "--kind", kind}), 1) << kind;
        EXPECT_EQ(Err, why);
    }
}

// Running out of memory ends the command with its message and status 1.
TEST_F(CliTest, RunningOutOfMemoryEndsTheCommandWithStatusOne) {
    const std::string prn = Write("line.prn", "1 3\n2 5\n3 7\n");
    // The first place that allocates is reading the file, the second the command's own.
    const struct {
        std::vector<std::string> Args;
        int At;
        std::string Told;
    } runs[] = {
        {{"fit", prn, "--kind", "1"}, 1, "Not enough memory to open " + prn + ".\n"},
        {{"fit", prn, "--kind", "1"}, 2, "Not enough memory to fit the series.\n"},
        {{"render", prn, "-o", Path("g.png")}, 2, "Not enough memory to draw the graph.\n"},
        {{"print-data", prn, "-o", Path("d.pdf")}, 2, "Not enough memory to print the data.\n"},
    };
    for (const auto& r : runs) {
        torvel::FailAllocationAt(r.At);
        EXPECT_EQ(Cli(r.Args), 1) << r.Args[0];
        torvel::FailAllocationAt(0);
        EXPECT_EQ(Err, r.Told);
    }
    for (const char* name : {"g.png", "d.pdf"})
        EXPECT_FALSE(fs::exists(Path(name))) << name;
}

// A refused command line is status 2 and one line naming the problem.
TEST_F(CliTest, BadCommandLines) {
    const std::vector<std::vector<std::string>> refused = {
        {"render"},
        {"render", "a.prn", "-o", "out.gif"},
        {"render", "a.prn", "-o", "out.png", "--size", "0x5"},
        {"render", "a.prn", "-o", "out.png", "--size", "5x0"},
        {"render", "a.prn", "-o", "out.png", "--size", "16385x5"},
        {"render", "a.prn", "b.prn", "-o", "out.png"},
        {"print-data", "a.prn", "-o", "out.png"},
        {"fit", "a.prn", "--kind", "9"},
        {"fit", "a.prn", "b.prn", "--kind", "1"},
        {"fit", "a.prn", "--kind", "1", "--digits", "0"},
        {"fit", "a.prn", "--kind", "1", "--digits", "22"},
        {"fit", "a.prn", "--kind", "1", "--digits"},
        {"frobnicate"},
    };
    for (const auto& args : refused) {
        EXPECT_EQ(Cli(args), 2) << args.back();
        EXPECT_EQ(std::count(Err.begin(), Err.end(), '\n'), 1) << Err;
    }
    ASSERT_EQ(Cli({"--help"}), 0);
    for (const char* option : {"--auto-scale", "--kind", "--digits D"})
        EXPECT_NE(Out.find(option), std::string::npos) << option;
}

} // namespace
