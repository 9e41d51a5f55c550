#include "lurcore/core/syllable.h"

namespace lurcore::core {

SyllableParts splitSyllable(std::span<const Letter> letters) {
    const int size = static_cast<int>(letters.size());
    int at = 0;
    while (at < size && !isVowel(letters[at].base)) {
        ++at;
    }
    const bool plainNext = at < size && letters[at].shape == Shape::None;
    if (at == 1 && plainNext && letters[0].base == u'q' && letters[1].base == u'u') {
        ++at;
    } else if (at == 1 && plainNext && letters[0].base == u'g' && letters[1].base == u'i' && at + 1 < size &&
               isVowel(letters[at + 1].base)) {
        ++at;
    }
    SyllableParts parts;
    parts.nucleusBegin = at;
    while (at < size && isVowel(letters[at].base)) {
        ++at;
    }
    parts.nucleusEnd = at;
    return parts;
}

} // namespace lurcore::core
