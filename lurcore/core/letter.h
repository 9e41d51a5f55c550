// One letter of the word being composed, and how a letter becomes a Unicode character.
#pragma once

#include <cstdint>

namespace lurcore::core {

// The marks that change a letter itself; Stroke makes d into đ.
enum class Shape : std::uint8_t { None, Hat, Breve, Horn, Stroke };
// In the order of the VNI digits 1 to 5.
enum class Tone : std::uint8_t { None, Acute, Grave, Hook, Tilde, Dot };

inline constexpr int kMaxKeys = 32; // keys per word; one bit each in Letter::keys

struct Letter {
    char16_t typed = 0; // the key as typed, case kept
    char16_t base = 0;  // lower-case letter, or the typed character when it is not a letter
    Shape shape = Shape::None;
    bool upper = false;
    bool byPair = false;       // the u of a uo pair horned by one key; it shows its horn only inside a word
    std::int8_t shapeKey = -1; // the key that gave the shape
    std::uint32_t keys = 0;    // the keys this letter is made of
};

constexpr bool isVowel(char16_t base) {
    constexpr std::uint32_t kVowels =
        1u << 0 | 1u << 4 | 1u << 8 | 1u << 14 | 1u << 20 | 1u << 24; // a e i o u y
    const unsigned at = static_cast<unsigned>(base - u'a');
    return at < 26 && (kVowels >> at & 1) != 0;
}

constexpr char16_t toLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}
constexpr bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The lower-case letter with its shape and no tone (â, ơ, đ); the base itself for any other pair.
char16_t shapedChar(char16_t base, Shape shape);
// The shaped letter with its tone in its case, precomposed; letters without a form come back as typed.
char16_t composeLetter(const Letter& letter, Tone tone);

} // namespace lurcore::core
