// What the converter's key did, said in a balloon from the tray icon.
#include "app/form.h"
#include "engine/clipboard_notice.h"
#include "lurcore/convert/converter.h"

#include <string>

namespace {

std::u16string ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

// 1.234, as Vietnamese writes thousands.
std::u16string number(std::uint32_t value) {
    std::u16string digits = ascii(std::to_string(value));
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, u'.');
    }
    return digits;
}

std::u16string title(std::uint8_t form) {
    return form < lurcore::convert::kForms.size()
               ? ascii(lurcore::convert::formTitle(lurcore::convert::kForms[form]))
               : u"?";
}

} // namespace

void TForm1::ClipboardConverted(std::uint32_t characters, std::uint32_t notice) {
    const ClipboardNotice done = ClipboardNotice::unpack(characters, notice);
    const std::u16string forms = title(done.from) + u" \u2192 " + title(done.to);
    std::u16string text;
    switch (done.outcome) {
    case ClipboardNotice::Outcome::Converted:
        text = forms + u": " + number(done.characters) + u" ký tự";
        break;
    case ClipboardNotice::Outcome::Replaced:
        text = forms + u": " + number(done.characters) + u" ký tự; có ký tự " + title(done.to) +
               u" không có, đã thay bằng ?";
        break;
    case ClipboardNotice::Outcome::Unchanged:
        text = forms + u": không có gì phải đổi (" + number(done.characters) + u" ký tự)";
        break;
    case ClipboardNotice::Outcome::NoText:
        text = u"Bộ nhớ tạm không có văn bản để chuyển mã.";
        break;
    case ClipboardNotice::Outcome::Busy:
        text = u"Không dùng được bộ nhớ tạm (chương trình khác đang giữ); chưa chuyển gì.";
        break;
    }
    p_.tray.showBalloon(TrayData, u"Chuyển mã", text);
}
