#include "lurcore/core/abbreviations.h"

#include "lurcore/core/code_table.h"
#include "lurcore/core/letter_case.h"

#include <algorithm>
#include <array>

namespace lurcore::core {
namespace {

bool isLetter(char16_t c) {
    return lowerCase(c) != upperCase(c);
}

bool keyLess(const std::pair<std::u16string, std::u16string>& entry, std::u16string_view key) {
    return std::u16string_view(entry.first) < key;
}

} // namespace

bool Abbreviations::validKey(std::u16string_view key) {
    if (key.empty() || key.size() > kMaxKey) {
        return false;
    }
    return std::all_of(key.begin(), key.end(),
                       [](char16_t c) { return isLetter(c) || (c >= u'0' && c <= u'9'); });
}

bool Abbreviations::add(std::u16string_view key, std::u16string_view text) {
    if (!validKey(key) || !fits(text)) {
        return false;
    }
    std::u16string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerCase);
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), std::u16string_view(lower), keyLess);
    if (at != entries_.end() && at->first == lower) {
        at->second = text;
    } else {
        entries_.emplace(at, std::move(lower), std::u16string(text));
    }
    return true;
}

int Abbreviations::expand(std::u16string_view word, CodeTable table,
                          std::span<char16_t, kMaxUnits> out) const {
    if (entries_.empty() || word.empty() || word.size() > kMaxKey) {
        return -1;
    }
    std::array<char16_t, kMaxKey> lower{};
    int capitals = 0;
    int letters = 0;
    for (std::size_t at = 0; at < word.size(); ++at) {
        lower[at] = lowerCase(word[at]);
        if (isLetter(word[at])) {
            ++letters;
            capitals += lower[at] != word[at] ? 1 : 0;
        }
    }
    const std::u16string_view key(lower.data(), word.size());
    const auto found = std::lower_bound(entries_.begin(), entries_.end(), key, keyLess);
    if (found == entries_.end() || found->first != key) {
        return -1;
    }
    const bool allCapitals = letters >= 2 && capitals == letters;
    const bool firstCapital = lower[0] != word[0];
    int units = 0;
    bool first = true;
    for (char16_t c : found->second) {
        if (allCapitals || (firstCapital && first && isLetter(c))) {
            c = upperCase(c);
        }
        first = first && !isLetter(c);
        char16_t encoded[kMaxUnitsPerCharacter];
        const int count = encodeInto(encoded, c, table);
        if (units + count > static_cast<int>(kMaxUnits)) {
            return -1; // cannot happen (add() takes only texts that fit); never a text cut short
        }
        for (int unit = 0; unit < count; ++unit) {
            out[static_cast<std::size_t>(units++)] = encoded[unit];
        }
    }
    return units;
}

} // namespace lurcore::core
