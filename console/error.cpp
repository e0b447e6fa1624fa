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
#define RAISE_AT_CALLER(code)                                                              \
    raise_error((code), reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)),      \
                *static_cast<void**>(__builtin_frame_address(0)), __builtin_frame_address(0))

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

[[gnu::noinline]] void io_check()
{
    if (pending_io_error == 0) return;
    std::uint16_t code = pending_io_error;
    pending_io_error = 0;
    RAISE_AT_CALLER(code);
}

[[gnu::noinline]] std::int32_t range_check(std::int32_t value, Bounds bounds)
{
    if (value < bounds.low || value > bounds.high) RAISE_AT_CALLER(error_range);
    return value;
}

[[gnu::noinline]] void overflow_check() { RAISE_AT_CALLER(error_overflow); }

void raise_error(std::uint16_t code, std::uintptr_t address, void* frame, void* floor)
{
    run_time_error = {code, code, true, address, frame, floor};
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
