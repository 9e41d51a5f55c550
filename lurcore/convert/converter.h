// Text between Unicode and the other ways Vietnamese is written: precomposed or decomposed Unicode,
// the 8-bit tables TCVN3, VNI Windows, Windows-1258 and VISCII, VIQR's marks after the letter, and
// numeric character references.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lurcore::convert {

enum class Form : std::uint8_t { Unicode, UnicodeNfd, Tcvn3, Vni, Viqr, Ncr, NcrHex, Cp1258, Viscii };
inline constexpr std::array<Form, 9> kForms = {Form::Unicode, Form::UnicodeNfd, Form::Tcvn3,
                                               Form::Vni,     Form::Viqr,       Form::Ncr,
                                               Form::NcrHex,  Form::Cp1258,     Form::Viscii};

// The names the command line and lurio.ini use ("tcvn3"), case aside.
std::optional<Form> formFromName(std::string_view name);
std::string_view formName(Form form);
// The name shown to people ("TCVN3", "VNI Windows").
std::string_view formTitle(Form form);
// Forms written as bytes rather than as text.
bool isByteForm(Form form);

// Units: for a byte form, the byte values 0..255, where a unit above 0xFF is a character that passes
// through as it is (text that reached us as characters, such as the clipboard's); for the other forms,
// Unicode characters. The text: Unicode characters, Vietnamese letters precomposed.
std::u32string decode(Form form, std::u32string_view units);

// A character the form cannot hold, written as "?". Line and column count from 1, in characters.
struct Replaced {
    std::size_t line = 0;
    std::size_t column = 0;
    char32_t character = 0;
};
struct Encoded {
    std::u32string units;
    std::vector<Replaced> replaced; // the first maxListed
    std::size_t replacedCount = 0;  // all of them
};
Encoded encode(Form form, std::u32string_view text, std::size_t maxListed = 100);

// Text copied from a document in a legacy font reaches Windows' clipboard as the Windows-1252
// characters of its bytes: these turn such characters into byte units and back.
std::u32string unitsFromWindows1252(std::u32string_view text);
std::u32string windows1252FromUnits(std::u32string_view units);

} // namespace lurcore::convert
