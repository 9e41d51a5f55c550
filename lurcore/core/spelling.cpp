#include "lurcore/core/spelling.h"

#include <string_view>

namespace lurcore::core {
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

// The automata read letters as symbols: 1 to 26 the plain letters a to z, then the marked ones.
// Symbol 0 is anything else (a digit), which no onset or rhyme has.
constexpr std::uint8_t kBreveA = 27;
constexpr std::uint8_t kHatA = 28;
constexpr std::uint8_t kHatE = 29;
constexpr std::uint8_t kHatO = 30;
constexpr std::uint8_t kHornO = 31;
constexpr std::uint8_t kHornU = 32;
constexpr std::uint8_t kStrokeD = 33;
constexpr std::size_t kSymbols = 34;

constexpr std::uint8_t symbolOf(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return static_cast<std::uint8_t>(c - u'a' + 1);
    }
    switch (c) {
    case u'ă':
        return kBreveA;
    case u'â':
        return kHatA;
    case u'ê':
        return kHatE;
    case u'ô':
        return kHatO;
    case u'ơ':
        return kHornO;
    case u'ư':
        return kHornU;
    case u'đ':
        return kStrokeD;
    default:
        return 0;
    }
}

// The plain vowel a marked vowel is made from; 0 for any other symbol.
constexpr std::uint8_t unmarked(std::uint8_t symbol) {
    switch (symbol) {
    case kBreveA:
    case kHatA:
        return symbolOf(u'a');
    case kHatE:
        return symbolOf(u'e');
    case kHatO:
    case kHornO:
        return symbolOf(u'o');
    case kHornU:
        return symbolOf(u'u');
    default:
        return 0;
    }
}

// The symbol of a letter as shapedChar spells it: a shape the letter cannot take leaves it plain.
constexpr std::uint8_t letterSymbol(char16_t base, Shape shape) {
    if (base < u'a' || base > u'z') {
        return 0;
    }
    const std::uint8_t plain = symbolOf(base);
    const auto is = [&](char16_t b, Shape s) { return base == b && shape == s; };
    return is(u'a', Shape::Breve)    ? kBreveA
           : is(u'a', Shape::Hat)    ? kHatA
           : is(u'e', Shape::Hat)    ? kHatE
           : is(u'o', Shape::Hat)    ? kHatO
           : is(u'o', Shape::Horn)   ? kHornO
           : is(u'u', Shape::Horn)   ? kHornU
           : is(u'd', Shape::Stroke) ? kStrokeD
                                     : plain;
}

constexpr int kShapes = 5;
constexpr auto kLetterSymbols = [] {
    std::array<std::array<std::uint8_t, kShapes>, 26> table{};
    for (int letter = 0; letter < 26; ++letter) {
        for (int shape = 0; shape < kShapes; ++shape) {
            table[letter][shape] =
                letterSymbol(static_cast<char16_t>(u'a' + letter), static_cast<Shape>(shape));
        }
    }
    return table;
}();

std::uint8_t symbolOf(const Letter& letter) {
    const unsigned index = static_cast<unsigned>(letter.base - u'a');
    return index < 26 ? kLetterSymbols[index][static_cast<int>(letter.shape)] : 0;
}

// A trie of every spelling a pattern can have while its marks are still to come (a plain vowel fits its
// marked forms): its nodes are the automaton's states. State 0 is the dead end, state 1 the start.
constexpr std::uint16_t kDead = 0;
constexpr std::uint16_t kStart = 1;

template <std::size_t Nodes> struct Trie {
    std::array<std::array<std::uint16_t, kSymbols>, Nodes> next{};
    std::array<bool, Nodes> whole{}; // a whole pattern ends here
    std::size_t size = 2;
};

template <std::size_t Nodes, std::size_t Patterns>
constexpr Trie<Nodes> buildTrie(const std::u16string_view (&patterns)[Patterns]) {
    Trie<Nodes> trie;
    for (std::u16string_view pattern : patterns) {
        // Each marked vowel may be typed plain for now: every choice of plain and marked is a spelling.
        int marked = 0;
        for (char16_t c : pattern) {
            marked += unmarked(symbolOf(c)) != 0 ? 1 : 0;
        }
        for (int choice = 0; choice < (1 << marked); ++choice) {
            std::uint16_t node = kStart;
            int vowel = 0;
            for (char16_t c : pattern) {
                std::uint8_t symbol = symbolOf(c);
                if (unmarked(symbol) != 0 && (choice >> vowel++ & 1) != 0) {
                    symbol = unmarked(symbol);
                }
                if (trie.next[node][symbol] == kDead) {
                    trie.next[node][symbol] = static_cast<std::uint16_t>(trie.size++);
                }
                node = trie.next[node][symbol];
            }
            trie.whole[node] = true;
        }
    }
    return trie;
}

template <std::size_t Nodes, std::size_t Big, std::size_t Patterns>
constexpr Trie<Nodes> exactTrie(const std::u16string_view (&patterns)[Patterns]) {
    const Trie<Big> big = buildTrie<Big>(patterns);
    Trie<Nodes> trie;
    for (std::size_t node = 0; node < Nodes; ++node) {
        trie.next[node] = big.next[node];
        trie.whole[node] = big.whole[node];
    }
    trie.size = big.size;
    return trie;
}

constexpr std::size_t kBigTrie = 1024;
constexpr auto kOnsetTrie = exactTrie<buildTrie<kBigTrie>(kOnsets).size, kBigTrie>(kOnsets);
constexpr auto kRhymeTrie = exactTrie<buildTrie<kBigTrie>(kRhymes).size, kBigTrie>(kRhymes);
static_assert(kRhymeTrie.size < kBigTrie && kRhymeTrie.size < 0xFFFF);

bool stopTone(const Letter& final, Tone tone) {
    const bool stop = final.base == u'c' || final.base == u'p' || final.base == u't';
    return stop && tone != Tone::None && tone != Tone::Acute && tone != Tone::Dot;
}

} // namespace

bool canBeSyllable(std::span<const Letter> letters, const SyllableParts& parts, Tone tone) {
    SpellingCheck check;
    return check.check(letters, parts, tone);
}

bool SpellingCheck::check(std::span<const Letter> letters, const SyllableParts& parts, Tone tone) {
    const int size = static_cast<int>(letters.size());
    if (size > kMaxLetters) {
        return false;
    }
    // Letters that moved between the onset and the rhyme take their steps again.
    const int onsetEnd = parts.nucleusBegin;
    if (onsetEnd != onsetEnd_) {
        changedFrom(onsetEnd < onsetEnd_ ? onsetEnd : onsetEnd_);
        onsetEnd_ = onsetEnd;
    }
    for (int at = upTo_; at < size; ++at) {
        const std::uint8_t symbol = symbolOf(letters[at]);
        if (at < onsetEnd) {
            states_[at] = kOnsetTrie.next[at == 0 ? kStart : states_[at - 1]][symbol];
        } else {
            states_[at] = kRhymeTrie.next[at == onsetEnd ? kStart : states_[at - 1]][symbol];
        }
    }
    upTo_ = size;
    if (!parts.hasVowel()) {
        return size == 0 || states_[size - 1] != kDead;
    }
    const bool onset = onsetEnd == 0 || kOnsetTrie.whole[states_[onsetEnd - 1]];
    if (!onset || states_[size - 1] == kDead) {
        return false;
    }
    return parts.nucleusEnd >= size || !stopTone(letters[parts.nucleusEnd], tone);
}

} // namespace lurcore::core
