// UTF-8 as the terminal and the calendar file see it: octets, characters.
#pragma once

namespace selenara {

// Whether an octet continues a character rather than starting one.
constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace selenara
