// The system's virtual-key numbers that the key handler looks at, so the core needs no Windows header.
#pragma once

#include <cstdint>

namespace lurcore::core::vk {

inline constexpr std::uint16_t kBack = 0x08;
inline constexpr std::uint16_t kReturn = 0x0D;
inline constexpr std::uint16_t kShift = 0x10;
inline constexpr std::uint16_t kControl = 0x11;
inline constexpr std::uint16_t kMenu = 0x12; // Alt
inline constexpr std::uint16_t kCapital = 0x14;
inline constexpr std::uint16_t kSpace = 0x20;
inline constexpr std::uint16_t kLeft = 0x25;
inline constexpr std::uint16_t kDigit0 = 0x30;
inline constexpr std::uint16_t kDigit9 = 0x39;
inline constexpr std::uint16_t kA = 0x41;
inline constexpr std::uint16_t kZ = 0x5A;
inline constexpr std::uint16_t kLWin = 0x5B;
inline constexpr std::uint16_t kRWin = 0x5C;
inline constexpr std::uint16_t kMultiply = 0x6A; // the number pad's * + , - . /
inline constexpr std::uint16_t kSeparator = 0x6C;
inline constexpr std::uint16_t kDivide = 0x6F;
inline constexpr std::uint16_t kLShift = 0xA0;
inline constexpr std::uint16_t kRShift = 0xA1;
inline constexpr std::uint16_t kLControl = 0xA2;
inline constexpr std::uint16_t kRControl = 0xA3;
inline constexpr std::uint16_t kLMenu = 0xA4;
inline constexpr std::uint16_t kRMenu = 0xA5;
inline constexpr std::uint16_t kOem1 = 0xBA; // ; = , - . / ` on a US keyboard
inline constexpr std::uint16_t kOem3 = 0xC0;
inline constexpr std::uint16_t kOem4 = 0xDB; // [ \ ] ' and the eighth
inline constexpr std::uint16_t kOem8 = 0xDF;
inline constexpr std::uint16_t kOem102 = 0xE2;

} // namespace lurcore::core::vk
