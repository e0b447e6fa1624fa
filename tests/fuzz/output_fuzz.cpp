// Write statements of items and widths the fuzzer chooses, through a platform write that takes
// everything, takes a few bytes a call, or starts failing.
//
// Input: [bytes a call takes, 0: all] [failing after this many 8-byte units, 255: never]
//        [error number choice] then items: [kind] [width] [operand bytes]...
// Properties: no crash or sanitizer report; while writes succeed the bytes out are the items'
// bytes in order; a failure leaves 101 or the mapped code pending and what came out is a prefix;
// never more write-outs than one per statement plus one per 255 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/console.h"
#include "tests/scripted_platform.h"

namespace {

using scripted::script;

void is_true(bool property)
{
    if (!property) std::abort();
}

// The bytes an item should put: blanks up to the width, then the text.
std::string padded(std::int32_t width, const std::string& text)
{
    auto length = static_cast<std::int32_t>(text.size());
    return std::string(width > length ? static_cast<std::size_t>(width - length) : 0, ' ') + text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    static constexpr std::uint32_t errors[] = {0, 6, 19, 31, 32, 112};
    static constexpr std::uint16_t mapped[] = {0, 6, 150, 162, 5, 112};
    auto error = data[2] % 6;
    scripted::start({.write_limit = data[0] == 0 ? INT32_MAX : data[0],
                     .fail_after = data[1] == 255 ? SIZE_MAX : std::size_t{data[1]} * 8,
                     .write_error = errors[error]});

    std::string expected;
    int statements = 0;
    std::size_t at = 3;
    auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    while (at < size && con::pending_io_error == 0) {
        std::uint8_t kind = next() % 5;
        std::int32_t width = static_cast<std::int8_t>(next()) * 3;
        switch (kind) {
        case 0: {
            std::size_t n = std::min<std::size_t>(next(), size - at);
            std::string text(reinterpret_cast<const char*>(data + at), n);
            at += n;
            con::write_text(con::output, width, text);
            expected += padded(width, text);
            break;
        }
        case 1: {
            std::uint32_t bits = 0;
            for (int i = 0; i < 4; ++i) bits = bits << 8 | next();
            auto value = static_cast<std::int32_t>(bits);
            con::write_integer(con::output, width, value);
            expected += padded(width, std::to_string(value));
            break;
        }
        case 2: {
            char c = static_cast<char>(next());
            con::write_character(con::output, width, c);
            expected += padded(width, std::string(1, c));
            break;
        }
        case 3:
            con::end_write(con::output);
            ++statements;
            break;
        case 4:
            con::end_line(con::output);
            expected += "\r\n";
            ++statements;
            break;
        }
    }
    con::end_write(con::output);
    ++statements;

    is_true(script.write_outs <= statements + static_cast<int>(expected.size() / 255));
    bool failed = script.fail_after < expected.size() || con::pending_io_error != 0;
    if (!failed) {
        is_true(script.output == expected);
    } else {
        is_true(con::pending_io_error == 101 || con::pending_io_error == mapped[error]);
        is_true(expected.compare(0, script.output.size(), script.output) == 0);
    }
    return 0;
}
