// The composition core as it was first written: it checks the spelling of the whole word, re-encodes
// the whole word and compares it with the screen at every key. Slow and plain, it is the model the
// tests hold the composer to, edit by edit.
#pragma once

#include "lurcore/core/key_rules.h"
#include "lurcore/core/letter.h"
#include "lurcore/core/options.h"
#include "lurcore/core/syllable.h"

#include <array>
#include <string>

namespace lurcore::core::reference {

struct Edit {
    bool pass = true;
    int backspaces = 0;
    std::u16string text;
};

class Word {
public:
    bool empty() const { return keyCount_ == 0; }
    bool full() const { return keyCount_ >= kMaxKeys; }
    void clear() { *this = Word(); }

    // One letter or digit key.
    void type(char16_t key, const Options& options);
    // Takes the last letter off, with the marks that went with it, by typing the other keys again.
    void eraseLast(const Options& options);
    // The word as Unicode text: composed, or the keys as typed once they cannot form a syllable.
    std::u16string text() const;

private:
    enum class Outcome { Skipped, Applied, Undone };
    struct Key {
        char16_t ch = 0;
        bool undone = false;      // a mark taken back by a second press; it shows as nothing
        std::int8_t partner = -1; // for the second press: the key it took back
    };

    Outcome applyMark(const KeyRule& rule, int key, const Options& options);
    Outcome applyTone(const KeyRule& rule, int key, const Options& options);
    Outcome applyShape(int letter, Shape shape, int key);
    Outcome applyHorn(bool orBreve, int key);
    Outcome undoShape(int letter, int key);
    int lastInNucleus(char16_t base1, char16_t base2, char16_t base3) const;
    void appendLetter(char16_t key, int keyIndex, std::uint32_t extraKeys);
    void removeLetter(int letter);
    void fixPairs();
    void disable(char16_t key);
    bool disabled(char16_t key) const;
    bool valid() const;
    SyllableParts parts() const;
    std::span<const Letter> letters() const {
        return {letters_.data(), static_cast<std::size_t>(letterCount_)};
    }

    std::array<Key, kMaxKeys> keys_{};
    std::array<Letter, kMaxKeys> letters_{};
    int keyCount_ = 0;
    int letterCount_ = 0;
    Tone tone_ = Tone::None;
    int toneKey_ = -1;           // the key that set the tone now shown
    std::uint32_t toneKeys_ = 0; // every key that set or took off a tone
    std::uint64_t disabled_ = 0; // mark keys taken back once; they type themselves for the rest of the word
    bool broken_ = false;        // with the spelling check on: no longer a syllable, keys show as typed
    ToneStyle style_ = ToneStyle::Classic;
};

class Composer {
public:
    explicit Composer(const Options& options) : options_(options) {}
    Edit type(char16_t character);
    Edit backspace();
    void endWord();
    bool inWord() const { return !word_.empty(); }

private:
    Edit show(char16_t passKey, int passBackspaces);

    Options options_;
    Word word_;
    std::u16string shown_;
};

} // namespace lurcore::core::reference
