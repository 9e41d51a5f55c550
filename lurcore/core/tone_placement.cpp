#include "lurcore/core/tone_placement.h"

namespace lurcore::core {

int tonePosition(std::span<const Letter> letters, const SyllableParts& parts, ToneStyle style) {
    const int begin = parts.nucleusBegin;
    const int end = parts.nucleusEnd;
    if (begin == end) {
        return -1;
    }
    // A vowel with a hat, horn or breve takes the mark; in ươ the second one.
    for (int at = end - 1; at >= begin; --at) {
        if (letters[at].shape != Shape::None) {
            return at;
        }
    }
    const int vowels = end - begin;
    if (vowels == 1) {
        return begin;
    }
    if (end < static_cast<int>(letters.size())) {
        return end - 1; // toán, thuyền: a final consonant puts it on the last vowel
    }
    if (vowels >= 3) {
        return begin + 1; // ngoài, khuỷu
    }
    // Two: the first (hòa, khỏe, thủy), except oa, oe and uy in the modern style (hoà, khoẻ, thuỷ).
    if (style == ToneStyle::Modern) {
        const char16_t first = letters[begin].base;
        const char16_t second = letters[begin + 1].base;
        if ((first == u'o' && (second == u'a' || second == u'e')) || (first == u'u' && second == u'y')) {
            return begin + 1;
        }
    }
    return begin;
}

} // namespace lurcore::core
