// Every letter of the code-table reference, typed in Telex and VNI, arrives as the reference's bytes,
// and one Backspace takes it off whole.
#include "typing_support.h"

#include <gtest/gtest.h>

namespace lurcore::core::test {
namespace {

TEST(CodeTables, EveryLetterOfTheReference) {
    const ReferenceTables reference;
    const KeyScript script;
    ASSERT_EQ(reference.letters().size(), 134u);
    for (const std::u16string& letter : reference.letters()) {
        for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
            for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
                Composer composer({method, table, ToneRule::Free, true});
                const std::u16string keys = script.keysFor(letter, method, TonePlace::AtEnd);
                const std::u16string expected = reference.encode(letter, table);
                EXPECT_EQ(typeOnScreen(composer, keys), expected)
                    << toUtf8(letter) << " keys " << toUtf8(keys) << " table " << static_cast<int>(table);
                Composer again({method, table, ToneRule::Free, true});
                EXPECT_EQ(typeOnScreen(again, keys + u"<"), u"") << toUtf8(letter);
            }
        }
    }
}

TEST(CodeTables, LegacyBytesTravelAsCodeUnitsBelow256) {
    const ReferenceTables reference;
    for (const std::u16string& letter : reference.letters()) {
        for (CodeTable table : {CodeTable::Tcvn3, CodeTable::VniWindows}) {
            for (char16_t unit : reference.encode(letter, table)) {
                EXPECT_LT(unit, 0x100) << toUtf8(letter);
            }
        }
    }
}

} // namespace
} // namespace lurcore::core::test
