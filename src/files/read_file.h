// A file opened for reading by the readers: refused with the reason when it
// cannot be opened, is a folder, or is no regular file (a named pipe would
// wait forever); closed when it goes.
#pragma once

#include <string>
#include <sys/stat.h>

namespace torvel {

class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Empty when the file is open.
    const std::string& Problem() const { return problem_; }
    int Fd() const { return fd_; }
    const struct stat& Status() const { return status_; }
    long long Size() const { return static_cast<long long>(status_.st_size); }

  private:
    int fd_ = -1;
    struct stat status_ {};
    std::string problem_;
};

} // namespace torvel
