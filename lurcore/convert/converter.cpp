#include "lurcore/convert/converter.h"

#include "lurcore/convert/byte_tables.h"
#include "lurcore/convert/viet_letters.h"
#include "lurcore/core/code_table.h"

#include <algorithm>

namespace lurcore::convert {
namespace {

struct FormInfo {
    std::string_view name;
    std::string_view title;
};
constexpr std::array<FormInfo, kForms.size()> kInfo = {{
    {"unicode", "Unicode"},
    {"unicode-nfd", "Unicode NFD"},
    {"tcvn3", "TCVN3"},
    {"vni", "VNI Windows"},
    {"viqr", "VIQR"},
    {"ncr", "NCR"},
    {"ncr-hex", "NCR hex"},
    {"cp1258", "Windows-1258"},
    {"viscii", "VISCII"},
}};

// Every Vietnamese letter outside ASCII, for building the tables of the legacy forms.
template <typename Visit> void forEachLetter(Visit visit) {
    for (char32_t c = 0xC0; c <= 0x1EF9; ++c) {
        if (c == 0x1B1) {
            c = 0x1EA0;
        }
        if (isVietnameseLetter(c)) {
            visit(c);
        }
    }
}

core::CodeTable engineTable(Form form) {
    return form == Form::Tcvn3 ? core::CodeTable::Tcvn3 : core::CodeTable::VniWindows;
}

// A legacy table read back: one byte to a character, two-byte VNI letters by their pair, and which
// bytes the table's letters use (the others keep their Windows-1252 meaning).
struct ReadTable {
    std::array<char32_t, 256> single{};
    std::vector<std::pair<std::uint16_t, char16_t>> pairs; // sorted
    std::array<bool, 256> used{};
};

ReadTable makeReadTable(Form form) {
    ReadTable table;
    for (int b = 0; b < 256; ++b) {
        table.single[static_cast<std::size_t>(b)] = windows1252(static_cast<std::uint8_t>(b));
    }
    if (form == Form::Viscii) {
        for (int b = 0x80; b < 0x100; ++b) {
            table.single[static_cast<std::size_t>(b)] = kViscii[static_cast<std::size_t>(b - 0x80)];
        }
        for (const auto& control : kVisciiControls) {
            table.single[control.byte] = control.character;
        }
        table.used.fill(true);
        return table;
    }
    if (form == Form::Cp1258) {
        for (int b = 0x80; b < 0x100; ++b) {
            table.single[static_cast<std::size_t>(b)] = kWindows1258[static_cast<std::size_t>(b - 0x80)];
        }
        table.used.fill(true);
        return table;
    }
    std::array<bool, 256> lowerSet{};
    forEachLetter([&](char32_t c) {
        char16_t units[2];
        const int length = core::encodeLegacy(units, static_cast<char16_t>(c), engineTable(form));
        VietLetter letter;
        splitLetter(c, letter);
        if (length == 1) {
            const auto b = static_cast<std::uint8_t>(units[0]);
            // TCVN3 gives a toned capital its small letter's byte: the byte reads as the small one.
            if (!lowerSet[b]) {
                table.single[b] = c;
                lowerSet[b] = !letter.upper;
            }
            table.used[b] = true;
        } else {
            table.pairs.emplace_back(static_cast<std::uint16_t>(units[0] << 8 | units[1]),
                                     static_cast<char16_t>(c));
            table.used[units[0] & 0xFF] = true;
            table.used[units[1] & 0xFF] = true;
        }
    });
    std::sort(table.pairs.begin(), table.pairs.end());
    for (int b = 0; b < 0x80; ++b) {
        table.used[static_cast<std::size_t>(b)] = false; // ASCII is itself, base letters of pairs too
    }
    return table;
}

const ReadTable& readTable(Form form) {
    static const ReadTable tcvn3 = makeReadTable(Form::Tcvn3);
    static const ReadTable vni = makeReadTable(Form::Vni);
    static const ReadTable cp1258 = makeReadTable(Form::Cp1258);
    static const ReadTable viscii = makeReadTable(Form::Viscii);
    switch (form) {
    case Form::Tcvn3:
        return tcvn3;
    case Form::Vni:
        return vni;
    case Form::Cp1258:
        return cp1258;
    default:
        return viscii;
    }
}

// The bytes of Windows-1258 and VISCII by character.
struct WriteTable {
    std::vector<std::pair<char32_t, std::uint8_t>> bytes; // sorted, characters from U+0080 up
};

WriteTable makeWriteTable(Form form) {
    WriteTable table;
    const ReadTable& read = readTable(form);
    for (int b = 0; b < 256; ++b) {
        const char32_t c = read.single[static_cast<std::size_t>(b)];
        const bool undefined = b >= 0x80 && b < 0xA0 && c == static_cast<char32_t>(b);
        if (c >= 0x80 && !undefined) {
            table.bytes.emplace_back(c, static_cast<std::uint8_t>(b));
        }
    }
    std::sort(table.bytes.begin(), table.bytes.end());
    return table;
}

int writeByte(Form form, char32_t c) {
    static const WriteTable cp1258 = makeWriteTable(Form::Cp1258);
    static const WriteTable viscii = makeWriteTable(Form::Viscii);
    const auto& bytes = form == Form::Cp1258 ? cp1258.bytes : viscii.bytes;
    const auto found = std::lower_bound(bytes.begin(), bytes.end(), std::pair<char32_t, std::uint8_t>(c, 0));
    return found != bytes.end() && found->first == c ? found->second : -1;
}

std::u32string decodeBytes(Form form, std::u32string_view units) {
    const ReadTable& table = readTable(form);
    std::u32string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t unit = units[i];
        if (unit >= 0x100) {
            text.push_back(unit);
            continue;
        }
        if (!table.pairs.empty() && i + 1 < units.size() && units[i + 1] >= 0x80 && units[i + 1] < 0x100) {
            const auto key = static_cast<std::uint16_t>(unit << 8 | units[i + 1]);
            const auto found = std::lower_bound(table.pairs.begin(), table.pairs.end(),
                                                std::pair<std::uint16_t, char16_t>(key, 0));
            if (found != table.pairs.end() && found->first == key) {
                text.push_back(found->second);
                ++i;
                continue;
            }
        }
        text.push_back(table.single[unit]);
    }
    return text;
}

// VIQR: a vowel followed by its marks, dd or d- for đ, a backslash before a mark keeps it literal.
int viqrShape(char32_t c, char16_t base, core::Shape& shape) {
    switch (c) {
    case u'(':
        shape = core::Shape::Breve;
        return base == u'a';
    case u'^':
        shape = core::Shape::Hat;
        return base == u'a' || base == u'e' || base == u'o';
    case u'+':
        shape = core::Shape::Horn;
        return base == u'o' || base == u'u';
    default:
        return 0;
    }
}

core::Tone viqrTone(char32_t c) {
    switch (c) {
    case u'\'':
        return core::Tone::Acute;
    case u'`':
        return core::Tone::Grave;
    case u'?':
        return core::Tone::Hook;
    case u'~':
        return core::Tone::Tilde;
    case u'.':
        return core::Tone::Dot;
    default:
        return core::Tone::None;
    }
}

constexpr std::u32string_view kViqrEscaped = U"(^+'`?~.-dD\\";

std::u32string decodeViqr(std::u32string_view units) {
    std::u32string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size();) {
        const char32_t c = units[i++];
        if (c == u'\\' && i < units.size() && kViqrEscaped.find(units[i]) != std::u32string_view::npos) {
            // A mark kept literal; an escaped d only stops the d before it from taking it, and may
            // itself begin a đ.
            if (units[i] != u'd' && units[i] != u'D') {
                text.push_back(units[i++]);
            }
            continue;
        }
        VietLetter letter;
        if (c >= 0x80 || !splitLetter(c, letter)) {
            text.push_back(c);
            continue;
        }
        if (letter.base == u'd') {
            if (i < units.size() && (units[i] == u'd' || units[i] == u'D' || units[i] == u'-')) {
                letter.shape = core::Shape::Stroke;
                ++i;
            }
            text.push_back(joinLetter(letter));
            continue;
        }
        for (bool shaped = false, toned = false; i < units.size(); ++i) {
            core::Shape shape{};
            const core::Tone tone = viqrTone(units[i]);
            if (!shaped && viqrShape(units[i], letter.base, shape)) {
                letter.shape = shape;
                shaped = true;
            } else if (!toned && tone != core::Tone::None) {
                letter.tone = tone;
                toned = true;
            } else {
                break;
            }
        }
        text.push_back(joinLetter(letter));
    }
    return text;
}

