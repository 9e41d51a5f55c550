#include "lurcore/convert/clipboard_text.h"

#include "lurcore/convert/detect.h"
#include "lurcore/convert/unicode_text.h"

namespace lurcore::convert {

ClipboardConversion convertClipboardText(std::u16string& text, std::optional<Form> from, Form to) {
    const std::u32string characters = fromUtf16(text);
    const std::u32string units = unitsFromWindows1252(characters);
    ClipboardConversion result;
    result.to = to;
    if (from) {
        result.from = *from;
    } else if (const auto found = detectForm(&characters, units)) {
        result.from = found->form;
    }
    const std::u32string decoded = decode(result.from, isByteForm(result.from) ? units : characters);
    result.characters = decoded.size();
    Encoded encoded = encode(to, decoded, 0);
    const std::u32string written =
        isByteForm(to) ? windows1252FromUnits(encoded.units) : std::move(encoded.units);
    result.replaced = encoded.replacedCount;
    if (written != characters) {
        text = toUtf16(written);
        result.outcome = result.replaced > 0 ? ClipboardConversion::Outcome::Replaced
                                             : ClipboardConversion::Outcome::Converted;
    }
    return result;
}

} // namespace lurcore::convert
