// The Telex and VNI keys that put marks on the word, as data.
#pragma once

#include "lurcore/core/letter.h"
#include "lurcore/core/options.h"

namespace lurcore::core {

enum class MarkAction : std::uint8_t {
    Tone,        // put the rule's tone on the word
    ToneRemove,  // take the tone off
    Hat,         // â ê ô
    Breve,       // ă
    Horn,        // ơ ư, and ươ on a uo pair
    HornOrBreve, // Telex w: ươ, ưa, oă, ư, ơ, ă, or ư alone
    Stroke,      // đ
};

struct KeyRule {
    char16_t key; // lower-case key
    MarkAction action;
    char16_t target; // the only vowel the key applies to, 0 for any that can take the mark
    Tone tone;
};

// The rule of a lower-case key in the input method, null when the key only types itself.
const KeyRule* findKeyRule(InputMethod method, char16_t key);

} // namespace lurcore::core