bool isHexDigit(char32_t c) {
    return (c >= u'0' && c <= u'9') || ((c | 0x20) >= u'a' && (c | 0x20) <= u'f');
}

// &#7879; or &#x1EC7; at `at`; gives the character and how many units it took, or 0 when it is none.
std::size_t readReference(std::u32string_view units, std::size_t at, char32_t& character) {
    if (at + 3 >= units.size() || units[at] != u'&' || units[at + 1] != u'#') {
        return 0;
    }
    std::size_t i = at + 2;
    const bool hex = units[i] == u'x' || units[i] == u'X';
    i += hex ? 1 : 0;
    const std::size_t digitsFrom = i;
    std::uint32_t value = 0;
    while (i < units.size() && i - digitsFrom < 8 &&
           (hex ? isHexDigit(units[i]) : (units[i] >= u'0' && units[i] <= u'9'))) {
        const char32_t d = units[i] | (hex ? 0x20 : 0);
        value = value * (hex ? 16 : 10) + (d <= u'9' ? d - u'0' : d - u'a' + 10);
        ++i;
    }
    if (i == digitsFrom || i >= units.size() || units[i] != u';' || value == 0 || value > 0x10FFFF ||
        (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    character = value;
    return i + 1 - at;
}

std::u32string decodeReferences(std::u32string_view units) {
    std::u32string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size();) {
        char32_t character = 0;
        if (const std::size_t length = units[i] == u'&' ? readReference(units, i, character) : 0;
            length != 0) {
            text.push_back(character);
            i += length;
        } else {
            text.push_back(units[i++]);
        }
    }
    return text;
}

void appendNumber(std::u32string& out, std::uint32_t value, bool hex) {
    char32_t digits[8];
    int n = 0;
    const std::uint32_t base = hex ? 16 : 10;
    do {
        const std::uint32_t d = value % base;
        digits[n++] = d < 10 ? U'0' + d : U'A' + d - 10;
        value /= base;
    } while (value != 0);
    while (n > 0) {
        out.push_back(digits[--n]);
    }
}

void appendViqr(std::u32string& out, const VietLetter& letter) {
    const char32_t base = letter.upper ? letter.base - 0x20 : letter.base;
    out.push_back(base);
    if (letter.shape == core::Shape::Stroke) {
        out.push_back(base);
        return;
    }
    constexpr char32_t kShapes[] = {0, u'^', u'(', u'+', 0};
    constexpr char32_t kTones[] = {0, u'\'', u'`', u'?', u'~', u'.'};
    if (const char32_t mark = kShapes[static_cast<int>(letter.shape)]; mark != 0) {
        out.push_back(mark);
    }
    if (const char32_t mark = kTones[static_cast<int>(letter.tone)]; mark != 0) {
        out.push_back(mark);
    }
}

class Writer {
public:
    Writer(Form form, std::size_t maxListed) : form_(form), maxListed_(maxListed) {}

    Encoded run(std::u32string_view text) {
        out_.units.reserve(text.size() + text.size() / 4);
        for (std::size_t i = 0; i < text.size(); ++i) {
            write(text[i], i + 1 < text.size() ? text[i + 1] : 0);
            if (text[i] == u'\n') {
                ++line_;
                column_ = 1;
            } else {
                ++column_;
            }
        }
        return std::move(out_);
    }

private:
    void replace(char32_t c) {
        if (out_.replaced.size() < maxListed_) {
            out_.replaced.push_back({line_, column_, c});
        }
        ++out_.replacedCount;
        out_.units.push_back(u'?');
    }

    void writeLegacy(char32_t c) {
        std::u32string& units = out_.units;
        if (c < 0x80) {
            units.push_back(c);
            return;
        }
        if (isVietnameseLetter(c)) {
            char16_t bytes[2];
            const int length = core::encodeLegacy(bytes, static_cast<char16_t>(c), engineTable(form_));
            units.append(bytes, bytes + length);
            return;
        }
        const int b = windows1252Byte(c);
        if (b >= 0 && !readTable(form_).used[static_cast<std::size_t>(b)]) {
            units.push_back(static_cast<char32_t>(b));
            return;
        }
        replace(c);
    }

    void writeCodePage(char32_t c) {
        if (c < 0x80 && (form_ != Form::Viscii || readTable(form_).single[c] == c)) {
            out_.units.push_back(c);
            return;
        }
        if (const int b = writeByte(form_, c); b >= 0) {
            out_.units.push_back(static_cast<char32_t>(b));
            return;
        }
        VietLetter letter;
        if (form_ == Form::Cp1258 && splitLetter(c, letter) && letter.tone != core::Tone::None) {
            // Windows-1258 has the plain and shaped letters, and the tone as a combining mark after them.
            const core::Tone tone = letter.tone;
            letter.tone = core::Tone::None;
            const char32_t base = joinLetter(letter);
            constexpr char32_t kMarks[] = {
                0, kCombiningAcute, kCombiningGrave, kCombiningHook, kCombiningTilde, kCombiningDot};
            const int baseByte = base < 0x80 ? static_cast<int>(base) : writeByte(form_, base);
            const int markByte = writeByte(form_, kMarks[static_cast<int>(tone)]);
            if (baseByte >= 0 && markByte >= 0) {
                out_.units.push_back(static_cast<char32_t>(baseByte));
                out_.units.push_back(static_cast<char32_t>(markByte));
                return;
            }
        }
        replace(c);
    }

    void writeViqr(char32_t c) {
        VietLetter letter;
        if (c == u'\\') {
            out_.units.append(U"\\\\"); // whatever follows: a letter may be written as d or a mark
            previous_ = 0;
            return;
        }
        const bool isLetter = splitLetter(c, letter);
        // đ is written starting with its d, which after a d would read as a mark.
        if (escapeNext(isLetter ? (letter.upper ? letter.base - 0x20 : letter.base) : c)) {
            out_.units.push_back(u'\\');
        }
        if (isLetter) {
            appendViqr(out_.units, letter);
            previous_ = letter.shape == core::Shape::Stroke ? 0 : letter.base;
            return;
        }
        out_.units.push_back(c);
        previous_ = 0;
    }

    // Whether a reader would take c as a mark of the letter before it.
    bool escapeNext(char32_t c) const {
        if (previous_ == u'd') {
            return c == u'd' || c == u'D' || c == u'-';
        }
        return previous_ != 0 && (c == u'(' || c == u'^' || c == u'+' || viqrTone(c) != core::Tone::None);
    }

    void write(char32_t c, char32_t next) {
        switch (form_) {
        case Form::Unicode:
            out_.units.push_back(c);
            break;
        case Form::UnicodeNfd:
            appendDecomposed(out_.units, c);
            break;
        case Form::Tcvn3:
        case Form::Vni:
            writeLegacy(c);
            break;
        case Form::Cp1258:
        case Form::Viscii:
            writeCodePage(c);
            break;
        case Form::Viqr:
            writeViqr(c);
            break;
        case Form::Ncr:
        case Form::NcrHex:
            if (c >= 0x80 || (c == u'&' && next == u'#')) {
                out_.units.append(form_ == Form::Ncr ? U"&#" : U"&#x");
                appendNumber(out_.units, c, form_ == Form::NcrHex);
                out_.units.push_back(u';');
            } else {
                out_.units.push_back(c);
            }
            break;
        }
    }

    Form form_;
    std::size_t maxListed_;
    Encoded out_;
    std::size_t line_ = 1;
    std::size_t column_ = 1;
    char16_t previous_ = 0; // the base of the VIQR letter just written, or 0
};

} // namespace

