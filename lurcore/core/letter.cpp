#include "lurcore/core/letter.h"

#include <array>

namespace lurcore::core {
namespace {

using VowelForms = std::array<std::array<char16_t, 6>, 12>;

// Rows a ă â e ê i o ô ơ u ư y; columns no tone, sắc, huyền, hỏi, ngã, nặng.
const VowelForms kLowerVowels = {{
    {0x0061, 0x00E1, 0x00E0, 0x1EA3, 0x00E3, 0x1EA1}, // a
    {0x0103, 0x1EAF, 0x1EB1, 0x1EB3, 0x1EB5, 0x1EB7}, // ă
    {0x00E2, 0x1EA5, 0x1EA7, 0x1EA9, 0x1EAB, 0x1EAD}, // â
    {0x0065, 0x00E9, 0x00E8, 0x1EBB, 0x1EBD, 0x1EB9}, // e
    {0x00EA, 0x1EBF, 0x1EC1, 0x1EC3, 0x1EC5, 0x1EC7}, // ê
    {0x0069, 0x00ED, 0x00EC, 0x1EC9, 0x0129, 0x1ECB}, // i
    {0x006F, 0x00F3, 0x00F2, 0x1ECF, 0x00F5, 0x1ECD}, // o
    {0x00F4, 0x1ED1, 0x1ED3, 0x1ED5, 0x1ED7, 0x1ED9}, // ô
    {0x01A1, 0x1EDB, 0x1EDD, 0x1EDF, 0x1EE1, 0x1EE3}, // ơ
    {0x0075, 0x00FA, 0x00F9, 0x1EE7, 0x0169, 0x1EE5}, // u
    {0x01B0, 0x1EE9, 0x1EEB, 0x1EED, 0x1EEF, 0x1EF1}, // ư
    {0x0079, 0x00FD, 0x1EF3, 0x1EF7, 0x1EF9, 0x1EF5}, // y
}};
const VowelForms kUpperVowels = {{
    {0x0041, 0x00C1, 0x00C0, 0x1EA2, 0x00C3, 0x1EA0}, // A
    {0x0102, 0x1EAE, 0x1EB0, 0x1EB2, 0x1EB4, 0x1EB6}, // Ă
    {0x00C2, 0x1EA4, 0x1EA6, 0x1EA8, 0x1EAA, 0x1EAC}, // Â
    {0x0045, 0x00C9, 0x00C8, 0x1EBA, 0x1EBC, 0x1EB8}, // E
    {0x00CA, 0x1EBE, 0x1EC0, 0x1EC2, 0x1EC4, 0x1EC6}, // Ê
    {0x0049, 0x00CD, 0x00CC, 0x1EC8, 0x0128, 0x1ECA}, // I
    {0x004F, 0x00D3, 0x00D2, 0x1ECE, 0x00D5, 0x1ECC}, // O
    {0x00D4, 0x1ED0, 0x1ED2, 0x1ED4, 0x1ED6, 0x1ED8}, // Ô
    {0x01A0, 0x1EDA, 0x1EDC, 0x1EDE, 0x1EE0, 0x1EE2}, // Ơ
    {0x0055, 0x00DA, 0x00D9, 0x1EE6, 0x0168, 0x1EE4}, // U
    {0x01AF, 0x1EE8, 0x1EEA, 0x1EEC, 0x1EEE, 0x1EF0}, // Ư
    {0x0059, 0x00DD, 0x1EF2, 0x1EF6, 0x1EF8, 0x1EF4}, // Y
}};

// Row of the vowel table, or -1 when the letter takes no precomposed form with that shape.
int vowelRow(char16_t base, Shape shape) {
    switch (base) {
    case u'a':
        return shape == Shape::None ? 0 : shape == Shape::Breve ? 1 : shape == Shape::Hat ? 2 : -1;
    case u'e':
        return shape == Shape::None ? 3 : shape == Shape::Hat ? 4 : -1;
    case u'i':
        return shape == Shape::None ? 5 : -1;
    case u'o':
        return shape == Shape::None ? 6 : shape == Shape::Hat ? 7 : shape == Shape::Horn ? 8 : -1;
    case u'u':
        return shape == Shape::None ? 9 : shape == Shape::Horn ? 10 : -1;
    case u'y':
        return shape == Shape::None ? 11 : -1;
    default:
        return -1;
    }
}

} // namespace

char16_t shapedChar(char16_t base, Shape shape) {
    if (base == u'd' && shape == Shape::Stroke) {
        return u'đ';
    }
    const int row = vowelRow(base, shape);
    return row < 0 ? base : kLowerVowels[row][0];
}

char16_t composeLetter(const Letter& letter, Tone tone) {
    if (letter.base == u'd' && letter.shape == Shape::Stroke) {
        return letter.upper ? u'Đ' : u'đ';
    }
    const int row = vowelRow(letter.base, letter.shape);
    if (row < 0 || (letter.shape == Shape::None && tone == Tone::None)) {
        return letter.typed;
    }
    const auto& forms = letter.upper ? kUpperVowels : kLowerVowels;
    return forms[row][static_cast<int>(tone)];
}

} // namespace lurcore::core
