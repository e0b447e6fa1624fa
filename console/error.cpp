// The pending input/output error, the checks, and raising a run-time error.
#include "console/console.h"
#include "console/runtime.h"

namespace con {

std::uint16_t pending_io_error;
RunTimeError run_time_error;

namespace {

constexpr std::uint16_t error_range = 201;
constexpr std::uint16_t error_overflow = 215;

// A check reports the statement that called it: the address it returns to, in its caller's frame.
[[noreturn, gnu::always_inline]] inline void raise_in_caller(std::uint16_t code)
{
    platform::Frame f = platform::current_frame();
    platform::caller(f);
    raise_error(code, f);
}

}  // namespace

void set_platform_error(std::uint32_t error)
{
    if (error >= 19 && error <= 31)
        pending_io_error = static_cast<std::uint16_t>(error + 131);
    else if (error == 32)
        pending_io_error = 5;
    else
        pending_io_error = static_cast<std::uint16_t>(error);
}

[[gnu::noinline]] void raise_io_error()
{
    std::uint16_t code = pending_io_error;
    pending_io_error = 0;
    raise_in_caller(code);
}

[[gnu::noinline]] void raise_range_error() { raise_in_caller(error_range); }

[[gnu::noinline]] void raise_overflow_error() { raise_in_caller(error_overflow); }

void raise_error(std::uint16_t code, const platform::Frame& at)
{
    run_time_error = {code, code, true, at};
    terminate();
}

void terminate()
{
    if (run_time_error.recorded) write_report();
    platform::remove_fault_handler();
    platform::exit_process(run_time_error.exit_code);
}

void program_end()
{
    run_time_error.exit_code = 0;
    terminate();
}

}  // namespace con
