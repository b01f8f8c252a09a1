// What the file tests share: a scratch folder, whole-file reads and writes,
// and a write failure that even root cannot avoid.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torvel::testing_support {

namespace fs = std::filesystem;

// A fresh folder, removed with everything in it (even when made read-only).
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
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::string Str() const { return path_.string(); }
    int Entries() const {
        return static_cast<int>(std::distance(fs::directory_iterator(path_), {}));
    }
    void MakeReadOnly() const {
        fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_exec);
    }
    void OpenToEveryone() const { fs::permissions(path_, fs::perms::all); }

  private:
    fs::path path_;
};

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// While it lives, no file may grow beyond `bytes`: writes past that fail.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old_;
        small.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    struct rlimit old_ {};
    void (*handler_)(int) = nullptr;
};

inline bool RunningAsRoot() {
    return ::geteuid() == 0;
}

// Runs check in a child process, as the unprivileged user "nobody" when the
// tests run as root, so that file permissions apply; true when check did.
// (Folders it must reach need to be open to others.)
inline bool AsAnotherUser(const std::function<bool()>& check) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (RunningAsRoot() && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace torvel::testing_support
