// The output side: items into a stream's buffer, and the write-out that empties it.
#include <charconv>
#include <cstring>

#include "console/console.h"
#include "console/errors.h"

namespace con {

namespace {

// True when the stream may take an item; otherwise the reason is made pending.
bool writable(const Stream& s)
{
    if (pending_io_error != 0) return false;
    if (s.direction == Direction::output) return true;
    pending_io_error = s.direction == Direction::input ? error::not_output : error::closed;
    return false;
}

// Empties an output stream's buffer: the rest is handed over again while each call takes bytes.
// Bytes not written are dropped; a short write replaces whatever error the failing call gave.
void write_out(Stream& s)
{
    std::int32_t written = 0;
    platform::Transfer t;
    do {
        t = platform::write(s.handle, s.buffer + written, s.count - written);
        written += t.count;
    } while (t.error == 0 && t.count > 0 && written < s.count);
    if (t.error != 0) pending_io_error = error::from_platform(t.error);
    if (written != s.count) pending_io_error = error::write_short;
    s.count = 0;
}

// Bytes into the buffer; a full buffer goes out only when more bytes arrive.
void put(Stream& s, const std::uint8_t* bytes, std::int32_t n)
{
    for (std::int32_t free = Stream::buffer_size - s.count; n > free;
         free = Stream::buffer_size - s.count) {
        std::memcpy(s.buffer + s.count, bytes, static_cast<std::size_t>(free));
        s.count = Stream::buffer_size;
        bytes += free;
        n -= free;
        write_out(s);
    }
    std::memcpy(s.buffer + s.count, bytes, static_cast<std::size_t>(n));
    s.count += n;
}

void put_blanks(Stream& s, std::int32_t n)
{
    static constexpr std::uint8_t blanks[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                                ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    for (; n > 0; n -= 16) put(s, blanks, n < 16 ? n : 16);
}

}  // namespace


void write_text(Stream& s, std::int32_t width, std::string_view text)
{
    if (!writable(s)) return;
    auto length = static_cast<std::int32_t>(text.size());
    if (width > length) put_blanks(s, width - length);
    put(s, reinterpret_cast<const std::uint8_t*>(text.data()), length);
}

void write_integer(Stream& s, std::int32_t width, std::int32_t value)
{
    if (pending_io_error != 0) return;
    char digits[11];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    write_text(s, width, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void write_character(Stream& s, std::int32_t width, char c)
{
    if (!writable(s)) return;
    if (width > 1) put_blanks(s, width - 1);
    // Written out at 255 bytes already, not only at 256: the rule the designed runtime follows
    // for single characters, and one the write counts of callers may rely on.
    if (s.count + 1 >= Stream::buffer_size) write_out(s);
    s.buffer[s.count++] = static_cast<std::uint8_t>(c);
}

// Deliberately blind to a pending error: after a failure mid-statement it still tries to write
// out what the buffer holds, and the statement's check reports the first error.
void end_write(Stream& s)
{
    if (s.direction == Direction::output) write_out(s);
}

void end_line(Stream& s)
{
    if (!writable(s)) return;
    static constexpr std::uint8_t crlf[2] = {'\r', '\n'};
    put(s, crlf, 2);
    write_out(s);
}

}  // namespace con
