#include "files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write,
                         std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return fail(path + " is a folder");

    std::string tmpl = FolderOf(path) + "/.torvel-save-XXXXXX";
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return fail(std::string("Cannot write in the folder of ") + path + ": " +
                    std::strerror(errno));
    ::close(fd);
    const std::string tmp = tmpl;
    bool ok = false;
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (out) {
            try {
                ok = write(out);
            } catch (...) {
                // Running out of memory while writing ends the save, not the
                // program: the previous file stays and the temporary one goes.
                out.close();
                std::remove(tmp.c_str());
                throw;
            }
            out.flush();
            ok = ok && out.good();
        }
    }
    if (ok) {
        // Keep the permissions of the file being replaced; a new file gets the usual ones.
        mode_t mode = 0666;
        if (::stat(path.c_str(), &st) == 0) {
            mode = st.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        ::chmod(tmp.c_str(), mode);
        const int tfd = ::open(tmp.c_str(), O_RDONLY);
        if (tfd >= 0) {
            ::fsync(tfd);
            ::close(tfd);
        }
        if (std::rename(tmp.c_str(), path.c_str()) == 0) return true;
        const int err = errno;
        std::remove(tmp.c_str());
        return fail("Cannot write " + path + ": " + std::strerror(err));
    }
    std::remove(tmp.c_str());
    return fail("Cannot write " + path);
}

} // namespace torvel
