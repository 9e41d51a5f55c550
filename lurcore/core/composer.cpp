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

    std::array<char16_t, EditText::kCapacity + 1> next; // one spare: a character may write two units
    int units = 0;
    for (int at = from; at < length; ++at) {
        shownAt_[at] = static_cast<std::uint8_t>(start + units);
        units += encodeInto(next.data() + units, text[at], options_.codeTable);
    }
    shownAt_[length] = static_cast<std::uint8_t>(start + units);
    shownCharacters_ = length;

    int same = 0;
    while (start + same < shownEnd && same < units && shown_[start + same] == next[same]) {
        ++same;
    }
    Edit edit;
    edit.backspaces = shownEnd - start - same;
    const std::u16string_view changed(next.data() + same, static_cast<std::size_t>(units - same));
    std::copy(changed.begin(), changed.end(), shown_.begin() + start + same);
    const bool keyDoesIt = edit.backspaces == passBackspaces &&
                           (passKey == 0 ? changed.empty() : changed.size() == 1 && changed[0] == passKey);
    edit.pass = keyDoesIt;
    if (keyDoesIt) {
        edit.backspaces = 0;
    } else {
        edit.text.assign(changed);
    }
    return edit;
}

} // namespace lurcore::core
