// The legacy bytes of each Vietnamese letter, compiled in so that the DLL needs no file beside it.
#pragma once

#include <array>
#include <cstdint>

namespace lurcore::core {

struct Glyph {
    char16_t unicode;
    std::uint8_t tcvn3;              // TCVN3 has one byte per letter; a toned capital shares the small one's
    std::array<std::uint8_t, 2> vni; // VNI Windows: a base letter and a mark byte, or one byte
    std::uint8_t vniLength;
};

extern const std::array<Glyph, 134> kGlyphs; // sorted by unicode

} // namespace lurcore::core
