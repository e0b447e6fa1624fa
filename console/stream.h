// A bound standard stream with its 256-byte buffer.
#pragma once
#include <cstdint>

#include "console/platform.h"

namespace con {

enum class Direction : std::uint8_t { closed, input, output };

struct Stream {
    static constexpr std::int32_t buffer_size = 256;

    platform::Handle handle;
    Direction direction;
    std::int32_t count;     // output: bytes held; input: bytes of the last refill (its end)
    std::int32_t position;  // input: the next unread byte
    // The buffer's bytes, and one more: on input, a zero byte stands after the last valid one,
    // so that the inline scans of read integer and discard line stop there without counting
    // (a zero byte in the input stops them too, and the full operation takes over).
    std::uint8_t buffer[buffer_size + 1];
};

extern Stream input, output, report_stream, error_stream;

// The pending input/output error: 0 is none; while set, every stream operation does nothing.
extern std::uint16_t pending_io_error;

}  // namespace con
