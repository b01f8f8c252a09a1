#include "files/atomic_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
        std::string tmpl = (fs::temp_directory_path() / "torvel-atomic-XXXXXX").string();
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
    int Entries() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(path_)) {
            (void)e;
            ++n;
        }
        return n;
    }

  private:
    fs::path path_;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool WriteHello(std::ostream& out) {
    out << "hello\r\n";
    return true;
}

TEST(WriteFileAtomically, WritesAndReplaces) {
    TempFolder dir;
    const std::string path = dir / "a.txt";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello, &error)) << error;
    EXPECT_EQ(ReadText(path), "hello\r\n");
    ASSERT_TRUE(WriteFileAtomically(path, [](std::ostream& out) {
        out << "second";
        return true;
    }));
    EXPECT_EQ(ReadText(path), "second");
    EXPECT_EQ(dir.Entries(), 1);
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(dir.Path().string())) << "a folder is no file";
}

TEST(WriteFileAtomically, KeepsThePermissionsOfTheReplacedFile) {
    TempFolder dir;
    const std::string path = dir / "p.txt";
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, WriterRefusingKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir / "keep.txt";
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello));
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(
        path,
        [](std::ostream& out) {
            out << "half a file";
            return false;
        },
        &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "hello\r\n");
    EXPECT_EQ(dir.Entries(), 1) << "the temporary file is removed";
}

TEST(WriteFileAtomically, DiskErrorKeepsTheOldFile) {
    TempFolder dir;
    const std::string path = dir / "keep.txt";
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello));
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = WriteFileAtomically(
        path,
        [](std::ostream& out) {
            out << std::string(100000, 'x');
            return true;
        },
        &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "hello\r\n");
    EXPECT_EQ(dir.Entries(), 1);
}

TEST(WriteFileAtomically, UnwritablePlaces) {
    TempFolder dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir / "missing/x.txt", WriteHello, &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(WriteFileAtomically(dir.Path().string(), WriteHello, &error));
    EXPECT_FALSE(error.empty());
}

TEST(WriteFileAtomically, ReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    TempFolder dir;
    const std::string path = dir / "keep.txt";
    ASSERT_TRUE(WriteFileAtomically(path, WriteHello));
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(
        path,
        [](std::ostream& out) {
            out << "new";
            return true;
        },
        &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadText(path), "hello\r\n");
}

} // namespace
} // namespace torvel
