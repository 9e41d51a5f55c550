// Whether the letters typed so far can still become a Vietnamese syllable.
#pragma once

#include "lurcore/core/syllable.h"

namespace lurcore::core {

// True while the letters are the start of a valid syllable: a known onset, the start of a known rhyme,
// and no tone other than sắc or nặng on a stop final (c, ch, p, t). A vowel without a mark may still
// get one from a later key, so it stands for each of its marked forms.
bool canBeSyllable(std::span<const Letter> letters, const SyllableParts& parts, Tone tone);

} // namespace lurcore::core
