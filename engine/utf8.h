// Text that crosses the engine's boundary as 8 bits is UTF-8: plain ASCII means the same in it as in
// every code page, and every path Windows can hold has a UTF-8 form, which no ANSI code page gives.
// Portable: Windows code converts its UTF-16 through these, host tests check them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lur {

// Nothing when `text` is not well-formed UTF-8 (a stray byte, an overlong form, a surrogate, a value
// above U+10FFFF).
inline std::optional<std::u16string> utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t code = 0;
        std::size_t length = 0;
        if (lead < 0x80) {
            code = lead;
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            code = lead & 0x1Fu;
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            code = lead & 0x0Fu;
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            code = lead & 0x07u;
            length = 4;
        } else {
            return std::nullopt;
        }
        if (i + length > text.size()) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) {
                return std::nullopt;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return std::nullopt;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FFu)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += length;
    }
    return out;
}

// One code point, as UTF-8, at the end of `out`.
inline void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// A lone surrogate, which Windows allows in names, becomes U+FFFD.
inline std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        appendUtf8(out, code);
    }
    return out;
}

#if defined(_WIN32)
// Windows' wide strings are UTF-16. Text that is not UTF-8 gives an empty string.
inline std::wstring wideFromUtf8(std::string_view text) {
    const auto wide = utf8ToUtf16(text);
    return wide ? std::wstring(wide->begin(), wide->end()) : std::wstring();
}

inline std::string utf8FromWide(std::wstring_view text) {
    return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}
#endif

} // namespace lur
