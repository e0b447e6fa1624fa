// The code page 852 table and the UTF-8 conversion, against the C library's own converter.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "console/posix/codepage.h"

namespace {

namespace cp = con::platform::codepage;

std::string iconv_convert(const char* from, const char* to, std::string in)
{
    iconv_t cd = iconv_open(to, from);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(4 * in.size() + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    std::size_t left = in.size(), room = out.size();
    std::size_t result = iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) return "(no conversion)";
    out.resize(out.size() - room);
    return out;
}

std::string encode(std::uint8_t byte)
{
    std::uint8_t out[3];
    return std::string(reinterpret_cast<char*>(out), cp::encode(byte, out));
}

std::string decode(const std::string& utf8, std::size_t piece = SIZE_MAX)
{
    cp::Decoder d;
    std::string out;
    for (std::size_t at = 0; at < utf8.size(); at += piece) {
        auto n = std::min(piece, utf8.size() - at);
        std::uint8_t buf[64];
        out.append(reinterpret_cast<char*>(buf),
                   d.decode(reinterpret_cast<const std::uint8_t*>(utf8.data() + at), n, buf));
    }
    std::uint8_t last[1];
    out.append(reinterpret_cast<char*>(last), d.finish(last));
    return out;
}

TEST(CodePage, EveryByteAsTheCLibraryConvertsIt)
{
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        std::string byte(1, static_cast<char>(b));
        std::string utf8 = iconv_convert("CP852", "UTF-8", byte);
        EXPECT_EQ(encode(static_cast<std::uint8_t>(b)), utf8);
        EXPECT_EQ(decode(utf8), byte);
        EXPECT_EQ(decode(utf8, 1), byte);  // a byte at a time
    }
}

struct DecodeCase {
    const char* name;
    std::string utf8;
    std::string bytes;
};

const DecodeCase decode_cases[] = {
    {"Hungarian letters", "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p",
     "\xB5rv\xA1zt\xFBr\x8B t\x81k\x94rf\xA3r\xA2g\x82p"},
    {"line ends and controls", std::string("a\r\n\t\x1A\x00z", 7), std::string("a\r\n\t\x1A\x00z", 7)},
    {"no such letter", "\xE2\x82\xAC", "?"},                 // the euro sign
    {"four bytes, one character", "\xF0\x9F\x98\x80!", "?!"},
    {"lone continuation", "\x80x", "?x"},
    {"overlong", "\xC0\xAF", "??"},
    {"overlong three", "\xE0\x80\xAF", "???"},
    {"surrogate", "\xED\xA0\x80", "???"},
    {"beyond the last", "\xF4\x90\x80\x80", "????"},
    {"cut short by ASCII", "\xC3" "a", "?a"},
    {"cut short by a lead", "\xE2\x82\xC3\xA9", "?\x82"},
    {"cut short by the end", "ok\xE2\x82", "ok?"},
    {"invalid leads", "\xF8\xFF", "??"},
};

TEST(CodePage, DecodingWholeAndInPieces)
{
    for (const auto& c : decode_cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t piece : {SIZE_MAX, std::size_t{1}, std::size_t{2}, std::size_t{3}})
            EXPECT_EQ(decode(c.utf8, piece), c.bytes);
    }
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    for (char32_t c : {U'\u00E0', U'\u0152', U'\u20AC', U'\u4E2D', U'\U0001F600'})
        EXPECT_EQ(cp::byte_for(c), '?');
    EXPECT_EQ(cp::byte_for(U'\u0151'), 0x8B);  // ő
    EXPECT_EQ(cp::byte_for(U'\u2588'), 0xDB);  // full block
}

}  // namespace
