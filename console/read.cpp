// The input side: refill, read integer, read line, discard line.
#include "console/console.h"
#include "console/number.h"

#include <algorithm>
#include <cstring>

namespace con {

namespace {

constexpr std::uint16_t error_closed = 103;
constexpr std::uint16_t error_not_input = 104;
constexpr std::uint16_t error_bad_number = 106;

bool is_separator(std::uint8_t b) { return b <= ' ' && (b == ' ' || b == '\t' || b == '\r' || b == '\n'); }

// Where the first CR or LF lies in the buffer from `from` up to `to`, or `to`.
std::int32_t line_end(const Stream& s, std::int32_t from, std::int32_t to)
{
    if (from >= to || s.buffer[from] == '\r' || s.buffer[from] == '\n') return from;  // the usual case
    auto n = static_cast<std::size_t>(to - from);
    auto lf = static_cast<const std::uint8_t*>(std::memchr(s.buffer + from, '\n', n));
    if (lf != nullptr) n = static_cast<std::size_t>(lf - (s.buffer + from));
    auto cr = static_cast<const std::uint8_t*>(std::memchr(s.buffer + from, '\r', n));
    if (cr != nullptr) n = static_cast<std::size_t>(cr - (s.buffer + from));
    return from + static_cast<std::int32_t>(n);
}

bool empty(const Stream& s) { return s.position >= s.count; }

// True when the stream may be read; otherwise the reason is made pending.
bool readable(const Stream& s)
{
    if (pending_io_error != 0) return false;
    if (s.direction == Direction::input) return true;
    pending_io_error = s.direction == Direction::output ? error_not_input : error_closed;
    return false;
}

// Replaces the buffer with the next bytes: one platform read for a character device
// (a terminal gives one typed line), otherwise reads until full or end of input.
void refill(Stream& s)
{
    s.position = s.count = 0;
    bool device = platform::is_char_device(s.handle);
    do {
        auto t = platform::read(s.handle, s.buffer + s.count, Stream::buffer_size - s.count);
        if (t.error != 0) {
            if (device || t.error != platform::error_broken_pipe) set_platform_error(t.error);
            return;
        }
        if (t.count == 0) return;
        s.count += t.count;
    } while (!device && s.count < Stream::buffer_size);
}

// Consumes one byte; refills at once when that empties the buffer.
// False when the refill found the end of input.
bool advance(Stream& s)
{
    ++s.position;
    if (empty(s)) refill(s);
    return !empty(s);
}

std::uint8_t next(const Stream& s) { return s.buffer[s.position]; }

}  // namespace

std::int32_t read_integer(Stream& s)
{
    if (!readable(s)) return 0;
    if (empty(s)) refill(s);
    bool more = !empty(s);
    while (more && is_separator(next(s))) more = advance(s);

    // The token, gathered a buffer's worth at a time; it is read in place unless a refill cuts it.
    // The end of input before a token is no number, whatever was skipped to reach it.
    char pieces[Text::capacity];  // the token's first bytes, when a refill cuts it
    std::string_view token;
    std::int32_t length = 0;
    while (more) {
        std::int32_t start = s.position;
        while (s.position < s.count && !is_separator(s.buffer[s.position])) ++s.position;
        std::int32_t kept = length;
        length += s.position - start;
        if (!empty(s) && kept == 0) {
            token = {reinterpret_cast<const char*>(s.buffer + start), static_cast<std::size_t>(length)};
            break;
        }
        if (kept < Text::capacity) {
            std::int32_t n = std::min(s.position - start, Text::capacity - kept);
            std::memcpy(pieces + kept, s.buffer + start, static_cast<std::size_t>(n));
            token = {pieces, static_cast<std::size_t>(kept + n)};
        }
        if (!empty(s)) break;
        refill(s);
        more = !empty(s);
    }
    auto value = length > Text::capacity ? std::nullopt : parse_integer(token);
    if (!value) {
        pending_io_error = error_bad_number;
        return 0;
    }
    return *value;
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

void discard_line(Stream& s)
{
    if (!readable(s)) return;
    if (empty(s)) refill(s);
    if (empty(s)) return;
    for (;;) {
        s.position = line_end(s, s.position, s.count - 1);
        std::uint8_t b = next(s);
        if (b == '\n') {
            ++s.position;
            return;
        }
        if (!advance(s)) return;
        if (b == '\r') {
            if (next(s) == '\n') ++s.position;
            return;
        }
    }
}

}  // namespace con
