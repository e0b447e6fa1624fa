// Start-up binding, and the routine that runs a program body.
#include "console/console.h"
#include "console/runtime.h"

namespace con {

Stream input, output, report_stream, error_stream;
std::uintptr_t startup_frame;

namespace {

void bind(Stream& s, platform::Handle handle, Direction direction)
{
    s.handle = handle;
    s.direction = direction;
    s.count = s.position = 0;
    s.buffer[0] = 0;  // the guard after no bytes
}

}  // namespace

void startup()
{
    platform::install_fault_handler();
    auto in = platform::standard_handle(platform::Standard::input);
    auto out = platform::standard_handle(platform::Standard::output);
    auto err = platform::standard_handle(platform::Standard::error);
    bind(input, in, Direction::input);
    bind(output, out, Direction::output);
    bind(report_stream, out, Direction::output);
    bind(error_stream, err, Direction::output);
    pending_io_error = 0;
    run_time_error = {};
}

void run(void (*body)())
{
    startup();
    startup_frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    body();
    program_end();
}

}  // namespace con
