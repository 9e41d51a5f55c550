// The user's abbreviations: a word typed as its key becomes the text when the word ends.
#pragma once

#include "lurcore/core/code_table.h"
#include "lurcore/core/letter.h"
#include "lurcore/core/options.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lurcore::core {

class Abbreviations {
public:
    static constexpr std::size_t kMaxKey = kMaxKeys; // characters: a key is one word the composer holds
    static constexpr std::size_t kMaxText = 255;     // characters (UTF-16 units) of an expansion
    static constexpr std::size_t kMaxUnits = kMaxUnitsPerCharacter * kMaxText; // in the widest table

    // Whether a key can be typed as one word: letters (Vietnamese ones too) and digits.
    static bool validKey(std::u16string_view key);
    // Whether the text is short enough to be sent whole, as one piece of input, in any table.
    static bool fits(std::u16string_view text) { return text.size() <= kMaxText; }
    // Adds an abbreviation, or replaces the one with the same key (compared without case). A key that
    // is not valid or a text that does not fit is refused (false); the reader of the user's file
    // checks both first and says why.
    bool add(std::u16string_view key, std::u16string_view text);
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // When the word on screen is a key: its text in the word's case (vn, Vn, VN give the text as
    // written, with its first letter capital, all in capitals), encoded in the table into `out`.
    // Returns the number of code units written, or -1 when the word is no key. Allocates nothing.
    int expand(std::u16string_view word, CodeTable table, std::span<char16_t, kMaxUnits> out) const;

private:
    std::vector<std::pair<std::u16string, std::u16string>> entries_; // by lower-case key, sorted
};

} // namespace lurcore::core
