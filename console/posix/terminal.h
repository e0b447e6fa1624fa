// Terminals speaking UTF-8: the runtime's code page 852 bytes are converted to UTF-8 on the way
// out, and typed UTF-8 back into the code page on the way in. Above the descriptor calls.
#pragma once
#include <cstdint>

#include "console/platform.h"

namespace con::platform::terminal {

// Whether fd is a terminal whose locale names UTF-8 (LC_ALL, then LC_CTYPE, then LANG).
bool speaks_utf8(int fd);

// Reports the code page bytes whose whole character went out.
Transfer write(int fd, const std::uint8_t* buf, std::int32_t size);

// One typed line in the code page; a character cut off at the end of a read is completed by the next.
Transfer read(int fd, std::uint8_t* buf, std::int32_t size);

}  // namespace con::platform::terminal
