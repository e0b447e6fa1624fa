// Items, line ends and the write-out: the bytes, the platform calls, and the errors.
#include <gtest/gtest.h>

#include "console/console.h"
#include "tests/scripted_platform.h"

namespace {

using scripted::script;

TEST(WriteInteger, DecimalText)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0"}, {-1, "-1"}, {-32768, "-32768"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"},
        {345, "345"},
    };
    for (auto [value, text] : cases) {
        scripted::start();
        con::write_integer(con::output, 0, value);
        con::end_write(con::output);
        EXPECT_EQ(script.output, text);
    }
}

TEST(Width, BlanksInFrontNeverCut)
{
    struct Case {
        void (*item)(std::int32_t width);
        std::int32_t width;
        const char* text;
    };
    auto text = [](std::int32_t w) { con::write_text(con::output, w, "abc"); };
    auto character = [](std::int32_t w) { con::write_character(con::output, w, 'x'); };
    auto integer = [](std::int32_t w) { con::write_integer(con::output, w, -42); };
    const Case cases[] = {
        {text, 5, "  abc"},   {text, 0, "abc"},   {text, 2, "abc"}, {text, -4, "abc"},
        {character, 3, "  x"}, {character, 1, "x"}, {character, 0, "x"},
        {integer, 6, "   -42"}, {integer, 1, "-42"},
        {text, 300, nullptr},  // 297 blanks, then the text: more than a buffer
    };
    for (const auto& c : cases) {
        scripted::start();
        c.item(c.width);
        con::end_write(con::output);
        EXPECT_EQ(script.output, c.text ? std::string(c.text) : std::string(297, ' ') + "abc");
    }
}

TEST(WriteStatement, OneWritePerStatement)
{
    scripted::start();
    con::write_text(con::output, 0, "emberek: ");
    con::write_integer(con::output, 0, 2);
    con::write_character(con::output, 0, ' ');
    con::write_integer(con::output, 0, 3);
    con::end_line(con::output);
    EXPECT_EQ(script.output, "emberek: 2 3\r\n");
    EXPECT_EQ(script.writes, std::vector<std::int32_t>{14});
}

TEST(WriteStatement, AnEmptyStatementStillCallsTheWrite)
{
    scripted::start();
    con::write_text(con::output, 0, "");
    con::end_write(con::output);
    EXPECT_EQ(script.writes, std::vector<std::int32_t>{0});
    EXPECT_EQ(con::pending_io_error, 0);

    scripted::start();
    con::end_line(con::output);
    EXPECT_EQ(script.output, "\r\n");
}

TEST(WriteStatement, AFullBufferGoesOutOnlyWhenMoreBytesCome)
{
    scripted::start();
    con::write_text(con::output, 0, std::string(255, 'a'));
    con::end_line(con::output);
    EXPECT_EQ(script.writes, (std::vector<std::int32_t>{256, 1}));
    EXPECT_EQ(script.output, std::string(255, 'a') + "\r\n");

    scripted::start();
    con::write_text(con::output, 0, std::string(256, 'b'));
    EXPECT_TRUE(script.writes.empty());
    con::end_write(con::output);
    EXPECT_EQ(script.writes, std::vector<std::int32_t>{256});

    scripted::start();
    con::write_text(con::output, 0, std::string(600, 'c'));
    con::end_write(con::output);
    EXPECT_EQ(script.writes, (std::vector<std::int32_t>{256, 256, 88}));
}

TEST(WriteStatement, ACharacterOnANearlyFullBufferWritesItOutFirst)
{
    scripted::start();
    con::write_text(con::output, 0, std::string(255, 'a'));
    con::write_character(con::output, 0, 'z');
    EXPECT_EQ(script.writes, std::vector<std::int32_t>{255});
    con::end_write(con::output);
    EXPECT_EQ(script.output, std::string(255, 'a') + "z");
}

TEST(WriteOut, ShortWritesAreContinued)
{
    scripted::start({.write_limit = 3});
    con::write_text(con::output, 0, "soixante-dix-sept");
    con::end_line(con::output);
    EXPECT_EQ(script.output, "soixante-dix-sept\r\n");
    EXPECT_EQ(script.writes.size(), 7u);
    EXPECT_EQ(con::pending_io_error, 0);
}

struct WriteFailure {
    const char* name;
    std::uint32_t error;       // the platform error number of the failing call
    std::size_t taken;         // bytes the platform takes before failing
    std::string text;          // what the statement writes
    std::uint16_t code;        // what is pending afterwards
};

const WriteFailure write_failures[] = {
    {"failing write of bytes", 6, 0, "x", 101},
    {"accepting none", 0, 0, "x", 101},
    {"failing half way", 112, 3, "hello", 101},
    {"empty buffer, invalid handle", 6, 0, "", 6},
    {"empty buffer, general failure", 31, 0, "", 162},
    {"empty buffer, first mapped", 19, 0, "", 150},
    {"empty buffer, sharing", 32, 0, "", 5},
    {"empty buffer, other number", 87, 0, "", 87},
    {"empty buffer, cut to 16 bits", 0x10065, 0, "", 0x65},
};

TEST(WriteOut, FailuresAndTheirCodes)
{
    for (const auto& f : write_failures) {
        SCOPED_TRACE(f.name);
        scripted::start({.fail_after = f.taken, .write_error = f.error});
        con::write_text(con::output, 0, f.text);
        con::end_write(con::output);
        EXPECT_EQ(con::pending_io_error, f.code);
        EXPECT_EQ(con::output.count, 0);  // what did not go out is dropped
    }
}

TEST(PendingError, LaterItemsAndLineEndsDoNothing)
{
    scripted::start({.fail_after = 0, .write_error = 6});
    con::write_text(con::output, 0, "a");
    con::end_write(con::output);
    ASSERT_EQ(con::pending_io_error, 101);
    auto calls = script.writes.size();
    con::write_text(con::output, 0, "b");
    con::write_integer(con::output, 0, 1);
    con::write_character(con::output, 0, 'c');
    con::end_line(con::output);
    EXPECT_EQ(script.writes.size(), calls);
    EXPECT_EQ(con::output.count, 0);
    con::end_write(con::output);  // end of write does not look at the pending error
    EXPECT_EQ(script.writes.size(), calls + 1);
}

TEST(Direction, WritingAStreamNotOpenForOutput)
{
    scripted::start();
    con::write_text(con::input, 0, "x");
    EXPECT_EQ(con::pending_io_error, 105);
    scripted::start();
    con::output.direction = con::Direction::closed;
    con::end_line(con::output);
    EXPECT_EQ(con::pending_io_error, 103);
    EXPECT_TRUE(script.writes.empty());
}

TEST(Text, KeepsAtMost255Bytes)
{
    con::Text t(std::string(200, 'a'));
    t.append(std::string(100, 'b'));
    EXPECT_EQ(t.size(), 255);
    EXPECT_EQ(std::string(t.view()), std::string(200, 'a') + std::string(55, 'b'));
}

}  // namespace
