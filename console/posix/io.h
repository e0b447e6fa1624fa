// Reads and writes on a file descriptor, as the POSIX side of the seam does them: retried when
// interrupted, waited for when the descriptor is non-blocking, errors as platform error numbers.
#pragma once
#include <cstdint>

#include "console/platform.h"

namespace con::platform {

Transfer read_bytes(int fd, std::uint8_t* buf, std::int32_t size);
Transfer write_bytes(int fd, const std::uint8_t* buf, std::int32_t size);

// Terminals speaking UTF-8: the runtime's code page bytes are converted on the way out and in.
namespace terminal {
// Whether fd is a terminal to convert for; maybe_terminal false (a descriptor known to be no
// character device) spares asking the system.
bool converts(int fd, bool maybe_terminal = true);
Transfer read(int fd, std::uint8_t* buf, std::int32_t size);
Transfer write(int fd, const std::uint8_t* buf, std::int32_t size);
}  // namespace terminal

}  // namespace con::platform
