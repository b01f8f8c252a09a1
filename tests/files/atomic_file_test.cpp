#include "files/atomic_file.h"

#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sys/stat.h>

namespace torvel {
namespace {

using namespace testing_support;

bool WriteHello(std::ostream& out) {
    out << "hello\r\n";
    return true;
}

TEST(WriteFileAtomically, WritesAndReplacesKeepingPermissions) {
    TempFolder dir;
    const std::string path = dir / "a.txt";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello, &error)) << error;
    EXPECT_EQ(ReadText(path), "hello\r\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, [](std::ostream& out) {
        out << "second";
        return true;
    }));
    EXPECT_EQ(ReadText(path), "second");
    EXPECT_EQ(dir.Entries(), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// Every way a save can fail leaves the old file as it was, no temporary file
// behind, and says why.
TEST(WriteFileAtomically, FailuresKeepTheOldFile) {
    struct Case {
        const char* name;
        std::function<bool(std::ostream&)> write;
        bool readOnlyFolder = false;
        bool sizeLimit = false;
    };
    const auto bigWrite = [](std::ostream& out) {
        out << std::string(100000, 'x');
        return true;
    };
    const Case cases[] = {
        {"writer refuses",
         [](std::ostream& out) {
             out << "half a file";
             return false;
         }},
        {"disk full", bigWrite, false, true},
        {"read-only folder", bigWrite, true, false},
    };
    for (const Case& c : cases) {
        if (c.readOnlyFolder && RunningAsRoot()) continue; // root writes anywhere
        TempFolder dir;
        const std::string path = dir / "keep.txt";
        ASSERT_TRUE(WriteFileAtomically(path, WriteHello));
        if (c.readOnlyFolder) dir.MakeReadOnly();
        std::string error;
        bool ok;
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit) limit.emplace(100);
            ok = WriteFileAtomically(path, c.write, &error);
        }
        EXPECT_FALSE(ok) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_EQ(ReadText(path), "hello\r\n") << c.name;
        EXPECT_EQ(dir.Entries(), 1) << c.name;
    }
}

TEST(WriteFileAtomically, UnwritablePlaces) {
    TempFolder dir;
    for (const std::string& path : {dir / "missing/x.txt", dir.Str()}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(path, WriteHello, &error)) << path;
        EXPECT_FALSE(error.empty()) << path;
    }
}

} // namespace
} // namespace torvel
