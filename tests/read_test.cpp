// Read integer, read line and discard line over every way the input can arrive:
// whole, in pieces of a few bytes, and one line at a time from a device.
#include <gtest/gtest.h>

#include "console/console.h"
#include "tests/scripted_platform.h"

namespace {

using scripted::script;

using con::platform::Kind;

struct Arrival {
    const char* name;
    Kind kind;
    std::int32_t chunk;
};

// A file is read until the buffer is full, even when its reads come up short; a pipe gives
// one read's bytes per refill; a device one line.
const Arrival arrivals[] = {
    {"file", Kind::file, INT_MAX}, {"file7", Kind::file, 7}, {"pipe1", Kind::pipe, 1},
    {"pipe2", Kind::pipe, 2},      {"pipe7", Kind::pipe, 7}, {"pipe", Kind::pipe, INT_MAX},
    {"device", Kind::character_device, INT_MAX},
};

void PrintTo(const Arrival& a, std::ostream* os) { *os << a.name; }

std::string arrival_name(const testing::TestParamInfo<Arrival>& param) { return param.param.name; }

void start(const std::string& input, const Arrival& a)
{
    scripted::start({.input = input, .input_kind = a.kind, .chunk = a.chunk});
}

std::string repeat(char c, std::size_t n) { return std::string(n, c); }

// ---- read integer ----

struct IntegerCase {
    std::string input;
    std::int32_t value;
    std::uint16_t code;
    std::string unread;
};

const IntegerCase integer_cases[] = {
    {"42\r\n", 42, 0, "\r\n"},
    {"  -17  \r\n", -17, 0, "  \r\n"},
    {"\r\n\r\n\t7\r\n", 7, 0, "\r\n"},
    {"+5\r\n", 5, 0, "\r\n"},
    {"007\r\n", 7, 0, "\r\n"},
    {"$1F\r\n", 31, 0, "\r\n"},
    {"$1f\r\n", 31, 0, "\r\n"},
    {"-$10\r\n", -16, 0, "\r\n"},
    {"%101\r\n", 5, 0, "\r\n"},
    {"&17\r\n", 15, 0, "\r\n"},
    {"$0\r\n", 0, 0, "\r\n"},
    {"2147483647\r\n", 2147483647, 0, "\r\n"},
    {"2147483648\r\n", 0, 106, "\r\n"},
    {"-2147483648\r\n", INT32_MIN, 0, "\r\n"},
    {"-2147483649\r\n", 0, 106, "\r\n"},
    {"4294967295\r\n", 0, 106, "\r\n"},
    {"$FFFFFFFF\r\n", -1, 0, "\r\n"},
    {"$80000000\r\n", INT32_MIN, 0, "\r\n"},
    {"-$FFFFFFFF\r\n", 1, 0, "\r\n"},
    {"-$80000000\r\n", INT32_MIN, 0, "\r\n"},
    {"$100000000\r\n", 0, 106, "\r\n"},
    {"$FFFF\r\n", 65535, 0, "\r\n"},
    {"&37777777777\r\n", -1, 0, "\r\n"},
    {"&40000000000\r\n", 0, 106, "\r\n"},
    {"%" + repeat('1', 32) + "\r\n", -1, 0, "\r\n"},
    {"%" + repeat('1', 33) + "\r\n", 0, 106, "\r\n"},
    {"0x1F\r\n", 0, 106, "\r\n"},
    {"1e3\r\n", 0, 106, "\r\n"},
    {"3.0\r\n", 0, 106, "\r\n"},
    {"12,5\r\n", 0, 106, "\r\n"},
    {"12abc\r\n", 0, 106, "\r\n"},
    {"- 5\r\n", 0, 106, " 5\r\n"},
    {"-\r\n", 0, 106, "\r\n"},
    {"+\r\n", 0, 106, "\r\n"},
    {"$\r\n", 0, 106, "\r\n"},
    {"&\r\n", 0, 106, "\r\n"},
    {"%\r\n", 0, 106, "\r\n"},
    {"--5\r\n", 0, 106, "\r\n"},
    {"+-5\r\n", 0, 106, "\r\n"},
    {"$-1\r\n", 0, 106, "\r\n"},
    {"5$\r\n", 0, 106, "\r\n"},
    {"%2\r\n", 0, 106, "\r\n"},
    {"&8\r\n", 0, 106, "\r\n"},
    {"$G\r\n", 0, 106, "\r\n"},
    {"\x1A\r\n", 0, 106, "\r\n"},
    {"1\x82\r\n", 0, 106, "\r\n"},
    {"\v7\r\n", 0, 106, "\r\n"},  // vertical tab is no separator
    {"", 0, 106, ""},
    {"42", 42, 0, ""},
    {"12 34\r\n", 12, 0, " 34\r\n"},
    {"7\n", 7, 0, "\n"},
    {"7\r", 7, 0, "\r"},
    // The end of input after separators is no number: it is not read as 0.
    {"  ", 0, 106, ""},
    {"\r\n", 0, 106, ""},
    {"\r\n \t\r\n", 0, 106, ""},
    // A token of 255 bytes is whole; one byte more and it is no number (not two numbers), and
    // nothing after that byte is read.
    {repeat('0', 254) + "7\r\n", 7, 0, "\r\n"},
    {repeat('0', 255) + "\r\n", 0, 0, "\r\n"},
    {repeat('0', 255), 0, 0, ""},
    {repeat('0', 300) + "7\r\n", 0, 106, repeat('0', 44) + "7\r\n"},
    {repeat('0', 256), 0, 106, ""},
    {repeat('0', 256) + "\r\n", 0, 106, "\r\n"},
    {"-" + repeat('0', 255) + "\r\n", 0, 106, "\r\n"},
};

class ReadInteger : public testing::TestWithParam<Arrival> {};

TEST_P(ReadInteger, ValueCodeAndWhatIsLeft)
{
    for (const auto& c : integer_cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        start(c.input, GetParam());
        EXPECT_EQ(con::read_integer(con::input), c.value);
        EXPECT_EQ(con::pending_io_error, c.code);
        EXPECT_EQ(scripted::unread(), c.unread);
    }
}

TEST_P(ReadInteger, TokensAcrossLines)
{
    start("3\r\n15\r\n4 20\r\n", GetParam());
    EXPECT_EQ(con::read_integer(con::input), 3);
    EXPECT_EQ(con::read_integer(con::input), 15);
    con::discard_line(con::input);
    EXPECT_EQ(con::pending_io_error, 0);
    EXPECT_EQ(scripted::unread(), "4 20\r\n");
}

TEST_P(ReadInteger, AfterAFailureTheStatementReadsNothing)
{
    start("x 5\r\nrest\r\n", GetParam());
    EXPECT_EQ(con::read_integer(con::input), 0);
    int reads = script.reads;
    EXPECT_EQ(con::read_integer(con::input), 0);
    con::discard_line(con::input);
    EXPECT_EQ(con::pending_io_error, 106);
    EXPECT_EQ(script.reads, reads);
    EXPECT_EQ(scripted::unread(), " 5\r\nrest\r\n");
}

// Input that never brings a separator (/dev/zero, an endless pipe): the read fails at the byte
// that makes the token too long, and reads nothing after it.
TEST_P(ReadInteger, AnEndlessTokenEndsAtItsByteTooMany)
{
    for (std::uint64_t digits : {std::uint64_t{256}, std::uint64_t{300}, UINT64_MAX}) {
        SCOPED_TRACE(digits);
        scripted::start({.input_kind = GetParam().kind, .chunk = GetParam().chunk,
                         .filler = repeat('0', 64), .filler_bytes = digits});
        EXPECT_EQ(con::read_integer(con::input), 0);
        EXPECT_EQ(con::pending_io_error, 106);
        EXPECT_LE(script.delivered, 256u);
        EXPECT_EQ(script.delivered - static_cast<std::uint64_t>(con::input.count - con::input.position), 256u);
    }
}

INSTANTIATE_TEST_SUITE_P(Arrivals, ReadInteger, testing::ValuesIn(arrivals),
                         arrival_name);

// ---- read line, then discard line ----

struct LineCase {
    std::string input;
    std::string line;
    std::string after_read;
    std::string after_discard;
};

const LineCase line_cases[] = {
    {"hello world\r\nnext", "hello world", "\r\nnext", "next"},
    {"\r\nx", "", "\r\nx", "x"},
    {"", "", "", ""},
    {"abc", "abc", "", ""},
    {repeat('x', 300) + "\r\nnext", repeat('x', 255), repeat('x', 45) + "\r\nnext", "next"},
    {repeat('y', 255) + "\r\nnext", repeat('y', 255), "\r\nnext", "next"},
    {repeat('z', 256) + "\nnext", repeat('z', 255), "z\nnext", "next"},
    {"x\ty\x1Az\rq", "x\ty\x1Az", "\rq", "q"},
    {std::string("a\0b\x82\xFF\n", 6) + "c", std::string("a\0b\x82\xFF", 5), "\nc", "c"},
    {"  lead and trail  \nx", "  lead and trail  ", "\nx", "x"},
};

class ReadLine : public testing::TestWithParam<Arrival> {};

TEST_P(ReadLine, LineAndWhatIsLeft)
{
    for (const auto& c : line_cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        start(c.input, GetParam());
        con::Text line("stale");
        con::read_line(con::input, line, 255);
        EXPECT_EQ(std::string(line.view()), c.line);
        EXPECT_EQ(scripted::unread(), c.after_read);
        con::discard_line(con::input);
        EXPECT_EQ(scripted::unread(), c.after_discard);
        EXPECT_EQ(con::pending_io_error, 0);
    }
}

// A line end found wherever it falls among the bytes scanned together.
TEST_P(ReadLine, EndsAtALineEndAtAnyOffset)
{
    for (std::size_t n = 0; n <= 40; ++n) {
        for (const char* end : {"\r\n", "\n", "\rx"}) {
            SCOPED_TRACE(testing::Message() << n << " bytes, then " << testing::PrintToString(end));
            start(repeat('a', n) + end + "\n\r", GetParam());
            con::Text line;
            con::read_line(con::input, line, 255);
            EXPECT_EQ(std::string(line.view()), repeat('a', n));
            EXPECT_EQ(scripted::unread(), std::string(end) + "\n\r");
        }
    }
}

TEST_P(ReadLine, KeepsAtMostItsCapacity)
{
    start("abcdef\r\n", GetParam());
    con::Text line;
    con::read_line(con::input, line, 4);
    EXPECT_EQ(std::string(line.view()), "abcd");
    EXPECT_EQ(scripted::unread(), "ef\r\n");
}

INSTANTIATE_TEST_SUITE_P(Arrivals, ReadLine, testing::ValuesIn(arrivals),
                         arrival_name);

// ---- discard line alone ----

struct DiscardCase {
    std::string input;
    std::string unread;
};

const DiscardCase discard_cases[] = {
    {"abc\r\ndef", "def"}, {"abc\rdef", "def"},     {"abc\ndef", "def"}, {"abc\n\rdef", "\rdef"},
    {"\r\n\r\n", "\r\n"},  {"abc", ""},             {"", ""},            {"\r", ""},
    {"\n\n", "\n"},        {"abc\r", ""},
};

class DiscardLine : public testing::TestWithParam<Arrival> {};

TEST_P(DiscardLine, ConsumesThroughTheLineEnd)
{
    for (const auto& c : discard_cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        start(c.input, GetParam());
        con::discard_line(con::input);
        EXPECT_EQ(scripted::unread(), c.unread);
        EXPECT_EQ(con::pending_io_error, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Arrivals, DiscardLine, testing::ValuesIn(arrivals),
                         arrival_name);

// ---- refills ----

TEST(Refill, ADeviceGivesOneLinePerRead)
{
    start("12\r\n34\r\n", {"device", Kind::character_device, INT_MAX});
    EXPECT_EQ(con::read_integer(con::input), 12);
    EXPECT_EQ(script.reads, 1);
    con::discard_line(con::input);
    EXPECT_EQ(script.reads, 1);  // the line end came with the line
    con::discard_line(con::input);
    EXPECT_EQ(script.reads, 2);  // an empty buffer waits for the next line
}

TEST(Refill, AFileIsReadUntilTheBufferIsFullOrInputEnds)
{
    start(repeat('1', 300), {"file", Kind::file, 100});
    con::Text line;
    con::read_line(con::input, line, 10);
    EXPECT_EQ(script.reads, 3);  // 100 + 100 + 56 bytes
    EXPECT_EQ(con::input.count, 256);
}

// A caller that writes a line and waits for the answer gets it: nothing waits for more bytes.
TEST(Refill, APipeGivesWhatOneReadDelivers)
{
    start("77\n\n", {"pipe", Kind::pipe, 3});
    EXPECT_EQ(con::read_integer(con::input), 77);
    con::discard_line(con::input);
    EXPECT_EQ(script.reads, 1);
    EXPECT_EQ(con::input.count, 3);
    con::discard_line(con::input);
    EXPECT_EQ(script.reads, 2);
    EXPECT_EQ(scripted::unread(), "");
}

TEST(Refill, TheKindOfHandleIsAskedAtEveryRefill)
{
    start("1\n2\n", {"device", Kind::character_device, INT_MAX});
    con::read_integer(con::input);
    con::discard_line(con::input);
    con::read_integer(con::input);
    EXPECT_EQ(script.kind_queries, 2);
}

TEST(Refill, EndOfInputIsNotRemembered)
{
    start("", {"device", Kind::character_device, INT_MAX});
    con::discard_line(con::input);
    con::discard_line(con::input);
    EXPECT_EQ(script.reads, 2);
}

struct ReadFailure {
    const char* name;
    Kind kind;
    std::uint32_t error;
    std::uint16_t line_code;     // what read line leaves pending
    std::uint16_t integer_code;  // what read integer leaves pending
};

const ReadFailure read_failures[] = {
    {"invalid handle", Kind::file, 6, 6, 106},
    {"general failure", Kind::file, 31, 162, 106},
    {"sharing", Kind::file, 32, 5, 106},
    {"pipe failure", Kind::pipe, 6, 6, 106},
    {"broken pipe is the end", Kind::pipe, 109, 0, 106},
    {"device failure", Kind::character_device, 6, 6, 106},
    {"device broken pipe", Kind::character_device, 109, 109, 106},
};

TEST(Refill, AFailedReadIsMappedAndANumberIsStillMissing)
{
    for (const auto& f : read_failures) {
        SCOPED_TRACE(f.name);
        scripted::start({.input = "", .input_kind = f.kind, .read_error = f.error});
        con::Text line;
        con::read_line(con::input, line, 255);
        EXPECT_EQ(con::pending_io_error, f.line_code);
        scripted::start({.input = "", .input_kind = f.kind, .read_error = f.error});
        EXPECT_EQ(con::read_integer(con::input), 0);
        EXPECT_EQ(con::pending_io_error, f.integer_code);
    }
}

TEST(Refill, BytesBeforeAFailureAreKept)
{
    scripted::start({.input = "42", .chunk = 1, .read_error = 6});
    EXPECT_EQ(con::read_integer(con::input), 42);
    EXPECT_EQ(con::pending_io_error, 6);
}

// More than 2^31 bytes through each read operation: no count on the input side can overflow.
constexpr std::uint64_t beyond_31_bits = (std::uint64_t{1} << 31) + 4096;

TEST(EndlessInput, ReadIntegerSkipsSeparatorsWithoutEnd)
{
    scripted::start({.input = "42\r\n", .filler = repeat(' ', 4095) + "\n", .filler_bytes = beyond_31_bits});
    EXPECT_EQ(con::read_integer(con::input), 42);
    EXPECT_EQ(con::pending_io_error, 0);
    EXPECT_EQ(scripted::unread(), "\r\n");
}

TEST(EndlessInput, DiscardLineGoesOnToTheLineEnd)
{
    scripted::start({.input = "\nnext", .filler = repeat('x', 4096), .filler_bytes = beyond_31_bits});
    con::discard_line(con::input);
    EXPECT_EQ(con::pending_io_error, 0);
    EXPECT_EQ(scripted::unread(), "next");
}

TEST(EndlessInput, ReadLineKeepsItsCapacityOfAnEndlessLine)
{
    scripted::start({.input = "\nnext\n", .filler = repeat('x', 4096), .filler_bytes = beyond_31_bits});
    con::Text line;
    con::read_line(con::input, line, 255);
    EXPECT_EQ(std::string(line.view()), repeat('x', 255));
    con::discard_line(con::input);
    con::read_line(con::input, line, 255);  // the line after it, past 2^31 bytes
    EXPECT_EQ(std::string(line.view()), "next");
    EXPECT_EQ(con::pending_io_error, 0);
}

TEST(Direction, ReadingAStreamNotOpenForInput)
{
    scripted::start();
    con::input.direction = con::Direction::output;
    EXPECT_EQ(con::read_integer(con::input), 0);
    EXPECT_EQ(con::pending_io_error, 104);
    scripted::start();
    con::input.direction = con::Direction::closed;
    con::discard_line(con::input);
    EXPECT_EQ(con::pending_io_error, 103);
}

}  // namespace
