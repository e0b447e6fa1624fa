// The run-time error report: the error and its address, the chain of callers, an empty line.
#include "console/console.h"
#include "console/runtime.h"

namespace con {

namespace {

// How many frames the chain of callers may walk: a screenful at a terminal, more into a file.
// Both are the designed limits, on every platform, so a report reads the same wherever it runs.
constexpr int frames_at_terminal = 9;
constexpr int frames_elsewhere = 257;

void write_address(Stream& s, std::uintptr_t address)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::uint32_t value = platform::report_address(address);
    char digits[8];
    for (int i = 7; i >= 0; --i, value >>= 4) digits[i] = hex[value & 0xF];
    write_text(s, 0, std::string_view(digits, 8));
}

void address_line(Stream& s, std::uintptr_t address)
{
    write_text(s, 0, "  0x");
    write_address(s, address);
    end_line(s);
}

// The return address of each frame from the error's outward, up to the start-up routine's frame.
void caller_lines(Stream& s, const RunTimeError& e)
{
    int limit = platform::kind(s.handle) == platform::Kind::character_device ? frames_at_terminal
                                                                            : frames_elsewhere;
    platform::Frame f = e.frame;
    for (int n = 0; n < limit && f.fp < startup_frame && platform::caller(f); ++n)
        if (f.pc != 0) address_line(s, f.pc);
}

}  // namespace

void write_report()
{
    const RunTimeError& e = run_time_error;
    Stream& s = report_stream;
    write_text(s, 0, "Runtime error ");
    write_integer(s, 0, e.code);
    write_text(s, 0, " at 0x");
    write_address(s, e.frame.pc);
    end_line(s);
    address_line(s, e.frame.pc);
    caller_lines(s, e);
    end_line(s);
}

}  // namespace con
