#include "files/read_file.h"

#include "files/messages.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace torvel {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    // Non-blocking, so that a named pipe is refused instead of waited on.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        problem_ = CannotReadText(path, errno);
        return;
    }
    if (::fstat(fd_, &status_) != 0)
        problem_ = CannotReadText(path, errno);
    else
        problem_ = FileTypeProblemText(path, status_.st_mode);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
}

} // namespace torvel
