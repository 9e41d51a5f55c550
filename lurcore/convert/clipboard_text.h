// The clipboard's text converted in place, as the converter's key does it. Legacy text copied from a
// document in a ".Vn" or VNI font reaches the clipboard as the Windows-1252 characters of its bytes,
// and legacy text put back goes the same way.
#pragma once

#include "lurcore/convert/converter.h"

#include <cstddef>
#include <optional>
#include <string>

namespace lurcore::convert {

struct ClipboardConversion {
    enum class Outcome : std::uint8_t { Converted, Unchanged, Replaced };
    Outcome outcome = Outcome::Unchanged;
    Form from = Form::Unicode; // as chosen, or as found for auto
    Form to = Form::Unicode;
    std::size_t characters = 0; // the text's characters, as read
    std::size_t replaced = 0;   // written as ? because `to` cannot hold them
};

// `from` nothing: auto. The text is changed only when the conversion changes it.
ClipboardConversion convertClipboardText(std::u16string& text, std::optional<Form> from, Form to);

} // namespace lurcore::convert
