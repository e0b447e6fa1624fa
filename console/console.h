// The console runtime, as program bodies use it.
//
// A write statement is items, then end_write or end_line, then io_check.
// A read statement is item reads (each integer stored at once under a range check),
// then discard_line, then io_check.
#pragma once
#include <cstdint>
#include <string_view>

#include "console/stream.h"
#include "console/text.h"

namespace con {

// Items of a write statement; width pads with blanks on the left, 0 pads nothing.
void write_text(Stream& s, std::int32_t width, std::string_view text);
void write_integer(Stream& s, std::int32_t width, std::int32_t value);
void write_character(Stream& s, std::int32_t width, char c);

// The end of a write statement: end_write leaves the line open, end_line adds CR LF.
// Both hand the statement's bytes to the platform before they return.
void end_write(Stream& s);
void end_line(Stream& s);

// Item reads of a read statement; 0 or an empty line when they fail. The common case of
// read_integer and discard_line is done inline, at the end of this header.
inline std::int32_t read_integer(Stream& s);
void read_line(Stream& s, Text& line, std::int32_t capacity);
inline void discard_line(Stream& s);

// Checks: each raises a run-time error, reported at the statement that called it.
struct Bounds {
    std::int32_t low, high;
};
inline constexpr Bounds int16_range{-32768, 32767};

// Raise the pending input/output error, 201 and 215; each reports the address its call returns
// to. They never return, but are not declared so: code must follow their calls, so that the
// address lies in the calling statement.
void raise_io_error();
void raise_range_error();
void raise_overflow_error();

[[gnu::always_inline]] inline void io_check()
{
    if (__builtin_expect(pending_io_error != 0, 0)) raise_io_error();
}

[[gnu::always_inline]] inline std::int32_t range_check(std::int32_t value, Bounds bounds)
{
    if (__builtin_expect(value < bounds.low || value > bounds.high, 0)) raise_range_error();
    return value;
}

[[gnu::always_inline]] inline void overflow_check() { raise_overflow_error(); }

// A value stored into a 16-bit variable, under the range check.
[[gnu::always_inline]] inline std::int16_t to_int16(std::int32_t value)
{
    return static_cast<std::int16_t>(range_check(value, int16_range));
}

// 32-bit arithmetic on 16-bit values, tested for overflow.
[[gnu::always_inline]] inline std::int32_t add(std::int32_t a, std::int32_t b)
{
    std::int32_t sum;
    if (__builtin_add_overflow(a, b, &sum)) overflow_check();
    return sum;
}
[[gnu::always_inline]] inline std::int32_t subtract(std::int32_t a, std::int32_t b)
{
    std::int32_t difference;
    if (__builtin_sub_overflow(a, b, &difference)) overflow_check();
    return difference;
}

// Binds the standard streams, runs the program body, and ends the program normally.
[[noreturn]] void run(void (*body)());

// Ends the program normally: exit code 0, no report.
[[noreturn]] void program_end();

// The inline read integer and discard line: a token of one or two digits with the separator
// after it, or a line end, already in the buffer. Anything else (a refill, a sign or base, a
// longer token, a pending error) goes to the full operation, which starts from the same place.
namespace full {
std::int32_t read_integer(Stream& s);
void discard_line(Stream& s);
}  // namespace full

[[gnu::always_inline]] inline bool is_separator(std::uint8_t b)
{
    constexpr std::uint64_t separators = 1ull << ' ' | 1ull << '\t' | 1ull << '\r' | 1ull << '\n';
    return b <= ' ' && (separators >> b & 1) != 0;
}

[[gnu::always_inline]] inline bool ready_for_input(const Stream& s)
{
    return pending_io_error == 0 && s.direction == Direction::input;
}

// The scans stop at the guard byte after the buffer's last valid byte: no digit, no separator.
[[gnu::always_inline]] inline std::int32_t read_integer(Stream& s)
{
    const std::uint8_t* p = s.buffer + s.position;
    while (is_separator(*p)) ++p;
    std::uint32_t value = p[0] - std::uint32_t{'0'};
    if (value <= 9) {
        std::uint32_t next = p[1] - std::uint32_t{'0'};
        if (next <= 9) value = value * 10 + next, ++p;
        if (is_separator(p[1]) && ready_for_input(s)) {
            s.position = static_cast<std::int32_t>(p + 1 - s.buffer);
            return static_cast<std::int32_t>(value);
        }
    }
    return full::read_integer(s);
}

[[gnu::always_inline]] inline void discard_line(Stream& s)
{
    const std::uint8_t* p = s.buffer + s.position;
    std::int32_t length = p[0] == '\r' && p[1] == '\n' ? 2 : p[0] == '\n' ? 1 : 0;
    if (length != 0 && ready_for_input(s)) return void(s.position += length);
    full::discard_line(s);
}

}  // namespace con
