// Whether the letters typed so far can still become a Vietnamese syllable.
#pragma once

#include "lurcore/core/syllable.h"

#include <array>
#include <cstdint>

namespace lurcore::core {

// True while the letters are the start of a valid syllable: a known onset, the start of a known rhyme,
// and no tone other than sắc or nặng on a stop final (c, ch, p, t). A vowel without a mark may still
// get one from a later key, so it stands for each of its marked forms. Checks the whole word.
bool canBeSyllable(std::span<const Letter> letters, const SyllableParts& parts, Tone tone);

// The same check kept up to date as the word changes: each letter advances an automaton of the onsets
// or of the rhymes by one step, and a change to a letter only repeats the steps from that letter on.
class SpellingCheck {
public:
    void reset() {
        upTo_ = 0;
        onsetEnd_ = 0;
    }
    // Letters from this one on are not what the last check saw.
    void changedFrom(int letter) {
        if (letter < upTo_) {
            upTo_ = letter;
        }
    }
    bool check(std::span<const Letter> letters, const SyllableParts& parts, Tone tone);

private:
    static constexpr int kMaxLetters = 8; // nghiêng, the longest, has seven

    std::array<std::uint16_t, kMaxLetters> states_{}; // the automaton's state after each letter
    int upTo_ = 0;                                    // states_ holds the steps of the letters before this
    int onsetEnd_ = 0;                                // letters before this went through the onsets
};

} // namespace lurcore::core
