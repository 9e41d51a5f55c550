#include "lurcore/core/word.h"

#include "lurcore/core/spelling.h"
#include "lurcore/core/tone_placement.h"

namespace lurcore::core {
namespace {

constexpr std::uint32_t bit(int key) {
    return std::uint32_t{1} << key;
}

int keySlot(char16_t lower) {
    if (lower >= u'a' && lower <= u'z') {
        return lower - u'a';
    }
    if (lower >= u'0' && lower <= u'9') {
        return 26 + (lower - u'0');
    }
    return -1;
}

} // namespace

void Word::clear() {
    keyCount_ = 0;
    letterCount_ = 0;
    tone_ = Tone::None;
    toneKey_ = -1;
    toneKeys_ = 0;
    disabled_ = 0;
    broken_ = false;
    paired_ = false;
    partsKnown_ = false;
    spelling_.reset();
    undoing_ = false;
    textLength_ = 0;
    letterChangedFrom_ = 0;
    textChangedFrom_ = 0;
    textBroken_ = false;
    textToneAt_ = -1;
    textTone_ = Tone::None;
}

const SyllableParts& Word::parts() {
    if (!partsKnown_) {
        parts_ = splitSyllable(letters());
        partsKnown_ = true;
    }
    return parts_;
}

bool Word::valid() {
    return spelling_.check(letters(), parts(), tone_);
}

Letter& Word::change(int at) {
    if (undoing_ && (undo_.saved & bit(at)) == 0) {
        undo_.saved |= bit(at);
        undo_.at[undo_.count] = static_cast<std::int8_t>(at);
        undo_.letters[undo_.count] = letters_[at];
        ++undo_.count;
    }
    if (at < letterChangedFrom_) {
        letterChangedFrom_ = at;
    }
    spelling_.changedFrom(at);
    partsKnown_ = false;
    return letters_[at];
}

void Word::startUndo() {
    undoing_ = true;
    undo_.count = 0;
    undo_.saved = 0;
    undo_.letterCount = letterCount_;
    undo_.tone = tone_;
    undo_.toneKey = toneKey_;
    undo_.toneKeys = toneKeys_;
}

void Word::rollBack() {
    undoing_ = false;
    for (int at = 0; at < undo_.count; ++at) {
        change(undo_.at[at]) = undo_.letters[at];
    }
    letterCount_ = undo_.letterCount;
    tone_ = undo_.tone;
    toneKey_ = undo_.toneKey;
    toneKeys_ = undo_.toneKeys;
}

void Word::disable(char16_t key) {
    const int slot = keySlot(key);
    if (slot >= 0) {
        disabled_ |= std::uint64_t{1} << slot;
    }
}

bool Word::disabled(char16_t key) const {
    const int slot = keySlot(key);
    return slot >= 0 && (disabled_ >> slot & 1) != 0;
}

void Word::type(char16_t key, const Options& options) {
    const int index = keyCount_++;
    keys_[index] = Key{key, false, -1};
    if (broken_) {
        updateText();
        return;
    }
    style_ = options.toneStyle;
    const char16_t lower = toLower(key);
    if (options.quickTelex && options.inputMethod == InputMethod::Telex) {
        if (const char16_t second = quickTelexLetter(lower, index); second != 0) {
            appendLetter(key == lower ? second : char16_t(second - u'a' + u'A'), index, 0);
            broken_ = options.spellCheck && !valid();
            updateText();
            return;
        }
    }
    const KeyRule* rule = findKeyRule(options.inputMethod, lower);
    if (rule != nullptr && !disabled(lower)) {
        startUndo();
        const Outcome outcome = applyMark(*rule, index, options);
        fixPairs();
        undoing_ = false;
        if (outcome == Outcome::Undone) {
            broken_ = options.spellCheck && !valid();
            updateText();
            return;
        }
        if (outcome == Outcome::Applied) {
            if (!options.spellCheck || valid()) {
                updateText();
                return;
            }
            rollBack(); // the mark would spoil the syllable: the key types itself instead
        }
    }
    appendLetter(key, index, 0);
    fixPairs();
    broken_ = options.spellCheck && !valid();
    updateText();
}

// Quick Telex: a consonant typed twice where it stands alone at the start (cc gg kk nn pp qq tt) or as
// the final after the vowels (cc nn) becomes the pair it starts. The letter the second key adds, or 0.
char16_t Word::quickTelexLetter(char16_t lower, int key) {
    constexpr std::u16string_view kFirsts = u"cgknpqt";
    constexpr std::u16string_view kSeconds = u"hihghuh";
    const std::size_t at = kFirsts.find(lower);
    if (at == std::u16string_view::npos || key == 0 || letterCount_ == 0 || keys_[key - 1].undone ||
        toLower(keys_[key - 1].ch) != lower) {
        return 0;
    }
    const Letter& last = letters_[letterCount_ - 1];
    if (last.base != lower || last.shape != Shape::None || last.keys != bit(key - 1)) {
        return 0;
    }
    const bool alone = letterCount_ == 1;
    const bool final =
        (lower == u'c' || lower == u'n') && parts().hasVowel() && parts().nucleusEnd == letterCount_ - 1;
    return alone || final ? kSeconds[at] : 0;
}

Word::Outcome Word::applyMark(const KeyRule& rule, int key, const Options& options) {
    const SyllableParts syllable = parts();
    switch (rule.action) {
    case MarkAction::Tone:
    case MarkAction::ToneRemove:
        return applyTone(rule, key, options);
    case MarkAction::Stroke:
        return letterCount_ > 0 && letters_[0].base == u'd' ? applyShape(0, Shape::Stroke, key)
                                                            : Outcome::Skipped;
    case MarkAction::Hat: {
        if (rule.target == 0) {
            const int at = lastInNucleus(u'a', u'e', u'o');
            return at < 0 ? Outcome::Skipped : applyShape(at, Shape::Hat, key);
        }
        // Telex aa ee oo: only the last vowel, so that ngoao and khoeo keep their plain o.
        const int last = syllable.nucleusEnd - 1;
        const bool fits = syllable.hasVowel() && letters_[last].base == rule.target;
        return fits ? applyShape(last, Shape::Hat, key) : Outcome::Skipped;
    }
    case MarkAction::Breve: {
        const int at = lastInNucleus(u'a', 0, 0);
        return at < 0 ? Outcome::Skipped : applyShape(at, Shape::Breve, key);
    }
    case MarkAction::Horn:
        return applyHorn(false, key);
    case MarkAction::HornOrBreve: {
        const Outcome outcome = applyHorn(true, key);
        if (outcome != Outcome::Skipped || syllable.hasVowel()) {
            return outcome;
        }
        // Telex w with no vowel yet is ư by itself (tw, nhw).
        appendLetter(keys_[key].ch, key, 0);
        Letter& letter = change(letterCount_ - 1);
        letter.base = u'u';
        letter.shape = Shape::Horn;
        letter.shapeKey = static_cast<std::int8_t>(key);
        return Outcome::Applied;
    }
    }
    return Outcome::Skipped;
}

Word::Outcome Word::applyTone(const KeyRule& rule, int key, const Options& options) {
    const SyllableParts syllable = parts();
    if (!syllable.hasVowel()) {
        return Outcome::Skipped;
    }
    if (rule.action == MarkAction::ToneRemove) {
        if (tone_ == Tone::None) {
            return Outcome::Skipped;
        }
        tone_ = Tone::None;
        toneKey_ = -1;
        toneKeys_ |= bit(key);
        return Outcome::Applied;
    }
    if (options.toneRule == ToneRule::AfterVowel && syllable.nucleusEnd != letterCount_) {
        return Outcome::Skipped;
    }
    if (tone_ == rule.tone && toneKey_ >= 0) {
        // Second press: the tone goes and the key types itself (ass gives as).
        const int first = toneKey_;
        keys_[first].undone = true;
        keys_[key].partner = static_cast<std::int8_t>(first);
        toneKeys_ &= ~bit(first);
        tone_ = Tone::None;
        toneKey_ = -1;
        appendLetter(keys_[key].ch, key, bit(first));
        disable(rule.key);
        return Outcome::Undone;
    }
    tone_ = rule.tone;
    toneKey_ = key;
    toneKeys_ |= bit(key);
    return Outcome::Applied;
}

Word::Outcome Word::applyShape(int at, Shape shape, int key) {
    if (letters_[at].shape == shape) {
        return undoShape(at, key);
    }
    Letter& letter = change(at);
    // A new mark replaces the old; the other half of a horned pair loses its horn with it.
    if (letter.shapeKey >= 0) {
        for (int other = 0; other < letterCount_; ++other) {
            if (other != at && letters_[other].byPair && letters_[other].shapeKey == letter.shapeKey) {
                Letter& partner = change(other);
                partner.keys &= ~bit(partner.shapeKey);
                partner.shape = Shape::None;
                partner.byPair = false;
                partner.shapeKey = -1;
            }
        }
    }
    letter.shape = shape;
    letter.byPair = false;
    letter.shapeKey = static_cast<std::int8_t>(key);
    letter.keys |= bit(key);
    return Outcome::Applied;
}

Word::Outcome Word::undoShape(int at, int key) {
    const int first = letters_[at].shapeKey;
    if (first < 0) {
        return Outcome::Skipped;
    }
    keys_[first].undone = true;
    keys_[key].partner = static_cast<std::int8_t>(first);
    for (int other = letterCount_ - 1; other >= 0; --other) {
        if (letters_[other].shapeKey != first) {
            continue;
        }
        if (letters_[other].keys == bit(first)) {
            removeLetter(other); // the ư that a lone w made
        } else {
            Letter& letter = change(other);
            letter.keys &= ~bit(first);
            letter.shape = Shape::None;
            letter.byPair = false;
            letter.shapeKey = -1;
        }
    }
    appendLetter(keys_[key].ch, key, bit(first));
    disable(toLower(keys_[key].ch));
    return Outcome::Undone;
}

Word::Outcome Word::applyHorn(bool orBreve, int key) {
    const int begin = parts().nucleusBegin;
    const int end = parts().nucleusEnd;
    // uo takes the horn on both: ươ (and uơ at the end of the word, fixed by fixPairs).
    for (int at = begin; at + 1 < end; ++at) {
        const Letter& u = letters_[at];
        const Letter& o = letters_[at + 1];
        if (u.base != u'u' || o.base != u'o' || (u.shape != Shape::None && u.shape != Shape::Horn)) {
            continue;
        }
        if (o.shape == Shape::Horn && (u.shape == Shape::Horn || u.byPair)) {
            return undoShape(at + 1, key);
        }
        if (o.shape != Shape::Horn) {
            applyShape(at + 1, Shape::Horn, key);
        }
        if (letters_[at].shape != Shape::Horn) {
            Letter& horned = change(at);
            horned.shape = Shape::Horn;
            horned.byPair = true;
            paired_ = true;
            horned.shapeKey = static_cast<std::int8_t>(key);
            horned.keys |= bit(key);
        }
        return Outcome::Applied;
    }
    if (orBreve) {
        for (int at = begin; at + 1 < end; ++at) {
            const char16_t first = letters_[at].base;
            if (letters_[at + 1].base == u'a' && first == u'u') {
                return applyShape(at, Shape::Horn, key); // ưa
            }
            if (letters_[at + 1].base == u'a' && first == u'o') {
                return applyShape(at + 1, Shape::Breve, key); // oă
            }
        }
    }
    for (int at = begin; at < end; ++at) {
        if (letters_[at].base == u'u' || letters_[at].base == u'o') {
            return applyShape(at, Shape::Horn, key);
        }
    }
    if (orBreve) {
        const int at = lastInNucleus(u'a', 0, 0);
        if (at >= 0) {
            return applyShape(at, Shape::Breve, key);
        }
    }
    return Outcome::Skipped;
}

int Word::lastInNucleus(char16_t base1, char16_t base2, char16_t base3) {
    const SyllableParts syllable = parts();
    for (int at = syllable.nucleusEnd - 1; at >= syllable.nucleusBegin; --at) {
        const char16_t base = letters_[at].base;
        if (base == base1 || (base2 != 0 && base == base2) || (base3 != 0 && base == base3)) {
            return at;
        }
    }
    return -1;
}

void Word::appendLetter(char16_t key, int keyIndex, std::uint32_t extraKeys) {
    Letter letter;
    letter.typed = key;
    letter.base = isAsciiLetter(key) ? toLower(key) : key;
    letter.upper = key >= u'A' && key <= u'Z';
    letter.keys = bit(keyIndex) | extraKeys;
    change(letterCount_) = letter;
    ++letterCount_;
}

void Word::removeLetter(int at) {
    change(at);
    for (int next = at + 1; next < letterCount_; ++next) {
        change(next - 1) = letters_[next];
    }
    --letterCount_;
}

void Word::fixPairs() {
    if (!paired_) {
        return;
    }
    for (int at = 0; at + 1 < letterCount_; ++at) {
        if (letters_[at].byPair) {
            const Shape shape = at + 2 < letterCount_ ? Shape::Horn : Shape::None;
            if (letters_[at].shape != shape) {
                change(at).shape = shape;
            }
        }
    }
}

void Word::eraseLast(const Options& options) {
    if (empty()) {
        return;
    }
    std::uint32_t drop = 0;
    if (broken_ || letterCount_ == 0) {
        int last = keyCount_ - 1;
        while (last > 0 && keys_[last].undone) {
            --last;
        }
        drop = bit(last);
        if (keys_[last].partner >= 0) {
            drop |= bit(keys_[last].partner);
        }
    } else {
        const int last = letterCount_ - 1;
        drop = letters_[last].keys;
        if (tonePosition(letters(), parts(), style_) == last) {
            drop |= toneKeys_; // the tone goes with its letter
        }
    }
    const std::array<Key, kMaxKeys> keys = keys_;
    const int count = keyCount_;
    clear();
    for (int at = 0; at < count; ++at) {
        if ((drop & bit(at)) == 0) {
            type(keys[at].ch, options);
        }
    }
}

void Word::updateText() {
    int from = 0;
    if (broken_ && textBroken_) {
        from = textLength_; // a key typed onto a broken word shows as itself
        text_[textLength_++] = keys_[keyCount_ - 1].ch;
    } else if (broken_) {
        textLength_ = 0;
        for (int at = 0; at < keyCount_; ++at) {
            if (!keys_[at].undone) {
                text_[textLength_++] = keys_[at].ch;
            }
        }
        textBroken_ = true;
    } else {
        from = letterChangedFrom_ < letterCount_ ? letterChangedFrom_ : letterCount_;
        const int tonedAt = tone_ == Tone::None ? -1 : tonePosition(letters(), parts(), style_);
        if (tonedAt != textToneAt_ || tone_ != textTone_) {
            // The tone moved or changed: the letter that had it and the one that has it now.
            for (int at : {tonedAt, textToneAt_}) {
                if (at >= 0 && at < from) {
                    from = at;
                }
            }
            textToneAt_ = tonedAt;
            textTone_ = tone_;
        }
        for (int at = from; at < letterCount_; ++at) {
            text_[at] = composeLetter(letters_[at], at == tonedAt ? tone_ : Tone::None);
        }
        textLength_ = letterCount_;
    }
    letterChangedFrom_ = kNothingChanged;
    if (from < textChangedFrom_) {
        textChangedFrom_ = from;
    }
}

int Word::takeChangedFrom() {
    const int from = textChangedFrom_ < textLength_ ? textChangedFrom_ : textLength_;
    textChangedFrom_ = kNothingChanged;
    return from;
}

} // namespace lurcore::core
