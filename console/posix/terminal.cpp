// A terminal whose character set is UTF-8 shows code page 852 text when the bytes are converted:
// out to UTF-8 as they are written, and typed UTF-8 back into the code page as it is read.
// Files, pipes and other devices get the bytes exactly.
#include <cstdlib>
#include <initializer_list>
#include <unistd.h>

#include "console/posix/codepage.h"
#include "console/posix/io.h"

namespace con::platform::terminal {

namespace {

enum class Kind : std::uint8_t { unknown, bytes, utf8 };
Kind kinds[3];
codepage::Decoder decoder;  // standard input is the one descriptor read

// The character set the locale names, as POSIX orders the variables: LC_ALL, LC_CTYPE, LANG.
bool utf8_locale()
{
    const char* locale = nullptr;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"})
        if ((locale = std::getenv(name)) != nullptr && *locale != '\0') break;
    if (locale == nullptr) return false;
    // "xx_YY.UTF-8", "C.utf8", with or without a hyphen, in any case.
    char folded[4];
    std::size_t have = 0;
    for (const char* p = locale; *p != '\0' && *p != '@'; ++p) {
        char c = *p;
        if (c == '-') continue;
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (have == 4) {
            folded[0] = folded[1], folded[1] = folded[2], folded[2] = folded[3];
            have = 3;
        }
        folded[have++] = c;
        if (have == 4 && folded[0] == 'u' && folded[1] == 't' && folded[2] == 'f' && folded[3] == '8')
            return true;
    }
    return false;
}

}  // namespace

bool converts(int fd)
{
    if (fd < 0 || fd > 2) return false;
    if (kinds[fd] == Kind::unknown) kinds[fd] = utf8_locale() && isatty(fd) ? Kind::utf8 : Kind::bytes;
    return kinds[fd] == Kind::utf8;
}

// Reports the code page bytes whose whole character went out.
Transfer write(int fd, const std::uint8_t* buf, std::int32_t size)
{
    std::int32_t done = 0;
    do {
        std::int32_t chunk = size - done < 256 ? size - done : 256;
        std::uint8_t out[3 * 256];
        std::int32_t ends[256];  // where each byte's character ends in out
        std::int32_t n = 0;
        for (std::int32_t i = 0; i < chunk; ++i)
            ends[i] = n += static_cast<std::int32_t>(codepage::encode(buf[done + i], out + n));

        std::int32_t sent = 0;
        Transfer t;
        do {
            t = write_bytes(fd, out + sent, n - sent);
            sent += t.count;
        } while (t.error == 0 && t.count > 0 && sent < n);
        if (sent < n || t.error != 0) {
            for (std::int32_t i = 0; i < chunk && ends[i] <= sent; ++i) ++done;
            return {done, t.error};
        }
        done += chunk;
    } while (done < size);
    return {done, 0};
}

// One line from the terminal; a character cut off at the end of a read is completed by the next.
Transfer read(int fd, std::uint8_t* buf, std::int32_t size)
{
    for (;;) {
        std::uint8_t raw[256];
        auto room = size - static_cast<std::int32_t>(decoder.pending());
        Transfer t = read_bytes(fd, raw, room < 256 ? room : 256);
        if (t.error != 0) return t;
        if (t.count == 0) return {static_cast<std::int32_t>(decoder.finish(buf)), 0};
        auto n = decoder.decode(raw, static_cast<std::size_t>(t.count), buf);
        if (n > 0) return {static_cast<std::int32_t>(n), 0};
    }
}

}  // namespace con::platform::terminal
