#include "lurcore/core/code_table.h"

#include "lurcore/core/code_table_data.h"

#include <algorithm>

namespace lurcore::core {
namespace {

const Glyph* findGlyph(char16_t character) {
    const auto found = std::lower_bound(kGlyphs.begin(), kGlyphs.end(), character,
                                        [](const Glyph& glyph, char16_t c) { return glyph.unicode < c; });
    return found != kGlyphs.end() && found->unicode == character ? &*found : nullptr;
}

} // namespace

int encodeLegacy(char16_t* out, char16_t character, CodeTable table) {
    const Glyph* glyph = findGlyph(character);
    if (glyph == nullptr) {
        out[0] = u'?'; // nothing the composer makes; never send a byte the table does not define
        return 1;
    }
    if (table == CodeTable::Tcvn3) {
        out[0] = glyph->tcvn3;
        return 1;
    }
    out[0] = glyph->vni[0];
    out[1] = glyph->vni[1];
    return glyph->vniLength;
}

void appendEncoded(std::u16string& out, char16_t character, CodeTable table) {
    char16_t units[kMaxUnitsPerCharacter];
    out.append(units, encodeInto(units, character, table));
}

std::u16string encode(std::u16string_view text, CodeTable table) {
    std::u16string out;
    for (char16_t character : text) {
        appendEncoded(out, character, table);
    }
    return out;
}

} // namespace lurcore::core
