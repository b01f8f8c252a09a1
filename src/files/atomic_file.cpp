#include "files/atomic_file.h"

#include "files/fd_stream.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace torvel {

namespace {

// The temporary files of the saves in progress, so that a program ended by a
// signal can remove them (RemoveTemporaryFilesOfSaves). Fixed slots, as a
// signal handler may neither allocate nor lock: process-wide by nature.
struct PendingFile {
    std::atomic<bool> Used{false};
    char Path[PATH_MAX] = {};
};
std::array<PendingFile, 8> pendingFiles;

int RegisterPending(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (std::size_t i = 0; i < pendingFiles.size(); ++i) {
        bool expected = false;
        PendingFile& slot = pendingFiles[i];
        // Claimed with the path still empty, published once it is whole.
        if (!slot.Used.compare_exchange_strong(expected, true)) continue;
        slot.Path[0] = '\0';
        std::memcpy(slot.Path, path.c_str(), path.size() + 1);
        return static_cast<int>(i);
    }
    return -1; // more saves at once than slots: such a file may stay behind
}

void UnregisterPending(int slot) {
    if (slot >= 0) pendingFiles[static_cast<std::size_t>(slot)].Used = false;
}

// A temporary file of a save: closed, and removed unless it was put in place,
// on every way out, an exception from the writer included.
class TemporaryFile {
  public:
    // removeOnSignal: false for a backup, which a signal must leave alone.
    TemporaryFile(int fd, std::string path, bool removeOnSignal = true)
        : Fd(fd), Path(std::move(path)), slot_(removeOnSignal ? RegisterPending(Path) : -1) {}
    ~TemporaryFile() {
        if (Fd >= 0) ::close(Fd);
        if (!kept_) ::unlink(Path.c_str());
        UnregisterPending(slot_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { kept_ = true; }

    int Fd;
    const std::string Path;

  private:
    int slot_;
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

// A file with several hard links is written in place, so that every name
// keeps showing it: a backup copy first, the write, then the backup removed;
// a failed write puts the old content back from the backup.
bool WriteInPlace(const std::string& path, const std::string& target,
                  const std::function<bool(std::ostream&)>& write, std::string* error,
                  FileIdentity* identityOut) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    auto failWith = [&](int err) {
        return fail("Cannot write " + path + ": " + std::strerror(err));
    };
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return failWith(errno);
    TemporaryFile file(fd, target, false);
    file.Keep(); // the file itself: closed on every way out, never removed

    std::string tmpl = FolderOf(target) + "/.torvel-backup-XXXXXX";
    const int backupFd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (backupFd < 0) return failWith(errno);
    // Interrupted half-way, the file is half written: the backup stays then.
    TemporaryFile backup(backupFd, tmpl, false);
    if (const int err = CopyFileData(file.Fd, backup.Fd); err != 0) return failWith(err);
    if (::fsync(backup.Fd) != 0 && errno != EINVAL) return failWith(errno);

    // Puts the old content back; when even that fails, the backup stays and is named.
    auto restore = [&](const std::string& why) {
        const bool back = ::ftruncate(file.Fd, 0) == 0 && ::lseek(file.Fd, 0, SEEK_SET) == 0 &&
                          ::lseek(backup.Fd, 0, SEEK_SET) == 0 &&
                          CopyFileData(backup.Fd, file.Fd) == 0;
        if (back) return fail(why);
        backup.Keep();
        return fail(why + " (the old content is kept in " + backup.Path + ")");
    };
    if (::ftruncate(file.Fd, 0) != 0 || ::lseek(file.Fd, 0, SEEK_SET) != 0) return failWith(errno);
    FdBuffer buffer(file.Fd);
    std::ostream out(&buffer);
    bool ok = false;
    try {
        ok = write(out);
        out.flush();
    } catch (...) {
        restore("");
        throw;
    }
    if (buffer.Error != 0)
        return restore("Cannot write " + path + ": " + std::strerror(buffer.Error));
    if (!ok || !out) return restore("Cannot write " + path);
    if (::fsync(file.Fd) != 0 && errno != EINVAL)
        return restore("Cannot write " + path + ": " + std::strerror(errno));
    if (identityOut) *identityOut = IdentityOfOpenFile(file.Fd);
    return true;
}

} // namespace

void RemoveTemporaryFilesOfSaves() {
    for (PendingFile& slot : pendingFiles)
        if (slot.Used) ::unlink(slot.Path);
}

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write,
                         std::string* error, FileIdentity* identityOut) {
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
        // not write; refuse it as an editor does. Root passes access(), yet
        // a file without a write bit for anyone is read-only for root too.
        if (::access(target.c_str(), W_OK) != 0) return failWith(errno);
        if ((st.st_mode & 0222) == 0) return failWith(EACCES);
        if (st.st_nlink > 1) return WriteInPlace(path, target, write, error, identityOut);
    }

    std::string tmpl = FolderOf(target) + "/.torvel-save-XXXXXX";
    const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
    if (fd < 0) {
        // Through a link, the folder that refuses is the one the link leads to.
        const std::string where =
            target == path ? "the folder of " + path
                           : "the folder " + FolderOf(target) + " (where " + path + " leads)";
        return fail("Cannot write in " + where + ": " + std::strerror(errno));
    }
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
    const FileIdentity identity = IdentityOfOpenFile(tmp.Fd);
    const int closed = ::close(tmp.Fd);
    tmp.Fd = -1;
    if (closed != 0) return failWith(errno);
    if (std::rename(tmp.Path.c_str(), target.c_str()) != 0) return failWith(errno);
    tmp.Keep();
    if (identityOut) *identityOut = identity;
    return true;
}

} // namespace torvel
