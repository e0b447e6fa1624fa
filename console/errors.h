// Every run-time error code of the runtime, and how a platform error number becomes one.
// A code is also the program's exit code.
#pragma once
#include <cstdint>

namespace con::error {

// Input and output: set as the pending error, raised by the statement's input/output check.
inline constexpr std::uint16_t write_short = 101;  // fewer bytes went out than the buffer held
inline constexpr std::uint16_t closed = 103;       // an operation on a closed stream
inline constexpr std::uint16_t not_input = 104;    // a read on a stream not open for input
inline constexpr std::uint16_t not_output = 105;   // a write on a stream not open for output
inline constexpr std::uint16_t bad_number = 106;   // no valid integer token where one was read

// Processor faults, as the fault handlers map them.
inline constexpr std::uint16_t division_by_zero = 200;
inline constexpr std::uint16_t bounds_fault = 201;  // the processor's own bounds check
inline constexpr std::uint16_t stack_overflow = 202;
inline constexpr std::uint16_t float_overflow = 205;
inline constexpr std::uint16_t float_underflow = 206;
inline constexpr std::uint16_t float_invalid = 207;
inline constexpr std::uint16_t integer_overflow_fault = 215;
inline constexpr std::uint16_t access_violation = 216;
inline constexpr std::uint16_t other_fault = 217;  // illegal instruction, bus error, trap

// Checks of the program bodies.
inline constexpr std::uint16_t range = 201;     // a value outside its bounds pair
inline constexpr std::uint16_t overflow = 215;  // a tested 32-bit operation overflowed

// The platform error mapping, for a failed read or write. Error numbers are the designed
// platform's (the POSIX side translates errno into them first):
// - 19 (write-protected) to 31 (general failure) are its critical device errors, which the
//   runtime reports 131 higher, as 150 to 162;
// - 32, a sharing violation, is reported as 5, access denied;
// - any other number is reported as itself, cut to 16 bits (6 invalid handle, 109 broken pipe).
inline constexpr std::uint32_t critical_first = 19, critical_last = 31, critical_offset = 131;
inline constexpr std::uint32_t sharing_violation = 32;
inline constexpr std::uint16_t access_denied = 5;

constexpr std::uint16_t from_platform(std::uint32_t number)
{
    if (number >= critical_first && number <= critical_last)
        return static_cast<std::uint16_t>(number + critical_offset);
    if (number == sharing_violation) return access_denied;
    return static_cast<std::uint16_t>(number);
}

}  // namespace con::error
