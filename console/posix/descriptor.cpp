#include "console/posix/descriptor.h"

#include <cerrno>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace con::platform::descriptor {

namespace {

// errno as the designed platform's error number; the platform error mapping takes it from there.
std::uint32_t error_number(int e)
{
    switch (e) {
    case EISDIR: return 1;     // invalid function
    case EACCES:
    case EPERM: return 5;      // access denied
    case EBADF: return 6;      // invalid handle
    case EINVAL: return 87;    // invalid parameter
    case EPIPE: return error_broken_pipe;
    case ENOSPC:
    case EDQUOT: return 112;   // disk full
    default: return 31;        // general failure, EIO among them
    }
}

template <typename Call>
Transfer transfer(int fd, short ready, Call call)
{
    for (;;) {
        ssize_t n = call();
        if (n >= 0) return {static_cast<std::int32_t>(n), 0};
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd p{fd, ready, 0};
            poll(&p, 1, -1);
        } else if (errno != EINTR) {
            return {0, error_number(errno)};
        }
    }
}

}  // namespace

Transfer read(int fd, std::uint8_t* buf, std::int32_t size)
{
    return transfer(fd, POLLIN, [&] { return ::read(fd, buf, static_cast<size_t>(size)); });
}

Transfer write(int fd, const std::uint8_t* buf, std::int32_t size)
{
    return transfer(fd, POLLOUT, [&] { return ::write(fd, buf, static_cast<size_t>(size)); });
}

Kind kind(int fd)
{
    struct stat st;
    if (fstat(fd, &st) != 0) return Kind::file;
    if (S_ISCHR(st.st_mode)) return Kind::character_device;
    if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return Kind::pipe;
    return Kind::file;
}

}  // namespace con::platform::descriptor
