// The balloon after the converter's key: what the engine reports, said in Vietnamese from the icon.
#include "engine/clipboard_notice.h"
#include "lurcore/convert/converter.h"
#include "tests/host/support/fake_platform.h"

#include <gtest/gtest.h>

namespace {

TEST(ConverterBalloon, SaysWhatWasDone) {
    constexpr TSharedSettings kBlock{0, 1, 1, 0, 1, 0, 0, 0, 1, 0}; // quick start on: the icon is there
    fake::Rig rig{kBlock};
    TForm1& form = rig.created();
    const auto show = [&](ClipboardNotice notice) {
        rig.tray.balloons.clear();
        form.ClipboardConverted(notice.characters, notice.packed());
        EXPECT_EQ(rig.tray.balloons.size(), 2u);
        return rig.tray.balloons.empty() ? std::u16string() : rig.tray.balloons.back();
    };
    EXPECT_EQ(show({ClipboardNotice::Outcome::Converted, 2, 0, 1234}), u"TCVN3 → Unicode: 1.234 ký tự");
    EXPECT_EQ(show({ClipboardNotice::Outcome::Converted, 0, 3, 1234567}),
              u"Unicode → VNI Windows: 1.234.567 ký tự");
    EXPECT_NE(show({ClipboardNotice::Outcome::Unchanged, 0, 0, 12}).find(u"không có gì phải đổi (12 ký tự)"),
              std::u16string::npos);
    EXPECT_NE(show({ClipboardNotice::Outcome::Replaced, 0, 2, 5}).find(u"?"), std::u16string::npos);
    EXPECT_EQ(show({ClipboardNotice::Outcome::Converted, 200, 0, 1}), u"? → Unicode: 1 ký tự");
    EXPECT_EQ(show({ClipboardNotice::Outcome::Converted, 2, 0, 0}), u"TCVN3 → Unicode: 0 ký tự");
    // The program's names of the forms are the converter's.
    for (std::size_t form = 0; form < lurcore::convert::kForms.size(); ++form) {
        const std::string_view name = lurcore::convert::formTitle(lurcore::convert::kForms[form]);
        EXPECT_EQ(show({ClipboardNotice::Outcome::Converted, static_cast<std::uint8_t>(form), 0, 1}),
                  std::u16string(name.begin(), name.end()) + u" → Unicode: 1 ký tự");
    }
}

} // namespace
