// A terminal whose character set is UTF-8 shows code page 852 text when the bytes are converted:
// out to UTF-8 as they are written, and typed UTF-8 back into the code page as it is read.
// Files, pipes and other devices get the bytes exactly.
#include <unistd.h>

#include "console/posix/terminal.h"

#include "console/posix/codepage.h"
#include "console/posix/descriptor.h"

namespace con::platform::terminal {

namespace {

codepage::Decoder decoder;  // standard input is the one descriptor read

// "xx_YY.UTF-8", "C.utf8": UTF-8 with or without the hyphen, in any case, before any "@".
bool names_utf8(const char* locale)
{
    const char* p = locale;
    for (; *p != '\0' && *p != '@'; ++p) {
        auto is = [](char c, char lower) { return c == lower || c == lower - 'a' + 'A'; };
        if (is(p[0], 'u') && is(p[1], 't') && is(p[2], 'f')) {
            const char* digit = p[3] == '-' ? p + 4 : p + 3;
            if (digit[0] == '8' && (digit[1] == '\0' || digit[1] == '@')) return true;
        }
    }
    return false;
}

// The character set the locale names, as POSIX orders the variables: LC_ALL, then LC_CTYPE,
// then LANG; the first that is set and not empty decides. A variable that the environment holds
// twice counts with its first value. Read once, in one pass.
bool utf8_locale()
{
    static int utf8 = -1;
    if (utf8 < 0) {
        static constexpr const char* names[] = {"LC_ALL=", "LC_CTYPE=", "LANG="};
        const char* value[3] = {};
        for (char** e = environ; *e != nullptr; ++e) {
            if ((*e)[0] != 'L') continue;
            for (int i = 0; i < 3; ++i) {
                const char *name = names[i], *v = *e;
                while (*name != '\0' && *name == *v) ++name, ++v;
                if (*name == '\0' && value[i] == nullptr) value[i] = v;  // the first, as getenv takes
            }
        }
        const char* locale = nullptr;
        for (const char* v : value)
            if (locale == nullptr && v != nullptr && *v != '\0') locale = v;
        utf8 = locale != nullptr && names_utf8(locale);
    }
    return utf8 != 0;
}

}  // namespace

bool speaks_utf8(int fd) { return isatty(fd) && utf8_locale(); }

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
            t = descriptor::write(fd, out + sent, n - sent);
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

Transfer read(int fd, std::uint8_t* buf, std::int32_t size)
{
    for (;;) {
        std::uint8_t raw[256];
        auto room = size - static_cast<std::int32_t>(decoder.pending());
        Transfer t = descriptor::read(fd, raw, room < 256 ? room : 256);
        if (t.error != 0) return t;
        if (t.count == 0) return {static_cast<std::int32_t>(decoder.finish(buf)), 0};
        auto n = decoder.decode(raw, static_cast<std::size_t>(t.count), buf);
        if (n > 0) return {static_cast<std::int32_t>(n), 0};
    }
}

}  // namespace con::platform::terminal
