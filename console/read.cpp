// The input side: refill, read integer, read line, discard line.
#include <algorithm>
#include <bit>
#include <cstring>

#include "console/console.h"
#include "console/errors.h"

namespace con {

namespace {

// Where the first CR or LF lies in the buffer from `from` up to `to`, or `to`. Eight bytes at a
// time: a byte equal to c leaves a zero in w ^ c, and (x - ones) & ~x & highs flags the lowest
// zero byte of x exactly (flags above it may be false), so the lowest flag is the first line end.
std::int32_t line_end(const Stream& s, std::int32_t from, std::int32_t to)
{
    constexpr std::uint64_t ones = 0x0101'0101'0101'0101, highs = ones << 7;
    std::int32_t i = from;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= to; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, s.buffer + i, sizeof w);
            std::uint64_t lf = w ^ ones * '\n', cr = w ^ ones * '\r';
            std::uint64_t flags = (((lf - ones) & ~lf) | ((cr - ones) & ~cr)) & highs;
            if (flags != 0) return i + std::countr_zero(flags) / 8;
        }
    }
    while (i < to && s.buffer[i] != '\r' && s.buffer[i] != '\n') ++i;
    return i;
}

bool empty(const Stream& s) { return s.position >= s.count; }

// True when the stream may be read; otherwise the reason is made pending.
bool readable(const Stream& s)
{
    if (pending_io_error != 0) return false;
    if (s.direction == Direction::input) return true;
    pending_io_error = s.direction == Direction::output ? error::not_input : error::closed;
    return false;
}

// Replaces the buffer with the next bytes. A file is read until the buffer is full or input ends;
// a terminal or a pipe gives what one read delivers (a typed line, what the writer has sent), so
// that a caller writing a line at a time gets each answer before it writes the next.
void refill(Stream& s)
{
    s.position = s.count = 0;
    platform::Kind kind = platform::kind(s.handle);
    do {
        auto t = platform::read(s.handle, s.buffer + s.count, Stream::buffer_size - s.count);
        if (t.error != 0) {
            // A pipe whose writer has gone has simply ended.
            if (kind == platform::Kind::character_device || t.error != platform::error_broken_pipe)
                pending_io_error = error::from_platform(t.error);
            break;
        }
        if (t.count == 0) break;
        s.count += t.count;
    } while (kind == platform::Kind::file && s.count < Stream::buffer_size);
    s.buffer[s.count] = 0;  // the guard, at the buffer's end when it is full
}

// Skips separators, empty lines included, refilling as it goes; false at the end of input.
// Endless separators are skipped without end, as a terminal waits for a token.
bool skip_separators(Stream& s)
{
    for (;;) {
        if (empty(s)) refill(s);
        if (empty(s)) return false;
        while (s.position < s.count && is_separator(s.buffer[s.position])) ++s.position;
        if (!empty(s)) return true;
    }
}

// An integer token, [+|-] [$ hex | & octal | % binary] digits, converted as it is scanned.
struct Token {
    static constexpr std::int32_t longest = Text::capacity;

    std::uint64_t magnitude = 0;  // never above limit + one digit's step while the token is good
    std::uint32_t limit = 0x7FFF'FFFF;  // decimal covers the signed range, other bases 32 bits
    std::uint32_t base = 10;
    std::int32_t length = 0;  // bytes consumed, at most longest + 1
    enum : std::uint8_t { start, signed_, prefixed, digits } stage = start;
    bool negative = false;
    bool bad = false;

    // A digit's worth, or 99 for a byte that is no digit in any base.
    static std::uint32_t digit_value(std::uint8_t b)
    {
        std::uint32_t d = b - std::uint32_t{'0'};
        if (d <= 9) return d;
        d = (b | 0x20u) - 'a';
        return d < 6 ? d + 10 : 99;
    }

    // A byte that is no digit of the base: a sign or prefix in its place, or a fault.
    void lead(std::uint8_t b)
    {
        if (stage == start && (b == '+' || b == '-')) {
            negative = b == '-';
            if (negative) limit = 0x8000'0000;
            stage = signed_;
            return;
        }
        std::uint32_t prefix_base = b == '$' ? 16 : b == '&' ? 8 : b == '%' ? 2 : 0;
        if (stage <= signed_ && prefix_base != 0) {
            base = prefix_base;
            limit = 0xFFFF'FFFF;
            stage = prefixed;
            return;
        }
        bad = true;
    }

    // Scans from p up to end or the first separator; returns where it stopped.
    const std::uint8_t* scan(const std::uint8_t* p, const std::uint8_t* end)
    {
        for (; p != end; ++p) {
            std::uint32_t d = digit_value(*p);
            if (d < base) {
                magnitude = magnitude * base + d;
                if (magnitude > limit) bad = true, magnitude = 0;
                stage = digits;
            } else if (is_separator(*p)) {
                break;
            } else {
                lead(*p);
            }
        }
        return p;
    }

    bool valid() const { return !bad && stage == digits && length <= longest; }
    std::int32_t value() const
    {
        auto bits = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
};

}  // namespace

// One pass: the token is converted while it is scanned in the buffer, and refills continue it.
// Collecting stops at the byte that makes it too long, so endless input ends the read at once.
std::int32_t full::read_integer(Stream& s)
{
    if (!readable(s)) return 0;
    if (!skip_separators(s)) {  // the end of input before a token is no number
        pending_io_error = error::bad_number;
        return 0;
    }
    Token t;
    for (;;) {
        std::int32_t start = s.position;
        std::int32_t stop = std::min(s.count, start + Token::longest + 1 - t.length);
        s.position = static_cast<std::int32_t>(t.scan(s.buffer + start, s.buffer + stop) - s.buffer);
        t.length += s.position - start;
        if (t.length > Token::longest || !empty(s)) break;
        refill(s);
        if (empty(s)) break;
    }
    if (!t.valid()) {
        pending_io_error = error::bad_number;
        return 0;
    }
    return t.value();
}

void read_line(Stream& s, Text& line, std::int32_t capacity)
{
    line.clear();
    if (!readable(s)) return;
    for (;;) {
        if (empty(s)) refill(s);
        if (empty(s)) return;
        std::int32_t start = s.position;
        s.position = line_end(s, start, std::min(s.count, start + capacity - line.size()));
        line.append({reinterpret_cast<const char*>(s.buffer + start),
                     static_cast<std::size_t>(s.position - start)});
        if (line.size() >= capacity || !empty(s)) return;
    }
}

void full::discard_line(Stream& s)
{
    if (!readable(s)) return;
    if (empty(s)) refill(s);
    if (empty(s)) return;
    for (;;) {
        s.position = line_end(s, s.position, s.count - 1);
        std::uint8_t b = s.buffer[s.position++];
        if (b == '\n') return;
        if (empty(s)) refill(s);
        if (empty(s)) return;
        if (b == '\r') {
            if (s.buffer[s.position] == '\n') ++s.position;
            return;
        }
    }
}

}  // namespace con
