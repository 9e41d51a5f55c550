#include "lurcore/convert/viet_letters.h"

#include <algorithm>
#include <array>

namespace lurcore::convert {
namespace {

using core::Shape;
using core::Tone;

struct VowelRow {
    char16_t base;
    Shape shape;
    std::array<char16_t, 6> forms; // lower case; columns in the order of Tone
};

constexpr std::array<VowelRow, 12> kRows = {{
    {u'a', Shape::None, {0x0061, 0x00E1, 0x00E0, 0x1EA3, 0x00E3, 0x1EA1}},
    {u'a', Shape::Breve, {0x0103, 0x1EAF, 0x1EB1, 0x1EB3, 0x1EB5, 0x1EB7}},
    {u'a', Shape::Hat, {0x00E2, 0x1EA5, 0x1EA7, 0x1EA9, 0x1EAB, 0x1EAD}},
    {u'e', Shape::None, {0x0065, 0x00E9, 0x00E8, 0x1EBB, 0x1EBD, 0x1EB9}},
    {u'e', Shape::Hat, {0x00EA, 0x1EBF, 0x1EC1, 0x1EC3, 0x1EC5, 0x1EC7}},
    {u'i', Shape::None, {0x0069, 0x00ED, 0x00EC, 0x1EC9, 0x0129, 0x1ECB}},
    {u'o', Shape::None, {0x006F, 0x00F3, 0x00F2, 0x1ECF, 0x00F5, 0x1ECD}},
    {u'o', Shape::Hat, {0x00F4, 0x1ED1, 0x1ED3, 0x1ED5, 0x1ED7, 0x1ED9}},
    {u'o', Shape::Horn, {0x01A1, 0x1EDB, 0x1EDD, 0x1EDF, 0x1EE1, 0x1EE3}},
    {u'u', Shape::None, {0x0075, 0x00FA, 0x00F9, 0x1EE7, 0x0169, 0x1EE5}},
    {u'u', Shape::Horn, {0x01B0, 0x1EE9, 0x1EEB, 0x1EED, 0x1EEF, 0x1EF1}},
    {u'y', Shape::None, {0x0079, 0x00FD, 0x1EF3, 0x1EF7, 0x1EF9, 0x1EF5}},
}};
constexpr char16_t kSmallD = 0x0111;

// Every Vietnamese letter's capital lies just before it, or 0x20 before it below U+0100.
constexpr char32_t upperOf(char32_t lower) {
    return lower < 0x100 ? lower - 0x20 : lower - 1;
}

struct Entry {
    char32_t character;
    std::uint8_t row; // 12 for đ
    std::uint8_t tone;
    bool upper;
};
constexpr std::size_t kEntries = kRows.size() * 6 * 2 + 2;

const std::array<Entry, kEntries>& entries() {
    static const std::array<Entry, kEntries> sorted = [] {
        std::array<Entry, kEntries> all{};
        std::size_t n = 0;
        for (std::uint8_t row = 0; row < kRows.size(); ++row) {
            for (std::uint8_t tone = 0; tone < 6; ++tone) {
                const char32_t lower = kRows[row].forms[tone];
                all[n++] = {lower, row, tone, false};
                all[n++] = {upperOf(lower), row, tone, true};
            }
        }
        all[n++] = {kSmallD, 12, 0, false};
        all[n++] = {upperOf(kSmallD), 12, 0, true};
        std::sort(all.begin(), all.end(),
                  [](const Entry& a, const Entry& b) { return a.character < b.character; });
        return all;
    }();
    return sorted;
}

const Entry* find(char32_t character) {
    const auto& all = entries();
    const auto found = std::lower_bound(all.begin(), all.end(), character,
                                        [](const Entry& entry, char32_t c) { return entry.character < c; });
    return found != all.end() && found->character == character ? &*found : nullptr;
}

int rowOf(char16_t base, Shape shape) {
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        if (kRows[row].base == base && kRows[row].shape == shape) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

bool mayHoldMarks(char32_t c) {
    // Every Vietnamese vowel, precomposed or not, lies in these ranges.
    return (c >= u'A' && c <= u'z') || (c >= 0xC0 && c <= 0x1B0) || (c >= 0x1EA0 && c <= 0x1EF9);
}

} // namespace

bool splitLetter(char32_t character, VietLetter& letter) {
    if (character < 0x80) {
        const char32_t lower = character | 0x20;
        if (!(character >= u'A' && character <= u'z') ||
            (lower != u'a' && lower != u'e' && lower != u'i' && lower != u'o' && lower != u'u' &&
             lower != u'y' && lower != u'd')) {
            return false;
        }
        letter = {static_cast<char16_t>(lower), Shape::None, Tone::None, character != lower};
        return true;
    }
    const Entry* entry = find(character);
    if (entry == nullptr) {
        return false;
    }
    if (entry->row == 12) {
        letter = {u'd', Shape::Stroke, Tone::None, entry->upper};
    } else {
        letter = {kRows[entry->row].base, kRows[entry->row].shape, static_cast<Tone>(entry->tone),
                  entry->upper};
    }
    return true;
}

char32_t joinLetter(const VietLetter& letter) {
    char32_t lower = 0;
    if (letter.base == u'd') {
        if (letter.tone != Tone::None || (letter.shape != Shape::None && letter.shape != Shape::Stroke)) {
            return 0;
        }
        lower = letter.shape == Shape::Stroke ? kSmallD : u'd';
    } else {
        const int row = rowOf(letter.base, letter.shape);
        if (row < 0) {
            return 0;
        }
        lower = kRows[static_cast<std::size_t>(row)].forms[static_cast<std::size_t>(letter.tone)];
    }
    return letter.upper ? upperOf(lower) : lower;
}

bool isVietnameseLetter(char32_t character) {
    return character >= 0x80 && find(character) != nullptr;
}

bool isVietnameseMark(char32_t c) {
    return c == kCombiningGrave || c == kCombiningAcute || c == kCombiningHat || c == kCombiningTilde ||
           c == kCombiningBreve || c == kCombiningHook || c == kCombiningHorn || c == kCombiningDot;
}

namespace {

// Adds one mark to the letter; false when the letter already has that kind of mark or cannot take it.
bool addMark(VietLetter& letter, char32_t mark) {
    Tone tone = Tone::None;
    Shape shape = Shape::None;
    switch (mark) {
    case kCombiningAcute:
        tone = Tone::Acute;
        break;
    case kCombiningGrave:
        tone = Tone::Grave;
        break;
    case kCombiningHook:
        tone = Tone::Hook;
        break;
    case kCombiningTilde:
        tone = Tone::Tilde;
        break;
    case kCombiningDot:
        tone = Tone::Dot;
        break;
    case kCombiningHat:
        shape = Shape::Hat;
        break;
    case kCombiningBreve:
        shape = Shape::Breve;
        break;
    case kCombiningHorn:
        shape = Shape::Horn;
        break;
    default:
        return false;
    }
    VietLetter next = letter;
    if (tone != Tone::None) {
        if (letter.tone != Tone::None) {
            return false;
        }
        next.tone = tone;
    } else {
        if (letter.shape != Shape::None) {
            return false;
        }
        next.shape = shape;
    }
    if (joinLetter(next) == 0) {
        return false;
    }
    letter = next;
    return true;
}

} // namespace

void composeLetters(std::u32string& text) {
    std::size_t write = 0;
    const std::size_t size = text.size();
    for (std::size_t read = 0; read < size;) {
        const char32_t c = text[read++];
        VietLetter letter;
        if (read < size && isVietnameseMark(text[read]) && mayHoldMarks(c) && splitLetter(c, letter)) {
            while (read < size && addMark(letter, text[read])) {
                ++read;
            }
            text[write++] = joinLetter(letter);
            continue;
        }
        text[write++] = c;
    }
    text.resize(write);
}

void appendDecomposed(std::u32string& out, char32_t character) {
    VietLetter letter;
    if (character < 0x80 || !splitLetter(character, letter) || letter.shape == Shape::Stroke) {
        out.push_back(character);
        return;
    }
    out.push_back(letter.upper ? letter.base - 0x20 : letter.base);
    // Canonical order: the horn (class 216) before the dot below (220) before the marks above (230).
    if (letter.shape == Shape::Horn) {
        out.push_back(kCombiningHorn);
    }
    if (letter.tone == Tone::Dot) {
        out.push_back(kCombiningDot);
    }
    if (letter.shape == Shape::Hat) {
        out.push_back(kCombiningHat);
    } else if (letter.shape == Shape::Breve) {
        out.push_back(kCombiningBreve);
    }
    constexpr char32_t kToneMarks[] = {0, kCombiningAcute, kCombiningGrave, kCombiningHook, kCombiningTilde,
                                       0};
    if (const char32_t mark = kToneMarks[static_cast<int>(letter.tone)]; mark != 0) {
        out.push_back(mark);
    }
}

} // namespace lurcore::convert
