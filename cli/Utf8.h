// UTF-8 as the terminal and the calendar file see it: octets, characters.
#pragma once

#include <string>
#include <string_view>

namespace selenara {

// Whether an octet continues a character rather than starting one.
constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first `count` characters of a UTF-8 text.
inline std::string Leading(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size() && taken < count; ++taken)
        for (++end; end < text.size() && IsContinuationByte(text[end]);) ++end;
    return std::string(text.substr(0, end));
}

}  // namespace selenara