std::optional<Form> formFromName(std::string_view name) {
    for (std::size_t i = 0; i < kInfo.size(); ++i) {
        const std::string_view known = kInfo[i].name;
        if (known.size() == name.size() &&
            std::equal(known.begin(), known.end(), name.begin(),
                       [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); })) {
            return kForms[i];
        }
    }
    return std::nullopt;
}

std::string_view formName(Form form) {
    return kInfo[static_cast<std::size_t>(form)].name;
}

std::string_view formTitle(Form form) {
    return kInfo[static_cast<std::size_t>(form)].title;
}

bool isByteForm(Form form) {
    return form == Form::Tcvn3 || form == Form::Vni || form == Form::Cp1258 || form == Form::Viscii;
}

std::u32string decode(Form form, std::u32string_view units) {
    std::u32string text;
    switch (form) {
    case Form::Unicode:
    case Form::UnicodeNfd:
        text.assign(units);
        break;
    case Form::Tcvn3:
    case Form::Vni:
    case Form::Viscii:
        return decodeBytes(form, units);
    case Form::Cp1258:
        text = decodeBytes(form, units);
        break;
    case Form::Viqr:
        text = decodeViqr(units);
        break;
    case Form::Ncr:
    case Form::NcrHex:
        text = decodeReferences(units);
        break;
    }
    composeLetters(text);
    return text;
}

Encoded encode(Form form, std::u32string_view text, std::size_t maxListed) {
    return Writer(form, maxListed).run(text);
}

std::u32string unitsFromWindows1252(std::u32string_view text) {
    std::u32string units(text);
    for (char32_t& c : units) {
        if (c >= 0x100) {
            if (const int b = windows1252Byte(c); b >= 0) {
                c = static_cast<char32_t>(b);
            }
        }
    }
    return units;
}

std::u32string windows1252FromUnits(std::u32string_view units) {
    std::u32string text(units);
    for (char32_t& c : text) {
        if (c < 0x100) {
            c = windows1252(static_cast<std::uint8_t>(c));
        }
    }
    return text;
}

} // namespace lurcore::convert
