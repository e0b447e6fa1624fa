#include "console/number.h"

namespace con {

namespace {

constexpr std::uint32_t digit_value(char c)
{
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
    return 99;
}

constexpr std::uint32_t base_of(char prefix)
{
    switch (prefix) {
    case '$': return 16;
    case '&': return 8;
    case '%': return 2;
    default: return 10;
    }
}

}  // namespace

std::optional<std::int32_t> parse_integer(std::string_view token)
{
    bool negative = false;
    if (!token.empty() && (token.front() == '+' || token.front() == '-')) {
        negative = token.front() == '-';
        token.remove_prefix(1);
    }
    std::uint32_t base = token.empty() ? 10 : base_of(token.front());
    if (base != 10) token.remove_prefix(1);
    if (token.empty()) return std::nullopt;

    // Decimal covers the signed range; the other bases any 32-bit pattern.
    std::uint32_t limit = base != 10 ? 0xFFFF'FFFFu : negative ? 0x8000'0000u : 0x7FFF'FFFFu;
    std::uint32_t magnitude = 0;
    for (char c : token) {
        std::uint32_t digit = digit_value(c);
        if (digit >= base || magnitude > (limit - digit) / base) return std::nullopt;
        magnitude = magnitude * base + digit;
    }
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

}  // namespace con
