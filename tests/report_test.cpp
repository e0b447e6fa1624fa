// Run-time errors: the checks, the report and the exit code, raised from a program body.
#include <gtest/gtest.h>

#include <regex>

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

const std::regex report_form("Runtime error ([0-9]+) at 0x([0-9A-F]{8})\r\n"
                             "  0x([0-9A-F]{8})\r\n"
                             "  0x[0-9A-F]{8}\r\n"
                             "\r\n");

void expect_report(const std::string& out, std::uint32_t code)
{
    std::smatch m;
    ASSERT_TRUE(std::regex_match(out, m, report_form)) << testing::PrintToString(out);
    EXPECT_EQ(m[1], std::to_string(code));
    EXPECT_EQ(m[2], m[3]);
}

struct RaiseCase {
    const char* name;
    void (*body)();
    std::uint32_t code;
};

const RaiseCase raise_cases[] = {
    {"range check below", [] { con::range_check(-1, {0, 99}); }, 201},
    {"range check above", [] { con::range_check(100, {0, 99}); }, 201},
    {"16-bit store", [] { con::to_int16(32768); }, 201},
    {"overflow", [] { con::add(INT32_MAX, 1); }, 215},
    {"bad number", [] {
         con::read_integer(con::input);
         con::io_check();
     }, 106},
};

TEST(RunTimeError, FourLineReportAndExitCode)
{
    for (const auto& c : raise_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(run(c.body, {.input = "x\r\n"}), c.code);
        expect_report(script.output, c.code);
    }
}

TEST(RunTimeError, ReportFollowsWhatWasWritten)
{
    EXPECT_EQ(run([] {
                  con::write_text(con::output, 0, "N=");
                  con::end_write(con::output);
                  con::io_check();
                  con::to_int16(con::read_integer(con::input));
                  con::discard_line(con::input);
                  con::io_check();
              },
              {.input = "40000\r\n"}),
              201u);
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

TEST(RunTimeError, TheCallerChainIsCutShortOnADevice)
{
    // A body that recurses: a file gets the whole chain, a device at most nine callers.
    static int depth;
    static void (*recurse)() = [] {
        if (--depth > 0) recurse();
        else con::range_check(1, {2, 3});
    };
    for (bool device : {false, true}) {
        depth = 20;
        EXPECT_EQ(run([] { recurse(); }, {.output_is_device = device}), 201u);
        auto lines = std::count(script.output.begin(), script.output.end(), '\n');
        EXPECT_EQ(lines, device ? 2 + 9 + 1 : 2 + 21 + 1);
    }
}

TEST(ProgramEnd, ExitsWithZeroAndWritesNothing)
{
    EXPECT_EQ(run([] {}), 0u);
    EXPECT_EQ(script.output, "");
}

}  // namespace
