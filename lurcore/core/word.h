// The word being composed: the keys typed since it started, and the letters they make.
#pragma once

#include "lurcore/core/key_rules.h"
#include "lurcore/core/letter.h"
#include "lurcore/core/options.h"
#include "lurcore/core/spelling.h"
#include "lurcore/core/syllable.h"

#include <array>
#include <string>
#include <string_view>

namespace lurcore::core {

class Word {
public:
    bool empty() const { return keyCount_ == 0; }
    bool full() const { return keyCount_ >= kMaxKeys; }
    void clear();

    // One letter or digit key.
    void type(char16_t key, const Options& options);
    // Takes the last letter off, with the marks that went with it, by typing the other keys again.
    void eraseLast(const Options& options);

    // The word as Unicode text: composed, or the keys as typed once they cannot form a syllable.
    std::u16string_view text() const { return {text_.data(), static_cast<std::size_t>(textLength_)}; }
    // The first character of text() that may differ from what it was at the last call; no more than
    // the length of the text.
    int takeChangedFrom();

private:
    enum class Outcome { Skipped, Applied, Undone };
    struct Key {
        char16_t ch = 0;
        bool undone = false;      // a mark taken back by a second press; it shows as nothing
        std::int8_t partner = -1; // for the second press: the key it took back
    };
    // What a mark key changed, so that a mark that spoils the syllable can be taken back.
    struct Undo {
        std::array<std::int8_t, kMaxKeys> at{};
        std::array<Letter, kMaxKeys> letters{};
        int count = 0;
        std::uint32_t saved = 0; // the letters already kept
        int letterCount = 0;
        Tone tone = Tone::None;
        int toneKey = -1;
        std::uint32_t toneKeys = 0;
    };
    static constexpr int kNothingChanged = kMaxKeys + 1;

    Outcome applyMark(const KeyRule& rule, int key, const Options& options);
    Outcome applyTone(const KeyRule& rule, int key, const Options& options);
    Outcome applyShape(int letter, Shape shape, int key);
    Outcome applyHorn(bool orBreve, int key);
    Outcome undoShape(int letter, int key);
    char16_t quickTelexLetter(char16_t lower, int key);
    int lastInNucleus(char16_t base1, char16_t base2, char16_t base3);
    void appendLetter(char16_t key, int keyIndex, std::uint32_t extraKeys);
    void removeLetter(int letter);
    void fixPairs();
    void disable(char16_t key);
    bool disabled(char16_t key) const;
    bool valid();
    const SyllableParts& parts();
    std::span<const Letter> letters() const {
        return {letters_.data(), static_cast<std::size_t>(letterCount_)};
    }
    // Every change to a letter goes through here first.
    Letter& change(int letter);
    void startUndo();
    void rollBack();
    void updateText();

    std::array<Key, kMaxKeys> keys_{};
    std::array<Letter, kMaxKeys> letters_{};
    int keyCount_ = 0;
    int letterCount_ = 0;
    Tone tone_ = Tone::None;
    int toneKey_ = -1;           // the key that set the tone now shown
    std::uint32_t toneKeys_ = 0; // every key that set or took off a tone
    std::uint64_t disabled_ = 0; // mark keys taken back once; they type themselves for the rest of the word
    bool broken_ = false;        // with the spelling check on: no longer a syllable, keys show as typed
    bool paired_ = false;        // a letter of the word was horned as the u of a uo pair
    ToneStyle style_ = ToneStyle::Classic;

    SyllableParts parts_;
    bool partsKnown_ = false;
    SpellingCheck spelling_;
    bool undoing_ = false; // a mark key is being tried: changes are kept in undo_
    Undo undo_;

    std::array<char16_t, kMaxKeys> text_{};
    int textLength_ = 0;
    int letterChangedFrom_ = 0; // letters before this are as text_ shows them
    int textChangedFrom_ = 0;   // characters before this are as the caller last saw them
    bool textBroken_ = false;   // text_ shows the keys as typed
    int textToneAt_ = -1;       // the letter that carries the tone in text_
    Tone textTone_ = Tone::None;
};

} // namespace lurcore::core
