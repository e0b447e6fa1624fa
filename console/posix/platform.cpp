// The platform seam on POSIX: file descriptors 0, 1 and 2. Each standard descriptor's route is
// decided once, at its first transfer: straight to the descriptor, or through the UTF-8 bridge
// of a terminal.
#include <unistd.h>

#include "console/platform.h"
#include "console/posix/descriptor.h"
#include "console/posix/terminal.h"

extern "C" char __executable_start[];

namespace con::platform {

namespace {

enum class Route : std::uint8_t { undecided, bytes, utf8_terminal };

struct Descriptor {
    Route route = Route::undecided;
    bool maybe_terminal = true;  // false once a kind query found no character device: no isatty
};

Descriptor standard[3];

Route route(int fd)
{
    if (fd < 0 || fd > 2) return Route::bytes;
    Descriptor& d = standard[fd];
    if (d.route == Route::undecided)
        d.route = d.maybe_terminal && terminal::speaks_utf8(fd) ? Route::utf8_terminal : Route::bytes;
    return d.route;
}

}  // namespace

Handle standard_handle(Standard which) { return static_cast<Handle>(which); }

Kind kind(Handle h)
{
    int fd = static_cast<int>(h);
    Kind k = descriptor::kind(fd);
    if (fd >= 0 && fd <= 2 && standard[fd].route == Route::undecided)
        standard[fd].maybe_terminal = k == Kind::character_device;
    return k;
}

Transfer read(Handle h, std::uint8_t* buf, std::int32_t size)
{
    int fd = static_cast<int>(h);
    return route(fd) == Route::utf8_terminal ? terminal::read(fd, buf, size) : descriptor::read(fd, buf, size);
}

Transfer write(Handle h, const std::uint8_t* buf, std::int32_t size)
{
    int fd = static_cast<int>(h);
    return route(fd) == Route::utf8_terminal ? terminal::write(fd, buf, size) : descriptor::write(fd, buf, size);
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
