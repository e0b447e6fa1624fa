// The run-time error report: the error and its address, the chain of callers, an empty line.
#include "console/console.h"
#include "console/runtime.h"

namespace con {

namespace {

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

// Each frame holds the link to its caller's frame, then the return address into the caller.
// The walk stays between the floor and the start-up routine's frame, going up only.
void caller_lines(Stream& s, const RunTimeError& e)
{
    auto top = reinterpret_cast<std::uintptr_t>(startup_frame);
    auto frame = reinterpret_cast<std::uintptr_t>(e.frame);
    if (frame < reinterpret_cast<std::uintptr_t>(e.floor)) return;
    int limit = platform::is_char_device(s.handle) ? 9 : 257;
    for (int n = 0; n < limit && frame != 0 && frame < top; ++n) {
        auto slots = reinterpret_cast<const std::uintptr_t*>(frame);
        if (slots[1] != 0) address_line(s, slots[1]);
        if (slots[0] <= frame) break;
        frame = slots[0];
    }
}

}  // namespace

void write_report()
{
    const RunTimeError& e = run_time_error;
    Stream& s = report_stream;
    write_text(s, 0, "Runtime error ");
    write_integer(s, 0, e.code);
    write_text(s, 0, " at 0x");
    write_address(s, e.address);
    end_line(s);
    address_line(s, e.address);
    caller_lines(s, e);
    end_line(s);
}

}  // namespace con
