#include "lurcore/convert/unicode_text.h"

#include "engine/utf8.h"

namespace lurcore::convert {

bool readUtf8(std::string_view bytes, std::u32string& text, std::size_t& badAt) {
    text.clear();
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
        }
        bool ok = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; ok && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            ok = (next & 0xC0u) == 0x80u;
            code = code << 6 | (next & 0x3Fu);
        }
        ok = ok && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) && code <= 0x10FFFF &&
             !(code >= 0xD800 && code <= 0xDFFF);
        if (!ok) {
            badAt = i;
            return false;
        }
        text.push_back(code);
        i += length;
    }
    return true;
}

void appendUtf8(std::string& out, char32_t code) {
    lur::appendUtf8(out, code);
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (char32_t c : text) {
        appendUtf8(out, c);
    }
    return out;
}

bool readUtf16(std::string_view bytes, bool bigEndian, std::u32string& text) {
    if (bytes.size() % 2 != 0) {
        return false;
    }
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
        const bool low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
        if (low || (high && (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF))) {
            return false;
        }
        i += high ? 1 : 0;
    }
    text = fromUtf16(units);
    return true;
}

std::u32string fromUtf16(std::u16string_view units) {
    std::u32string text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        text.push_back(c);
    }
    return text;
}

std::u16string toUtf16(std::u32string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (char32_t c : text) {
        if (c >= 0x10000) {
            c -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    return units;
}

} // namespace lurcore::convert
