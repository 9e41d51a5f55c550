// Which form a text is in, by counting the words each form's reading turns into Vietnamese syllables.
#pragma once

#include "lurcore/convert/converter.h"

#include <optional>
#include <string_view>

namespace lurcore::convert {

struct Detection {
    Form form = Form::Unicode;
    int syllables = 0; // words with a Vietnamese letter that read as syllables
    int words = 0;     // words with any letter outside ASCII, in that reading
};

// `text` is the input read as Unicode characters, when it can be; `units` the same input as byte
// units (see decode). Unicode wins unless another form explains clearly more; nothing when the input
// is not text and no byte form reads a single Vietnamese syllable from it.
std::optional<Detection> detectForm(const std::u32string* text, std::u32string_view units);

// The words of the text with a letter outside ASCII: how many read as Vietnamese syllables, and how many
// there are in all.
void countSyllables(std::u32string_view text, int& syllables, int& words);

} // namespace lurcore::convert
