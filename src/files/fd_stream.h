// An output stream buffer on a file descriptor that keeps the reason of a
// failed write (a full disk, a file-size limit, a closed pipe), which
// std::ofstream and std::cout lose.
#pragma once

#include <streambuf>
#include <vector>

namespace torvel {

class FdBuffer : public std::streambuf {
  public:
    explicit FdBuffer(int fd);
    int Error = 0; // errno of the first failed write; nothing is written after it

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool Drain();

    int fd_;
    std::vector<char> buffer_;
};

// Copies everything from one descriptor to another. Returns 0, or the errno
// of the read or write that failed (*failedWriting tells which).
int CopyFileData(int from, int to, bool* failedWriting = nullptr);

} // namespace torvel
