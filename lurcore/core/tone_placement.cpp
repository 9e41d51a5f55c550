#include "lurcore/core/tone_placement.h"

namespace lurcore::core {

int tonePosition(std::span<const Letter> letters, const SyllableParts& parts) {
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
    // Three vowels: the middle (ngoài, khuỷu); two: the first, which keeps hòa, khỏe, thủy.
    return vowels >= 3 ? begin + 1 : begin;
}

} // namespace lurcore::core
