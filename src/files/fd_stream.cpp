#include "files/fd_stream.h"

#include <cerrno>
#include <unistd.h>

namespace torvel {

FdBuffer::FdBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdBuffer::int_type FdBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FdBuffer::sync() {
    return Drain() ? 0 : -1;
}

bool FdBuffer::Drain() {
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

int CopyFileData(int from, int to, bool* failedWriting) {
    if (failedWriting) *failedWriting = false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                if (failedWriting) *failedWriting = true;
                return errno;
            }
            done += put;
        }
    }
}

} // namespace torvel
