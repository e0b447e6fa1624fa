// The pending input/output error, the checks, and raising a run-time error.
#include "console/console.h"
#include "console/errors.h"
#include "console/runtime.h"

namespace con {

std::uint16_t pending_io_error;
RunTimeError run_time_error;

namespace {

// A check reports the statement that called it: the address it returns to, in its caller's frame.
[[noreturn, gnu::always_inline]] inline void raise_in_caller(std::uint16_t code)
{
    platform::Frame f = platform::current_frame();
    platform::caller(f);
    raise_error(code, f);
}

}  // namespace

[[gnu::noinline]] void raise_io_error()
{
    std::uint16_t code = pending_io_error;
    pending_io_error = 0;
    raise_in_caller(code);
}

[[gnu::noinline]] void raise_range_error() { raise_in_caller(error::range); }

[[gnu::noinline]] void raise_overflow_error() { raise_in_caller(error::overflow); }

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
