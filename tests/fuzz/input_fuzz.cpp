// Read integer, read line and discard line in sequences the fuzzer chooses, over input that
// arrives whole, in pieces of the fuzzer's size (from a file and from a pipe), and line by line
// from a device.
//
// Input: [piece size] [read error] [n] [n operation bytes] [the bytes of standard input]
// Properties: no crash or sanitizer report; the results (values, codes, lines, bytes consumed)
// do not depend on how the input arrives; read integer agrees with the token checker.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/console.h"
#include "tests/fuzz/token_checker.h"
#include "tests/scripted_platform.h"

namespace {

using scripted::script;

struct Result {
    int op;
    std::int32_t value;
    std::uint16_t code;
    std::string line;
    std::size_t consumed;
    bool operator==(const Result&) const = default;
};

std::size_t consumed(std::size_t total)
{
    auto buffered = static_cast<std::size_t>(con::input.count - con::input.position);
    return total - script.input.size() - (con::input.position < con::input.count ? buffered : 0);
}

void is_true(bool property)
{
    if (!property) std::abort();
}

using con::platform::Kind;

std::vector<Result> run(const std::string& input, const std::vector<std::uint8_t>& ops, Kind kind,
                        std::int32_t piece, std::uint32_t read_error)
{
    bool device = kind == Kind::character_device;
    scripted::start({.input = input, .input_kind = kind, .chunk = piece, .read_error = read_error});
    std::vector<Result> results;
    for (std::uint8_t op : ops) {
        Result r{op % 4, 0, 0, {}, 0};
        std::size_t before = consumed(input.size());
        bool was_pending = con::pending_io_error != 0;
        switch (r.op) {
        case 0: r.value = con::read_integer(con::input); break;
        case 1: {
            con::Text line;
            con::read_line(con::input, line, 1 + op / 4 * 4);
            r.line = line.view();
            break;
        }
        case 2: con::discard_line(con::input); break;
        case 3: con::pending_io_error = 0; break;  // as after a statement's check
        }
        r.code = con::pending_io_error;
        r.consumed = consumed(input.size());

        if (r.op == 0 && !device && read_error == 0) {
            // The token is what the call consumed past the separators before it.
            std::string taken = input.substr(before, r.consumed - before);
            auto start = taken.find_first_not_of(" \t\r\n");
            std::string token = start == std::string::npos ? "" : taken.substr(start);
            auto expected = was_pending ? std::optional<std::int32_t>(0) : check_token(token);
            is_true(r.value == expected.value_or(0));
            is_true(was_pending || r.code == (expected ? 0 : 106));
            is_true(r.consumed == input.size() || token.empty() || was_pending
                    || std::string(" \t\r\n").find(input[r.consumed]) != std::string::npos
                    || token.size() > 255);
            is_true(token.size() <= 256);  // collecting stops at the byte that makes it too long
        }
        results.push_back(r);
    }
    return results;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    std::int32_t piece = data[0] == 0 ? 256 : data[0];
    static constexpr std::uint32_t errors[] = {0, 0, 6, 109, 31};
    std::uint32_t read_error = errors[data[1] % 5];
    std::size_t n = std::min<std::size_t>(data[2], size - 3);
    std::vector<std::uint8_t> ops(data + 3, data + 3 + n);
    std::string input(reinterpret_cast<const char*>(data + 3 + n), size - 3 - n);
    if (ops.empty()) ops = {0, 2, 1 * 4 * 63 + 1, 2};  // a number, its line, a line, the wait

    auto whole = run(input, ops, Kind::file, INT32_MAX, read_error);
    is_true(run(input, ops, Kind::file, piece, read_error) == whole);
    // A pipe's refill takes one read, so a failing read after the bytes shows later than a
    // file's read-ahead finds it; the end of input (a broken pipe included) shows alike.
    if (read_error == 0 || read_error == 109) is_true(run(input, ops, Kind::pipe, piece, read_error) == whole);
    if (read_error == 0) is_true(run(input, ops, Kind::character_device, INT32_MAX, 0) == whole);
    return 0;
}
