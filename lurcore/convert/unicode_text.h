// Unicode text as bytes: UTF-8 and UTF-16, read strictly and written from characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lurcore::convert {

// False when the bytes are not well-formed UTF-8; `badAt` is then the offset of the first bad byte.
bool readUtf8(std::string_view bytes, std::u32string& text, std::size_t& badAt);
void appendUtf8(std::string& out, char32_t character);
std::string toUtf8(std::u32string_view text);

// UTF-16 code units, little- or big-endian; false on an odd length or a lone surrogate.
bool readUtf16(std::string_view bytes, bool bigEndian, std::u32string& text);
std::u32string fromUtf16(std::u16string_view units); // a lone surrogate becomes U+FFFD
std::u16string toUtf16(std::u32string_view text);

} // namespace lurcore::convert
