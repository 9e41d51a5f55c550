// Turning composed Unicode text into the code units of the chosen code table.
#pragma once

#include "lurcore/core/options.h"

#include <string>
#include <string_view>

namespace lurcore::core {

// The most code units one character takes in any table: VNI Windows writes a letter as its base and
// a mark. The capacities of everything the engine composes and sends are counted from it.
inline constexpr int kMaxUnitsPerCharacter = 2;

// Writes one character in the table at out and returns how many code units it took (one or two):
// Unicode as it is; for the legacy tables each byte b becomes the code unit U+00b. ASCII is the same
// in all three.
inline int encodeInto(char16_t* out, char16_t character, CodeTable table);
// The legacy tables' units of a letter outside ASCII.
int encodeLegacy(char16_t* out, char16_t character, CodeTable table);
void appendEncoded(std::u16string& out, char16_t character, CodeTable table);
std::u16string encode(std::u16string_view text, CodeTable table);

inline int encodeInto(char16_t* out, char16_t character, CodeTable table) {
    if (table == CodeTable::Unicode || character < 0x80) {
        out[0] = character;
        return 1;
    }
    return encodeLegacy(out, character, table);
}

} // namespace lurcore::core
