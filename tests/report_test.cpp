// Run-time errors: the checks, the report and the exit code, raised from a program body.
#include <gtest/gtest.h>

#include <algorithm>

#include "console/console.h"
#include "tests/scripted_platform.h"

namespace {

using scripted::script;

// Runs a body as a program does and returns its exit code.
std::uint32_t run(void (*body)(), scripted::Script s = {})
{
    scripted::start(std::move(s));
    try {
        con::run(body);
    } catch (const scripted::Exit& e) {
        return e.code;
    }
    ADD_FAILURE() << "the program did not exit";
    return 0;
}

// An address as the report writes it: 0x and 8 upper-case hexadecimal digits.
bool is_address(const std::string& s)
{
    return s.size() == 10 && s.starts_with("0x")
           && std::all_of(s.begin() + 2, s.end(), [](char c) { return std::isdigit(c) || (c >= 'A' && c <= 'F'); });
}

// Four lines: the error and its address, the address again, the body's caller, an empty line.
void expect_report(const std::string& out, std::uint32_t code)
{
    SCOPED_TRACE(testing::PrintToString(out));
    std::string head = "Runtime error " + std::to_string(code) + " at ";
    ASSERT_EQ(out.size(), head.size() + 10 + 2 + 2 * (4 + 8 + 2) + 2);
    ASSERT_EQ(out.substr(0, head.size()), head);
    std::string address = out.substr(head.size(), 10);
    EXPECT_TRUE(is_address(address));
    std::size_t at = head.size() + 10;
    EXPECT_EQ(out.substr(at, 2 + 2 + 10 + 2), "\r\n  " + address + "\r\n");
    at += 16;
    EXPECT_EQ(out.substr(at, 2), "  ");
    EXPECT_TRUE(is_address(out.substr(at + 2, 10)));
    EXPECT_NE(out.substr(at + 2, 10), address);
    EXPECT_EQ(out.substr(at + 12), "\r\n\r\n");
}

// Program bodies, each raising one run-time error.
void range_below() { con::range_check(-1, {0, 99}); }
void range_above() { con::range_check(100, {0, 99}); }
void store_too_big() { con::to_int16(32768); }
void overflow() { con::add(INT32_MAX, 1); }
void bad_number()
{
    con::read_integer(con::input);
    con::io_check();
}

struct RaiseCase {
    const char* name;
    void (*body)();
    std::uint32_t code;
};

const RaiseCase raise_cases[] = {
    {"range check below", range_below, 201},
    {"range check above", range_above, 201},
    {"16-bit store", store_too_big, 201},
    {"overflow", overflow, 215},
    {"bad number", bad_number, 106},
};

TEST(RunTimeError, FourLineReportAndExitCode)
{
    for (const auto& c : raise_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.body, {.input = "x\r\n"}), c.code);
        expect_report(script.output, c.code);
    }
}

void prompt_then_read()
{
    con::write_text(con::output, 0, "N=");
    con::end_write(con::output);
    con::io_check();
    con::to_int16(con::read_integer(con::input));
    con::discard_line(con::input);
    con::io_check();
}

TEST(RunTimeError, ReportFollowsWhatWasWritten)
{
    EXPECT_EQ(run(prompt_then_read, {.input = "40000\r\n"}), 201u);
    ASSERT_EQ(script.output.substr(0, 2), "N=");
    expect_report(script.output.substr(2), 201);
}

TEST(RunTimeError, ChecksThatPassDoNothing)
{
    EXPECT_EQ(run([] {
        con::range_check(0, {0, 99});
        con::range_check(99, {0, 99});
        con::to_int16(-32768);
        con::io_check();
    }), 0u);
    EXPECT_EQ(script.output, "");
}

TEST(RunTimeError, APendingErrorSilencesTheReport)
{
    // A range check between a read and its statement's check: the failed read's error
    // is still pending, so no report line is written.
    EXPECT_EQ(run([] {
                  con::read_integer(con::input);
                  con::range_check(500, {0, 99});
              },
              {.input = "bad\r\n"}),
              201u);
    EXPECT_EQ(script.output, "");
}

TEST(RunTimeError, AnUnwritableOutputEndsWith101)
{
    EXPECT_EQ(run([] {
                  con::write_text(con::output, 0, "prompt");
                  con::end_line(con::output);
                  con::io_check();
              },
              {.fail_after = 0, .write_error = 6}),
              101u);
    EXPECT_EQ(script.output, "");
}

int depth;
[[gnu::noinline]] void recurse()
{
    if (--depth > 0) recurse();
    else con::range_check(1, {2, 3});
}

TEST(RunTimeError, TheCallerChainIsCutShortOnADevice)
{
    // A body that recurses: a file gets the whole chain, a device at most nine callers.
    for (bool device : {false, true}) {
        depth = 20;
        EXPECT_EQ(run(recurse, {.output_is_device = device}), 201u);
        auto lines = std::count(script.output.begin(), script.output.end(), '\n');
        EXPECT_EQ(lines, device ? 2 + 9 + 1 : 2 + 20 + 1);
    }
}

TEST(ProgramEnd, ExitsWithZeroAndWritesNothing)
{
    EXPECT_EQ(run([] {}), 0u);
    EXPECT_EQ(script.output, "");
}

}  // namespace
