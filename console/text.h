// A bounded string: 0 to 255 bytes held with their length; copying or appending keeps at most 255.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string_view>

namespace con {

class Text {
public:
    static constexpr std::int32_t capacity = 255;

    constexpr Text() = default;
    constexpr Text(std::string_view s) { assign(s); }

    constexpr Text& assign(std::string_view s) { length_ = 0; return append(s); }
    constexpr Text& append(std::string_view s)
    {
        auto n = std::min<std::size_t>(s.size(), capacity - length_);
        std::copy_n(s.data(), n, bytes_ + length_);
        length_ = static_cast<std::uint8_t>(length_ + n);
        return *this;
    }
    constexpr void clear() { length_ = 0; }

    constexpr std::int32_t size() const { return length_; }
    constexpr std::string_view view() const { return {bytes_, length_}; }
    constexpr operator std::string_view() const { return view(); }

private:
    std::uint8_t length_ = 0;
    char bytes_[capacity] = {};
};

}  // namespace con
