#include "reference_composer.h"

#include "lurcore/core/code_table.h"
#include "lurcore/core/tone_placement.h"

#include <string_view>

namespace lurcore::core::reference {
namespace {

constexpr std::u16string_view kOnsets[] = {
    u"",  u"b",  u"c",   u"ch", u"d", u"đ",  u"g",  u"gh", u"gi", u"h", u"k",  u"kh", u"l", u"m",
    u"n", u"ng", u"ngh", u"nh", u"p", u"ph", u"qu", u"r",  u"s",  u"t", u"th", u"tr", u"v", u"x",
};

// Rhymes after the onset. Those after qu and gi lose the u or i that the onset took (quân, giêng).
constexpr std::u16string_view kRhymes[] = {
    u"a",    u"ac",   u"ach", u"ai",  u"am",   u"an",   u"ang", u"anh",  u"ao",   u"ap",   u"at",   u"au",
    u"ay",   u"ăc",   u"ăm",  u"ăn",  u"ăng",  u"ăp",   u"ăt",  u"âc",   u"âm",   u"ân",   u"âng",  u"âp",
    u"ât",   u"âu",   u"ây",  u"e",   u"ec",   u"em",   u"en",  u"eng",  u"eo",   u"ep",   u"et",   u"ê",
    u"êch",  u"êm",   u"ên",  u"êng", u"ênh",  u"êp",   u"êt",  u"êu",   u"i",    u"ia",   u"ich",  u"im",
    u"in",   u"inh",  u"ip",  u"it",  u"iu",   u"iêc",  u"iêm", u"iên",  u"iêng", u"iêp",  u"iêt",  u"iêu",
    u"o",    u"oc",   u"oi",  u"om",  u"on",   u"ong",  u"op",  u"ot",   u"ooc",  u"oong", u"oa",   u"oac",
    u"oach", u"oai",  u"oam", u"oan", u"oang", u"oanh", u"oao", u"oap",  u"oat",  u"oay",  u"oăc",  u"oăm",
    u"oăn",  u"oăng", u"oăt", u"oe",  u"oen",  u"oeo",  u"oet", u"ô",    u"ôc",   u"ôi",   u"ôm",   u"ôn",
    u"ông",  u"ôp",   u"ôt",  u"ơ",   u"ơi",   u"ơm",   u"ơn",  u"ơp",   u"ơt",   u"u",    u"ua",   u"uc",
    u"ui",   u"um",   u"un",  u"ung", u"up",   u"ut",   u"uân", u"uâng", u"uât",  u"uây",  u"uê",   u"uêch",
    u"uênh", u"uôc",  u"uôi", u"uôm", u"uôn",  u"uông", u"uôt", u"uơ",   u"uy",   u"uya",  u"uych", u"uyn",
    u"uynh", u"uyp",  u"uyt", u"uyu", u"uyên", u"uyêt", u"ư",   u"ưa",   u"ưc",   u"ưi",   u"ưm",   u"ưn",
    u"ưng",  u"ưt",   u"ưu",  u"ươc", u"ươi",  u"ươm",  u"ươn", u"ương", u"ươp",  u"ươt",  u"ươu",  u"y",
    u"ych",  u"yn",   u"ynh", u"yp",  u"yt",   u"yêm",  u"yên", u"yêng", u"yêt",  u"yêu",
};

char16_t withoutShape(char16_t c) {
    switch (c) {
    case u'ă':
    case u'â':
        return u'a';
    case u'ê':
        return u'e';
    case u'ô':
    case u'ơ':
        return u'o';
    case u'ư':
        return u'u';
    default:
        return c;
    }
}

// The typed letter fits the pattern's letter when they are equal, or when a later mark could make it so.
bool fits(char16_t typed, char16_t pattern) {
    return typed == pattern || (isVowel(typed) && withoutShape(pattern) == typed);
}

bool startsOne(std::span<const std::u16string_view> patterns, std::u16string_view typed, bool whole) {
    for (std::u16string_view pattern : patterns) {
        if (typed.size() > pattern.size() || (whole && typed.size() != pattern.size())) {
            continue;
        }
        bool all = true;
        for (std::size_t at = 0; at < typed.size() && all; ++at) {
            all = fits(typed[at], pattern[at]);
        }
        if (all) {
            return true;
        }
    }
    return false;
}

bool canBeSyllable(std::span<const Letter> letters, const SyllableParts& parts, Tone tone) {
    const int size = static_cast<int>(letters.size());
    if (size > 8) {
        return false; // nghiêng, the longest, has seven
    }
    std::array<char16_t, 8> shaped{};
    for (int at = 0; at < size; ++at) {
        shaped[at] = shapedChar(letters[at].base, letters[at].shape);
    }
    const std::u16string_view word(shaped.data(), size);
    const std::u16string_view onset = word.substr(0, parts.nucleusBegin);
    if (!parts.hasVowel()) {
        return startsOne(kOnsets, onset, false);
    }
    if (!startsOne(kOnsets, onset, true) || !startsOne(kRhymes, word.substr(parts.nucleusBegin), false)) {
        return false;
    }
    const bool stopFinal =
        parts.nucleusEnd < size &&
        (word[parts.nucleusEnd] == u'c' || word[parts.nucleusEnd] == u'p' || word[parts.nucleusEnd] == u't');
    return !stopFinal || tone == Tone::None || tone == Tone::Acute || tone == Tone::Dot;
}

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

SyllableParts Word::parts() const {
    return splitSyllable(letters());
}

bool Word::valid() const {
    return canBeSyllable(letters(), parts(), tone_);
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
        return;
    }
    style_ = options.toneStyle;
    const char16_t lower = toLower(key);
    if (options.quickTelex && options.inputMethod == InputMethod::Telex && index > 0 &&
        !keys_[index - 1].undone && letterCount_ > 0) {
        // The same consonant twice, alone at the start or (c, n) as the final: the pair it starts.
        static const std::u16string_view pairs[] = {u"ch", u"gi", u"kh", u"ng", u"ph", u"qu", u"th"};
        const Letter& last = letters_[letterCount_ - 1];
        const SyllableParts syllable = parts();
        const bool final = syllable.hasVowel() && syllable.nucleusEnd == letterCount_ - 1;
        for (std::u16string_view pair : pairs) {
            if (lower == pair[0] && toLower(keys_[index - 1].ch) == lower && last.base == lower &&
                last.shape == Shape::None && last.keys == bit(index - 1) &&
                (letterCount_ == 1 || (final && (lower == u'c' || lower == u'n')))) {
                appendLetter(key == lower ? pair[1] : char16_t(pair[1] - 32), index, 0);
                broken_ = options.spellCheck && !valid();
                return;
            }
        }
    }
    const KeyRule* rule = findKeyRule(options.inputMethod, lower);
    if (rule != nullptr && !disabled(lower)) {
        const Word before = *this;
        const Outcome outcome = applyMark(*rule, index, options);
        fixPairs();
        if (outcome == Outcome::Undone) {
            broken_ = options.spellCheck && !valid();
            return;
        }
        if (outcome == Outcome::Applied) {
            if (!options.spellCheck || valid()) {
                return;
            }
            *this = before; // the mark would spoil the syllable: the key types itself instead
        }
    }
    appendLetter(key, index, 0);
    fixPairs();
    broken_ = options.spellCheck && !valid();
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
        Letter& letter = letters_[letterCount_ - 1];
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
    Letter& letter = letters_[at];
    if (letter.shape == shape) {
        return undoShape(at, key);
    }
    // A new mark replaces the old; the other half of a horned pair loses its horn with it.
    if (letter.shapeKey >= 0) {
        for (int other = 0; other < letterCount_; ++other) {
            Letter& partner = letters_[other];
            if (other != at && partner.byPair && partner.shapeKey == letter.shapeKey) {
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
        Letter& letter = letters_[other];
        if (letter.shapeKey != first) {
            continue;
        }
        if (letter.keys == bit(first)) {
            removeLetter(other); // the ư that a lone w made
        } else {
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
    const SyllableParts syllable = parts();
    const int begin = syllable.nucleusBegin;
    const int end = syllable.nucleusEnd;
    // uo takes the horn on both: ươ (and uơ at the end of the word, fixed by fixPairs).
    for (int at = begin; at + 1 < end; ++at) {
        Letter& u = letters_[at];
        Letter& o = letters_[at + 1];
        if (u.base != u'u' || o.base != u'o' || (u.shape != Shape::None && u.shape != Shape::Horn)) {
            continue;
        }
        if (o.shape == Shape::Horn && (u.shape == Shape::Horn || u.byPair)) {
            return undoShape(at + 1, key);
        }
        if (o.shape != Shape::Horn) {
            applyShape(at + 1, Shape::Horn, key);
        }
        if (u.shape != Shape::Horn) {
            u.shape = Shape::Horn;
            u.byPair = true;
            u.shapeKey = static_cast<std::int8_t>(key);
            u.keys |= bit(key);
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

int Word::lastInNucleus(char16_t base1, char16_t base2, char16_t base3) const {
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
    letters_[letterCount_++] = letter;
}

void Word::removeLetter(int at) {
    for (int next = at + 1; next < letterCount_; ++next) {
        letters_[next - 1] = letters_[next];
    }
    --letterCount_;
}

void Word::fixPairs() {
    for (int at = 0; at + 1 < letterCount_; ++at) {
        Letter& u = letters_[at];
        if (u.byPair) {
            u.shape = at + 2 < letterCount_ ? Shape::Horn : Shape::None;
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

std::u16string Word::text() const {
    std::u16string text;
    if (broken_) {
        for (int at = 0; at < keyCount_; ++at) {
            if (!keys_[at].undone) {
                text.push_back(keys_[at].ch);
            }
        }
        return text;
    }
    const int tonedAt = tone_ == Tone::None ? -1 : tonePosition(letters(), parts(), style_);
    for (int at = 0; at < letterCount_; ++at) {
        text.push_back(composeLetter(letters_[at], at == tonedAt ? tone_ : Tone::None));
    }
    return text;
}

namespace {

bool buildsWord(char16_t c) {
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

} // namespace

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

} // namespace lurcore::core::reference
