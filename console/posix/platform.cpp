// The platform seam on POSIX: file descriptors 0, 1 and 2, read and write with retries,
// errno translated into the designed platform's error numbers.
#include <cerrno>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "console/platform.h"
#include "console/posix/io.h"

extern "C" char __executable_start[];

namespace con::platform {

namespace {

std::uint32_t error_number(int e)
{
    switch (e) {
    case EISDIR: return 1;
    case EACCES:
    case EPERM: return 5;
    case EBADF: return 6;
    case EIO: return 31;
    case EINVAL: return 87;
    case EPIPE: return error_broken_pipe;
    case ENOSPC:
    case EDQUOT: return 112;
    default: return 31;
    }
}

// One transfer: interrupted calls are repeated; on a non-blocking descriptor
// that is not ready, wait until it is.
template <typename Call>
Transfer transfer(Handle h, short ready, Call call)
{
    for (;;) {
        ssize_t n = call();
        if (n >= 0) return {static_cast<std::int32_t>(n), 0};
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd p{static_cast<int>(h), ready, 0};
            poll(&p, 1, -1);
        } else if (errno != EINTR) {
            return {0, error_number(errno)};
        }
    }
}

}  // namespace

Handle standard_handle(Standard which) { return static_cast<Handle>(which); }

namespace {
bool last_kind[3] = {true, true, true};  // what is_char_device last found for fds 0..2
}

bool is_char_device(Handle h)
{
    struct stat st;
    bool device = fstat(static_cast<int>(h), &st) == 0 && S_ISCHR(st.st_mode);
    if (h >= 0 && h <= 2) last_kind[h] = device;
    return device;
}

Transfer read_bytes(int fd, std::uint8_t* buf, std::int32_t size)
{
    return transfer(fd, POLLIN, [&] { return ::read(fd, buf, static_cast<size_t>(size)); });
}

Transfer write_bytes(int fd, const std::uint8_t* buf, std::int32_t size)
{
    return transfer(fd, POLLOUT, [&] { return ::write(fd, buf, static_cast<size_t>(size)); });
}

Transfer read(Handle h, std::uint8_t* buf, std::int32_t size)
{
    int fd = static_cast<int>(h);
    bool maybe_terminal = fd < 0 || fd > 2 || last_kind[fd];
    return terminal::converts(fd, maybe_terminal) ? terminal::read(fd, buf, size) : read_bytes(fd, buf, size);
}

Transfer write(Handle h, const std::uint8_t* buf, std::int32_t size)
{
    int fd = static_cast<int>(h);
    return terminal::converts(fd) ? terminal::write(fd, buf, size) : write_bytes(fd, buf, size);
}

// The link-time address: the executable's load offset taken off, so that a position-independent
// build prints the same figures from run to run, and addr2line takes them as they stand.
std::uint32_t report_address(std::uintptr_t code)
{
#if defined(__PIE__) || defined(__pie__)
    code -= reinterpret_cast<std::uintptr_t>(__executable_start);
#endif
    return static_cast<std::uint32_t>(code);
}

[[noreturn]] void exit_process(std::uint32_t code) { _exit(static_cast<int>(code)); }

}  // namespace con::platform
