// Code page 852 and UTF-8: what a UTF-8 terminal shows for the runtime's bytes, and the bytes
// the runtime is given for what is typed there.
#pragma once
#include <cstddef>
#include <cstdint>

namespace con::platform::codepage {

// The code page byte for a character, or '?' where the code page has none.
std::uint8_t byte_for(char32_t c);

// The UTF-8 form of one code page byte: 1 to 3 bytes into out; returns how many.
std::size_t encode(std::uint8_t byte, std::uint8_t* out);

// UTF-8 into code page bytes, one piece at a time: a character split between two pieces
// comes out whole. Malformed bytes and characters outside the code page become '?'.
class Decoder {
public:
    // Decodes n bytes into out (room for n plus pending() bytes); returns the bytes put.
    std::size_t decode(const std::uint8_t* in, std::size_t n, std::uint8_t* out);
    // At the end of input: an incomplete character becomes '?'; returns the bytes put.
    std::size_t finish(std::uint8_t* out);
    std::size_t pending() const { return have_; }

private:
    std::size_t put_char(std::uint8_t* out);

    char32_t code_ = 0;
    std::size_t have_ = 0;  // bytes of the current character seen
    std::size_t need_ = 0;  // bytes it has in all
};

}  // namespace con::platform::codepage
