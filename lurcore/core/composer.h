// One key event in, one edit out: the composition core that the keyboard hook drives.
#pragma once

#include "lurcore/core/code_table.h"
#include "lurcore/core/options.h"
#include "lurcore/core/word.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace lurcore::core {

// The text of an edit, held inline: a whole word in the widest table at most. Nothing the composer
// makes is longer (see the checks below), so nothing is ever cut here.
class EditText {
public:
    static constexpr int kCapacity = kMaxUnitsPerCharacter * kMaxKeys;

    EditText() {} // not = default: an empty text need not clear its units
    EditText(std::u16string_view text) { assign(text); }
    EditText(const char16_t* text) : EditText(std::u16string_view(text)) {}

    void assign(std::u16string_view text) {
        size_ = static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), kCapacity));
        std::copy_n(text.data(), size_, units_.data());
    }
    void clear() { size_ = 0; }
    void push_back(char16_t unit) {
        if (size_ < kCapacity) {
            units_[size_++] = unit;
        }
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char16_t* data() const { return units_.data(); }
    const char16_t* begin() const { return units_.data(); }
    const char16_t* end() const { return units_.data() + size_; }
    char16_t operator[](std::size_t at) const { return units_[at]; }
    std::u16string_view view() const { return {units_.data(), size_}; }
    operator std::u16string_view() const { return view(); }

    bool operator==(const EditText& other) const { return view() == other.view(); }

private:
    std::array<char16_t, kCapacity> units_; // only the first size_ are written
    std::uint8_t size_ = 0;
};

// The chain of capacities from a word to what is sent: a word holds kMaxKeys keys and so at most as
// many letters, each written in at most kMaxUnitsPerCharacter units; the text on screen is counted in
// bytes (EditText's size and Composer's shownAt_).
static_assert(EditText::kCapacity >= kMaxKeys * kMaxUnitsPerCharacter, "a whole word fits an edit");
static_assert(EditText::kCapacity <= 255, "units on screen are counted in a byte");

// What to do with a key: let it through, or swallow it and send backspaces, then text, then the
// longer text of an abbreviation, then the key itself again when replayKey is set.
struct Edit {
    bool pass = true;
    int backspaces = 0;
    EditText text;                   // code units of the current code table
    std::u16string_view expansion{}; // held by the key handler until its next key
    std::uint16_t replayKey = 0;     // a virtual key to send, pressed and released, after the text

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
    // The word as it stands (Unicode) and how many code units of it are on screen.
    std::u16string_view wordText() const { return word_.text(); }
    int shownUnits() const { return shownAt_[shownCharacters_]; }

private:
    Edit show(char16_t passKey, int passBackspaces);

    Options options_;
    Word word_;
    // The word as it stands on screen, in code units of the code table, and where each of its
    // characters starts among them.
    std::array<char16_t, EditText::kCapacity> shown_{};
    std::array<std::uint8_t, kMaxKeys + 1> shownAt_{};
    int shownCharacters_ = 0;
};

} // namespace lurcore::core
