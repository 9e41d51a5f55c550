// The 8-bit tables: what each byte stands for in VISCII, Windows-1258 and Windows-1252, and the
// engine's TCVN3 and VNI Windows letters read back from their bytes.
#pragma once

#include <array>
#include <cstdint>

namespace lurcore::convert {

// The character each byte 0x80..0xFF stands for; bytes a code page leaves undefined stand for
// U+0080..U+00FF, as Windows reads them.
extern const std::array<char16_t, 128> kViscii;
extern const std::array<char16_t, 128> kWindows1258;
extern const std::array<char16_t, 32> kWindows1252Low; // 0x80..0x9F; above that it is Latin-1
// VISCII also puts six capitals in place of control characters.
struct ControlLetter {
    std::uint8_t byte;
    char16_t character;
};
extern const std::array<ControlLetter, 6> kVisciiControls;

char32_t windows1252(std::uint8_t byte);
// The byte Windows-1252 writes the character with, or -1.
int windows1252Byte(char32_t character);

} // namespace lurcore::convert
