// The platform seam: everything the runtime asks of the operating system.
// One implementation per platform; nothing above this header knows which.
#pragma once
#include <cstdint>

namespace con::platform {

using Handle = std::intptr_t;

enum class Standard : std::uint8_t { input, output, error };

// What one read or write did: bytes moved, or the platform error number (0: none).
// Error numbers are those of the designed platform (6 invalid handle, 109 broken pipe, ...);
// each implementation translates its own into them.
struct Transfer {
    std::int32_t count;
    std::uint32_t error;
};

inline constexpr std::uint32_t error_broken_pipe = 109;

// What a handle leads to, as far as the runtime cares:
// - a character device (a terminal, /dev/null) delivers one typed line per read;
// - a pipe or socket delivers what its writer has sent so far;
// - a file, or anything else, delivers as much as is asked until it ends.
enum class Kind : std::uint8_t { file, pipe, character_device };

Handle standard_handle(Standard which);
Kind kind(Handle h);
Transfer read(Handle h, std::uint8_t* buf, std::int32_t size);
Transfer write(Handle h, const std::uint8_t* buf, std::int32_t size);

// A code address as the report shows it: 32 bits, the same from run to run.
std::uint32_t report_address(std::uintptr_t code);

// A routine's place in a chain of calls: a code address in it, and its stack and frame pointers there.
struct Frame {
    std::uintptr_t pc, sp, fp;
};

// The frame of the routine that calls this function, at that call.
Frame current_frame();

// Steps from a frame to its caller's, at the address the call returns to;
// false where the chain goes no further.
bool caller(Frame& f);

// While installed, a processor fault becomes a run-time error through raise_error (runtime.h).
void install_fault_handler();
void remove_fault_handler();

[[noreturn]] void exit_process(std::uint32_t code);

}  // namespace con::platform
