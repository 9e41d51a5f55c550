// One key event in, one edit out: the composition core that the keyboard hook drives.
#pragma once

#include "lurcore/core/options.h"
#include "lurcore/core/word.h"

#include <string>

namespace lurcore::core {

// What to do with a key: let it through, or swallow it and send backspaces then text.
struct Edit {
    bool pass = true;
    int backspaces = 0;
    std::u16string text; // code units of the current code table

    bool operator==(const Edit&) const = default;
};

class Composer {
public:
    explicit Composer(const Options& options = {}) : options_(options) {}

    // A new choice ends the word: what is on screen was made under the old one.
    void setOptions(const Options& options);
    const Options& options() const { return options_; }

    // A character key as it types (case already applied). Letters and digits build the word;
    // anything else ends it and goes through.
    Edit type(char16_t character);
    // Backspace takes the last letter of the word off; outside a word it goes through.
    Edit backspace();
    // Space, Enter, navigation, a click, another window: the next key starts a new word.
    void endWord();
    bool inWord() const { return !word_.empty(); }

private:
    Edit show(char16_t passKey, int passBackspaces);

    Options options_;
    Word word_;
    std::u16string shown_; // the word as it stands on screen, in code units
};

} // namespace lurcore::core
