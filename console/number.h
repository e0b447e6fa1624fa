// The integer token: [+|-] [$ hex | & octal | % binary] digits.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace con {

// The token's 32-bit value, or nothing when it is no valid number.
std::optional<std::int32_t> parse_integer(std::string_view token);

}  // namespace con
