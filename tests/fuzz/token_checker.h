// An integer token checker written apart from the runtime's parser, as plainly as possible:
// what value a token stands for, or that it is no number.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

inline std::optional<std::int32_t> check_token(const std::string& token)
{
    if (token.empty() || token.size() > 255) return std::nullopt;
    std::size_t i = 0;
    bool minus = false;
    if (token[i] == '+' || token[i] == '-') minus = token[i++] == '-';
    int base = 10;
    if (i < token.size() && token[i] == '$') base = 16, ++i;
    else if (i < token.size() && token[i] == '&') base = 8, ++i;
    else if (i < token.size() && token[i] == '%') base = 2, ++i;
    if (i == token.size()) return std::nullopt;

    const std::string digits = "0123456789ABCDEF";
    std::uint64_t limit = base != 10 ? 4294967295u : minus ? 2147483648u : 2147483647u;
    std::uint64_t value = 0;
    for (; i < token.size(); ++i) {
        char c = token[i] >= 'a' && token[i] <= 'f' ? static_cast<char>(token[i] - 'a' + 'A') : token[i];
        auto d = digits.find(c);
        if (d == std::string::npos || static_cast<int>(d) >= base) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + d;
        if (value > limit) return std::nullopt;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    if (minus) bits = ~bits + 1;
    return static_cast<std::int32_t>(bits);
}
