#include "lurcore/core/letter_case.h"

namespace lurcore::core {
namespace {

// Ranges where upper and lower case alternate, the upper on the even (or odd) code.
bool inPairs(char16_t c, char16_t first, char16_t last) {
    return c >= first && c <= last;
}

} // namespace

char16_t upperCase(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 0x20);
    }
    if ((inPairs(c, 0x100, 0x137) || inPairs(c, 0x14A, 0x177) || inPairs(c, 0x1E00, 0x1E95) ||
         inPairs(c, 0x1EA0, 0x1EFF)) &&
        (c & 1) == 1) {
        return static_cast<char16_t>(c - 1);
    }
    if (inPairs(c, 0x139, 0x148) && (c & 1) == 0) {
        return static_cast<char16_t>(c - 1);
    }
    switch (c) {
    case 0x1A1: // ơ
        return 0x1A0;
    case 0x1B0: // ư
        return 0x1AF;
    default:
        return c;
    }
}

char16_t lowerCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if ((inPairs(c, 0x100, 0x137) || inPairs(c, 0x14A, 0x177) || inPairs(c, 0x1E00, 0x1E95) ||
         inPairs(c, 0x1EA0, 0x1EFF)) &&
        (c & 1) == 0) {
        return static_cast<char16_t>(c + 1);
    }
    if (inPairs(c, 0x139, 0x148) && (c & 1) == 1) {
        return static_cast<char16_t>(c + 1);
    }
    switch (c) {
    case 0x1A0:
        return 0x1A1;
    case 0x1AF:
        return 0x1B0;
    default:
        return c;
    }
}

} // namespace lurcore::core
