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

void appendEncoded(std::u16string& out, char16_t character, CodeTable table) {
    if (table == CodeTable::Unicode || character < 0x80) {
        out.push_back(character);
        return;
    }
    const Glyph* glyph = findGlyph(character);
    if (glyph == nullptr) {
        out.push_back(u'?'); // nothing the composer makes; never send a byte the table does not define
        return;
    }
    if (table == CodeTable::Tcvn3) {
        out.push_back(glyph->tcvn3);
        return;
    }
    for (int at = 0; at < glyph->vniLength; ++at) {
        out.push_back(glyph->vni[at]);
    }
}

std::u16string encode(std::u16string_view text, CodeTable table) {
    std::u16string out;
    out.reserve(text.size() * 2);
    for (char16_t character : text) {
        appendEncoded(out, character, table);
    }
    return out;
}

} // namespace lurcore::core
