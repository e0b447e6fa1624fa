#include "console/number.h"

namespace con {

namespace {

// A digit's worth, or 99 for a byte that is no digit in any base.
constexpr std::uint32_t digit_value(char c)
{
    std::uint32_t d = static_cast<std::uint8_t>(c) - std::uint32_t{'0'};
    if (d <= 9) return d;
    d = (static_cast<std::uint8_t>(c) | 0x20u) - 'a';
    return d < 6 ? d + 10 : 99;
}

}  // namespace

std::optional<std::int32_t> parse_integer(std::string_view token)
{
    const char* p = token.data();
    const char* end = p + token.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    std::uint32_t base = 10;
    if (p != end) {
        if (*p == '$') base = 16;
        else if (*p == '&') base = 8;
        else if (*p == '%') base = 2;
        if (base != 10) ++p;
    }
    if (p == end) return std::nullopt;

    // Decimal covers the signed range; the other bases any 32-bit pattern. The magnitude never
    // passes the limit by more than one digit's step, so 64 bits hold it.
    std::uint64_t limit = base != 10 ? 0xFFFF'FFFFu : negative ? 0x8000'0000u : 0x7FFF'FFFFu;
    std::uint64_t magnitude = 0;
    for (; p != end; ++p) {
        std::uint32_t digit = digit_value(*p);
        if (digit >= base) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    auto bits = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

}  // namespace con
