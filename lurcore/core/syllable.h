// Where the onset, the vowels and the final consonants of a word's letters lie.
#pragma once

#include "lurcore/core/letter.h"

#include <span>

namespace lurcore::core {

// Onset [0, nucleusBegin), vowels [nucleusBegin, nucleusEnd), finals [nucleusEnd, size).
struct SyllableParts {
    int nucleusBegin = 0;
    int nucleusEnd = 0;

    bool hasVowel() const { return nucleusEnd > nucleusBegin; }
};

// qu is always an onset; gi is one when another vowel follows (gia, giữ), otherwise i is the vowel (gì).
SyllableParts splitSyllable(std::span<const Letter> letters);

} // namespace lurcore::core
