// What the converter's key did, said in a balloon from the tray icon.
#include "app/form.h"
#include "engine/clipboard_notice.h"

#include <array>
#include <string>

namespace {

// The converter's forms by number, as the engine reports them (the host tests hold them to the
// converter's own titles): the program carries these names, not the converter.
constexpr std::array<const char16_t*, 9> kFormTitles = {
    u"Unicode", u"Unicode NFD", u"TCVN3",        u"VNI Windows", u"VIQR",
    u"NCR",     u"NCR hex",     u"Windows-1258", u"VISCII",
};

// 1.234, as Vietnamese writes thousands.
std::u16string number(std::uint32_t value) {
    std::u16string digits;
    int count = 0;
    do {
        if (count > 0 && count % 3 == 0) {
            digits.insert(digits.begin(), u'.');
        }
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
        ++count;
    } while (value != 0);
    return digits;
}

std::u16string title(std::uint8_t form) {
    return form < kFormTitles.size() ? kFormTitles[form] : u"?";
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
