#include "lurcore/convert/detect.h"

#include "lurcore/convert/viet_letters.h"
#include "lurcore/core/spelling.h"
#include "lurcore/core/syllable.h"

#include <array>

namespace lurcore::convert {
namespace {

// Letters and what a wrong table makes of them (¸ in TCVN3 read as Windows-1252, say) belong to the
// word; blanks, digits and punctuation end it.
bool inWord(char32_t c) {
    if (c < 0x80) {
        return (c | 0x20) >= u'a' && (c | 0x20) <= u'z';
    }
    return (c > 0xA0 && c < 0x2000 && c != 0xD7 && c != 0xF7) || (c >= 0x1E00 && c < 0x1F00);
}

bool isSyllable(std::u32string_view word) {
    constexpr std::size_t kMaxLetters = 8;
    if (word.size() > kMaxLetters) {
        return false;
    }
    std::array<core::Letter, kMaxLetters> letters{};
    core::Tone tone = core::Tone::None;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char32_t c = word[i];
        VietLetter viet;
        core::Letter& letter = letters[i];
        if (splitLetter(c, viet)) {
            if (viet.tone != core::Tone::None) {
                if (tone != core::Tone::None) {
                    return false;
                }
                tone = viet.tone;
            }
            letter.base = viet.base;
            letter.shape = viet.shape;
            letter.upper = viet.upper;
        } else if (c < 0x80) {
            letter.base = static_cast<char16_t>(c | 0x20);
            letter.upper = c < u'a';
        } else {
            return false;
        }
        letter.typed = static_cast<char16_t>(c);
    }
    const std::span<const core::Letter> span(letters.data(), word.size());
    const core::SyllableParts parts = core::splitSyllable(span);
    return parts.hasVowel() && core::canBeSyllable(span, parts, tone);
}

int score(int syllables, int words) {
    return syllables - (words - syllables);
}

} // namespace

void countSyllables(std::u32string_view text, int& syllables, int& words) {
    syllables = 0;
    words = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (!inWord(text[i])) {
            ++i;
            continue;
        }
        const std::size_t begin = i;
        bool outsideAscii = false;
        while (i < text.size() && inWord(text[i])) {
            outsideAscii = outsideAscii || text[i] >= 0x80;
            ++i;
        }
        if (outsideAscii) {
            ++words;
            syllables += isSyllable(text.substr(begin, i - begin)) ? 1 : 0;
        }
    }
}

std::optional<Detection> detectForm(const std::u32string* text, std::u32string_view units) {
    std::optional<Detection> best;
    int bestScore = 0;
    const auto consider = [&](Form form, std::u32string_view input) {
        Detection reading{form, 0, 0};
        countSyllables(decode(form, input), reading.syllables, reading.words);
        const int value = score(reading.syllables, reading.words);
        // Unicode, read first, stays unless another form explains clearly more of the text.
        const int margin = best && best->form == Form::Unicode ? 2 + best->syllables / 10 : 1;
        if (!best || (value >= bestScore + margin && reading.syllables > 0)) {
            best = reading;
            bestScore = value;
        }
    };
    if (text != nullptr) {
        for (Form form : {Form::Unicode, Form::Viqr, Form::Ncr}) {
            consider(form, *text);
        }
    }
    for (Form form : {Form::Tcvn3, Form::Vni, Form::Viscii, Form::Cp1258}) {
        consider(form, units);
    }
    if (best && text == nullptr && best->syllables == 0) {
        return std::nullopt;
    }
    return best;
}

} // namespace lurcore::convert
