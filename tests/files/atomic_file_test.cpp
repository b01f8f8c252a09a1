#include "files/atomic_file.h"

#include "files/file_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <optional>
#include <sys/stat.h>

namespace torvel {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

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

    // A new file gets the mode the umask allows, and the umask is as it was.
    for (const mode_t mask : {022, 027, 077}) {
        const mode_t old = ::umask(mask);
        const std::string fresh = dir / ("new" + std::to_string(mask));
        const bool saved = WriteFileAtomically(fresh, WriteHello);
        const mode_t after = ::umask(old);
        ASSERT_TRUE(saved);
        EXPECT_EQ(after, mask);
        ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask) << mask;
    }
}

// Every way a save can fail leaves the old file as it was, no temporary file
// behind, and says why.
TEST(WriteFileAtomically, FailuresKeepTheOldFile) {
    struct Case {
        const char* name;
        std::function<bool(std::ostream&)> write;
        bool readOnlyFolder = false;
        bool sizeLimit = false;
        const char* reason = "";
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
        {"file-size limit", bigWrite, false, true, "File too large"},
        {"read-only folder", bigWrite, true, false, "Permission denied"},
        {"writer throws",
         [](std::ostream& out) -> bool {
             out << std::string(100000, 'x');
             throw std::bad_alloc();
         }},
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
            try {
                ok = WriteFileAtomically(path, c.write, &error);
            } catch (const std::bad_alloc&) {
                ok = false;
                error = "thrown";
            }
        }
        EXPECT_FALSE(ok) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(ReadText(path), "hello\r\n") << c.name;
        EXPECT_EQ(dir.Entries(), 1) << c.name;
    }
}

// Saving through a symbolic link (or a chain of them, relative or absolute)
// replaces the file it leads to, beside that file, and keeps every link.
TEST(WriteFileAtomically, SymbolicLinksStayLinks) {
    TempFolder dir;
    fs::create_directory(dir / "real");
    const std::string target = dir / "real/t.txt";
    WriteText(target, "old");
    fs::create_symlink("real/t.txt", dir / "link");
    fs::create_symlink(dir / "link", dir / "chain");
    fs::create_symlink("not-yet.txt", dir / "real/dangling");
    for (const std::string& via : {dir / "link", dir / "chain"}) {
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(via, WriteHello, &error)) << error;
        EXPECT_TRUE(fs::is_symlink(via)) << via;
        EXPECT_EQ(ReadText(target), "hello\r\n") << via;
        WriteText(target, "old");
    }
    EXPECT_TRUE(fs::is_symlink(dir / "link"));
    // A link to a file not there yet makes that file.
    ASSERT_TRUE(WriteFileAtomically(dir / "real/dangling", WriteHello));
    EXPECT_TRUE(fs::is_symlink(dir / "real/dangling"));
    EXPECT_EQ(ReadText(dir / "real/not-yet.txt"), "hello\r\n");
    EXPECT_EQ(dir.Entries(), 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 3);
    // A loop of links is no file to write.
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(dir / "loop1", WriteHello, &error));
    EXPECT_NE(error.find("Too many levels of symbolic links"), std::string::npos) << error;
}

// A writable folder would let the rename replace a file its user may not
// write (another's, mode 0444): it is refused with the reason, untouched.
// Root too: a file without a write bit for anyone is read-only.
TEST(WriteFileAtomically, AFileTheUserMayNotWriteIsRefused) {
    TempFolder dir;
    dir.OpenToEveryone();
    const std::string path = dir / "locked.txt";
    WriteText(path, "keep");
    ::chmod(path.c_str(), 0444);
    const auto refused = [&] {
        std::string error;
        return !WriteFileAtomically(path, WriteHello, &error) &&
               error == "Cannot write " + path + ": Permission denied";
    };
    EXPECT_TRUE(AsAnotherUser(refused));
    EXPECT_TRUE(refused());
    EXPECT_EQ(ReadText(path), "keep");
    EXPECT_EQ(dir.Entries(), 1);
}

// Every name of a file with hard links keeps showing it, saved or not; no
// backup stays behind.
TEST(WriteFileAtomically, HardLinksStayLinks) {
    TempFolder dir;
    const std::string a = dir / "a.txt", b = dir / "b.txt";
    WriteText(a, "old");
    fs::create_hard_link(a, b);
    FileIdentity written;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(b, WriteHello, &error, &written)) << error;
    EXPECT_EQ(ReadText(a), "hello\r\n");
    EXPECT_EQ(fs::hard_link_count(a), 2u);
    EXPECT_EQ(written, IdentityOf(a));
    EXPECT_EQ(dir.Entries(), 2);

    const auto half = [](std::ostream& out) {
        out << std::string(100000, 'x');
        return false;
    };
    const auto throws = [](std::ostream& out) -> bool {
        out << std::string(100000, 'x');
        throw std::bad_alloc();
    };
    for (const auto& write : {std::function<bool(std::ostream&)>(half), {throws}}) {
        try {
            EXPECT_FALSE(WriteFileAtomically(a, write));
        } catch (const std::bad_alloc&) {
        }
        EXPECT_EQ(ReadText(b), "hello\r\n");
        EXPECT_EQ(fs::hard_link_count(a), 2u);
        EXPECT_EQ(dir.Entries(), 2);
    }
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(WriteFileAtomically(
            a,
            [](std::ostream& out) {
                out << std::string(100000, 'x');
                return true;
            },
            &error));
    }
    EXPECT_EQ(error, "Cannot write " + a + ": File too large");
    EXPECT_EQ(ReadText(b), "hello\r\n");
    EXPECT_EQ(dir.Entries(), 2);
}

} // namespace
} // namespace torvel
