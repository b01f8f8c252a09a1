#include "files/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace torvel {

namespace {

// A stream buffer on a file descriptor that keeps the reason of a failed
// write (a full disk, a file-size limit), which std::ofstream loses.
class FdBuffer : public std::streambuf {
  public:
    explicit FdBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int Error = 0; // errno of the first failed write

  protected:
    int_type overflow(int_type c) override {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

  private:
    bool Drain() {
        if (Error != 0) return false;
        const char* p = pbase();
        while (p < pptr()) {
            const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(pptr() - p));
            if (n < 0) {
                if (errno == EINTR) continue;
                Error = errno;
                return false;
            }
            p += n;
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return true;
    }

    int fd_;
    std::vector<char> buffer_;
};

// The temporary file of a save: closed, and removed unless it was put in place,
// on every way out, an exception from the writer included.
class TemporaryFile {
  public:
    TemporaryFile(int fd, std::string path) : Fd(fd), Path(std::move(path)) {}
    ~TemporaryFile() {
        if (Fd >= 0) ::close(Fd);
        if (!kept_) ::unlink(Path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { kept_ = true; }

    int Fd;
    const std::string Path;

  private:
    bool kept_ = false;
};

// The file a save replaces: path, or the file its chain of symbolic links
// ends at (which need not exist yet), so the links stay links.
bool FinalTarget(const std::string& path, std::string& target, int& error) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::vector<char> buffer(PATH_MAX);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n < 0 || static_cast<std::size_t>(n) >= buffer.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string next(buffer.data(), static_cast<std::size_t>(n));
        target = next[0] == '/' ? next : FolderOf(target) + "/" + next;
    }
    error = ELOOP;
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write,
                         std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    auto failWith = [&](int err) {
        return fail("Cannot write " + path + ": " + std::strerror(err));
    };

    std::string target;
    if (int err = 0; !FinalTarget(path, target, err)) return failWith(err);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode)) return fail(path + " is a folder");
        if (!S_ISREG(st.st_mode)) return fail(path + " is not a regular file");
        // A writable folder would let the rename replace a file the user may
        // not write; refuse it as an editor does.
        if (::access(target.c_str(), W_OK) != 0) return failWith(errno);
    }

    std::string tmpl = FolderOf(target) + "/.torvel-save-XXXXXX";
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(std::string("Cannot write in the folder of ") + path + ": " +
                    std::strerror(errno));
    TemporaryFile tmp(fd, tmpl);

    // Keep the permissions (and, where allowed, the owner) of the file being
    // replaced; a new file gets the usual ones.
    mode_t mode = 0666;
    if (exists) {
        mode = st.st_mode & 07777;
        if (::fchown(tmp.Fd, st.st_uid, st.st_gid) != 0) {
            // Only root may give a file away; the user's own file stays theirs.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(tmp.Fd, mode);

    FdBuffer buffer(tmp.Fd);
    std::ostream out(&buffer);
    const bool written = write(out);
    out.flush();
    if (buffer.Error != 0) return failWith(buffer.Error);
    if (!written || !out) return fail("Cannot write " + path);
    // (A file system without fsync, EINVAL, has nothing more to flush.)
    if (::fsync(tmp.Fd) != 0 && errno != EINVAL) return failWith(errno);
    const int closed = ::close(tmp.Fd);
    tmp.Fd = -1;
    if (closed != 0) return failWith(errno);
    if (std::rename(tmp.Path.c_str(), target.c_str()) != 0) return failWith(errno);
    tmp.Keep();
    return true;
}

} // namespace torvel
