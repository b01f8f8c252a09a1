#include "history/recovery.h"

#include "files/graph_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace torvel {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Recovery, FolderFollowsTheStateHome) {
    EXPECT_EQ(RecoveryFolderFor("/x/state", "/home/u"), "/x/state/torvel-graphics");
    EXPECT_EQ(RecoveryFolderFor("", "/home/u"), "/home/u/.local/state/torvel-graphics");
    EXPECT_EQ(RecoveryFolderFor("relative", ""), "");
}

// A program that wrote its recovery file and died; another that is running
// and writing its own: only the dead one's work is offered, and No keeps it.
TEST(Recovery, WorkLeftByADeadProgramIsOfferedAndKeptAside) {
    const fs::path folder =
        fs::temp_directory_path() / ("torvel-recovery-" + std::to_string(getpid()));
    fs::remove_all(folder);
    Document doc;
    SilentFeedback fb;
    doc.GraphFileName = "/data/run.gra";
    doc.NewSeriesRows = 7;
    doc.CreateSeries(fb).SetValue(XColumn, 3, 1.25L);
    doc.CreateSeries(fb);
    auto write = [&](RecoveryWriter& w) {
        ASSERT_TRUE(w.Ready());
        ASSERT_TRUE(w.Start(SnapshotOf(doc), {}));
        while (w.Busy())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    const pid_t child = fork();
    if (child == 0) {
        RecoveryWriter dying(folder.string(), getpid());
        write(dying);
        _exit(0); // no destructor: as a crash leaves it
    }
    int status = 0;
    waitpid(child, &status, 0);
    RecoveryWriter running(folder.string(), getpid());
    write(running);

    std::vector<LeftRecovery> left = FindLeftRecoveries(folder.string());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].GraphFile,
              (folder / ("recovery-" + std::to_string(child) + ".gra")).string());
    EXPECT_EQ(left[0].Info.GraphFileName, "/data/run.gra");
    EXPECT_EQ(left[0].Info.Series, 2);
    EXPECT_EQ(left[0].Info.Rows, 14);
    EXPECT_NE(RecoverQuestionText(left[0]).find("2 series, 14 rows of the graph /data/run.gra"),
              std::string::npos);
    const std::string work = Read(left[0].GraphFile);
    EXPECT_EQ(work, GraphFileText(doc));
    // Another starting program does not take what this one is dealing with.
    EXPECT_TRUE(FindLeftRecoveries(folder.string()).empty());

    const std::string kept = SetAside(left[0]);
    EXPECT_EQ(fs::path(kept).filename().string().rfind("recovered-", 0), 0u);
    EXPECT_EQ(Read(kept), work);
    EXPECT_FALSE(fs::exists(left[0].GraphFile));
    EXPECT_TRUE(fs::exists(running.GraphFile()));
    running.Remove();
    EXPECT_FALSE(fs::exists(running.GraphFile()));
    fs::remove_all(folder);
}

} // namespace
} // namespace torvel
