#include "lurcore/core/composer.h"

#include "lurcore/core/code_table.h"

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
    shown_.clear();
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

// Compares the new text with what is on screen and sends only the difference; when that is exactly
// what the key itself would do, the key goes through.
Edit Composer::show(char16_t passKey, int passBackspaces) {
    const std::u16string next = encode(word_.text(), options_.codeTable);
    std::size_t same = 0;
    while (same < shown_.size() && same < next.size() && shown_[same] == next[same]) {
        ++same;
    }
    Edit edit;
    edit.backspaces = static_cast<int>(shown_.size() - same);
    edit.text = next.substr(same);
    shown_ = next;
    const bool keyDoesIt =
        edit.backspaces == passBackspaces &&
        (passKey == 0 ? edit.text.empty() : edit.text.size() == 1 && edit.text[0] == passKey);
    edit.pass = keyDoesIt;
    if (keyDoesIt) {
        edit.backspaces = 0;
        edit.text.clear();
    }
    if (word_.empty()) {
        shown_.clear();
    }
    return edit;
}

} // namespace lurcore::core
