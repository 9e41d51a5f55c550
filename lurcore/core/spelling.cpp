#include "lurcore/core/spelling.h"

#include <array>
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

} // namespace

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

} // namespace lurcore::core
