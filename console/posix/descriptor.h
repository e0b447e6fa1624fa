// The bottom of the POSIX side: calls on a file descriptor, each returning the designed
// platform's error number instead of setting errno.
#pragma once
#include <cstdint>

#include "console/platform.h"

namespace con::platform::descriptor {

// One read or write: retried when interrupted, waited for when the descriptor is non-blocking.
Transfer read(int fd, std::uint8_t* buf, std::int32_t size);
Transfer write(int fd, const std::uint8_t* buf, std::int32_t size);

// What the descriptor leads to; a descriptor that cannot be asked counts as a file.
Kind kind(int fd);

}  // namespace con::platform::descriptor
