// Which letter of the word carries the tone mark.
#pragma once

#include "lurcore/core/options.h"
#include "lurcore/core/syllable.h"

namespace lurcore::core {

// The index of the letter that carries the tone, -1 when the word has no vowel. Moves as the word grows.
int tonePosition(std::span<const Letter> letters, const SyllableParts& parts,
                 ToneStyle style = ToneStyle::Classic);

} // namespace lurcore::core
