#include "console/posix/codepage.h"

namespace con::platform::codepage {

namespace {

// Bytes 0x80..0xFF of code page 852 as Unicode; bytes below 0x80 are ASCII.
constexpr char16_t high_half[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7,  // 80
    0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106,  // 88
    0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,  // 90
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E,  // A0
    0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A,  // B0
    0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE,  // D0
    0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,  // E0
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4,  // E8
    0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,  // F8
};

}  // namespace

std::uint8_t byte_for(char32_t c)
{
    if (c < 0x80) return static_cast<std::uint8_t>(c);
    for (int i = 0; i < 128; ++i)
        if (high_half[i] == c) return static_cast<std::uint8_t>(0x80 + i);
    return '?';
}

std::size_t encode(std::uint8_t byte, std::uint8_t* out)
{
    char32_t c = byte < 0x80 ? byte : high_half[byte - 0x80];
    if (c < 0x80) {
        out[0] = static_cast<std::uint8_t>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<std::uint8_t>(0xC0 | c >> 6);
        out[1] = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
        return 2;
    }
    out[0] = static_cast<std::uint8_t>(0xE0 | c >> 12);
    out[1] = static_cast<std::uint8_t>(0x80 | (c >> 6 & 0x3F));
    out[2] = static_cast<std::uint8_t>(0x80 | (c & 0x3F));
    return 3;
}

std::size_t Decoder::put_char(std::uint8_t* out)
{
    *out = have_ == need_ ? byte_for(code_) : '?';
    have_ = need_ = 0;
    return 1;
}

std::size_t Decoder::decode(const std::uint8_t* in, std::size_t n, std::uint8_t* out)
{
    std::size_t put = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t b = in[i];
        if (need_ != 0) {
            // The second byte narrows the range: no overlong forms, surrogates or beyond U+10FFFF.
            std::uint8_t low = 0x80, high = 0xBF;
            if (have_ == 1 && need_ == 3 && code_ == 0x0) low = 0xA0;
            if (have_ == 1 && need_ == 3 && code_ == 0xD) high = 0x9F;
            if (have_ == 1 && need_ == 4 && code_ == 0x0) low = 0x90;
            if (have_ == 1 && need_ == 4 && code_ == 0x4) high = 0x8F;
            if (b >= low && b <= high) {
                code_ = code_ << 6 | (b & 0x3F);
                if (++have_ == need_) put += put_char(out + put);
                continue;
            }
            put += put_char(out + put);  // cut short: '?', and this byte starts afresh
        }
        if (b < 0x80) {
            out[put++] = b;
        } else if (b >= 0xC2 && b <= 0xF4) {
            need_ = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            code_ = b & (0x7F >> need_);
            have_ = 1;
        } else {
            out[put++] = '?';
        }
    }
    return put;
}

std::size_t Decoder::finish(std::uint8_t* out) { return need_ != 0 ? put_char(out) : 0; }

}  // namespace con::platform::codepage
