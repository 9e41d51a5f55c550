#include "lurcore/core/composer.h"

#include "lurcore/core/code_table.h"

#include <algorithm>

namespace lurcore::core {
namespace {

bool buildsWord(char16_t c) {
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

} // namespace

void Composer::setOptions(const Options& options) {
    if (!(options == options_)) {
        options_ = options;
        endWord();
    }
}

void Composer::endWord() {
    word_.clear();
    shownCharacters_ = 0;
}

Edit Composer::type(char16_t character) {
    if (!buildsWord(character)) {
        endWord();
        return {};
    }
    if (word_.full()) {
        endWord(); // a run of letters this long is no Vietnamese word; start afresh
    }
    word_.type(character, options_);
    return show(character, 0);
}

Edit Composer::backspace() {
    if (!inWord()) {
        return {};
    }
    word_.eraseLast(options_);
    return show(0, 1);
}

// Encodes the word from its first changed character, compares that with what is on screen from the
// same place and sends only the difference; when that is exactly what the key itself would do, the key
// goes through.
Edit Composer::show(char16_t passKey, int passBackspaces) {
    const std::u16string_view text = word_.text();
    const int length = static_cast<int>(text.size());
    const int from = std::min(word_.takeChangedFrom(), std::min(length, shownCharacters_));
    const int start = shownAt_[from];
    const int shownEnd = shownAt_[shownCharacters_];

    // Each unit is compared with the one on screen at its place before it takes that place: the first
    // that differs and all after it are sent.
    Edit edit;
    int units = start;
    int same = start;
    for (int at = from; at < length; ++at) {
        shownAt_[at] = static_cast<std::uint8_t>(units);
        char16_t encoded[kMaxUnitsPerCharacter];
        const int count = encodeInto(encoded, text[at], options_.codeTable);
        for (int unit = 0; unit < count; ++unit, ++units) {
            if (same == units && units < shownEnd && shown_[units] == encoded[unit]) {
                ++same;
            } else {
                edit.text.push_back(encoded[unit]);
            }
            shown_[units] = encoded[unit];
        }
    }
    shownAt_[length] = static_cast<std::uint8_t>(units);
    shownCharacters_ = length;

    edit.backspaces = shownEnd - same;
    edit.pass = edit.backspaces == passBackspaces &&
                (passKey == 0 ? edit.text.empty() : edit.text.size() == 1 && edit.text[0] == passKey);
    if (edit.pass) {
        edit.backspaces = 0;
        edit.text.clear();
    }
    return edit;
}

} // namespace lurcore::core
