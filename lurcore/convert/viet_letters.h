// Vietnamese letters as a base letter, a shape and a tone, and the combining marks that write them.
#pragma once

#include "lurcore/core/letter.h"

#include <cstdint>
#include <string>

namespace lurcore::convert {

struct VietLetter {
    char16_t base = 0; // a e i o u y or d, lower case
    core::Shape shape = core::Shape::None;
    core::Tone tone = core::Tone::None;
    bool upper = false;
};

// True for every letter of the Vietnamese alphabet, precomposed, the plain vowels and d included.
bool splitLetter(char32_t character, VietLetter& letter);
// The precomposed character, or 0 when Unicode has none for that combination.
char32_t joinLetter(const VietLetter& letter);
// True for a Vietnamese letter outside ASCII.
bool isVietnameseLetter(char32_t character);

// The combining marks that Vietnamese letters decompose into.
inline constexpr char32_t kCombiningGrave = 0x0300, kCombiningAcute = 0x0301, kCombiningHat = 0x0302,
                          kCombiningTilde = 0x0303, kCombiningBreve = 0x0306, kCombiningHook = 0x0309,
                          kCombiningHorn = 0x031B, kCombiningDot = 0x0323;
bool isVietnameseMark(char32_t character);

// Puts each base letter and the Vietnamese marks after it together into one character, whatever order the
// marks come in and however much of the letter was already precomposed. Marks that make no letter stay.
void composeLetters(std::u32string& text);
// A Vietnamese letter as its base letter and combining marks in canonical order; any other
// character as it is.
void appendDecomposed(std::u32string& out, char32_t character);

} // namespace lurcore::convert
