// The composer against the first, plain implementation of the same rules (reference_composer): random
// runs of keys in every method, code table, tone rule and spelling choice must give the same edit at
// every key, backspaces and code units alike. The composer updates its spelling state, its text and
// its screen copy from the first changed letter; the model works the whole word out again each time.
#include "reference_composer.h"
#include "typing_support.h"

#include <gtest/gtest.h>

#include <random>

namespace lurcore::core::test {
namespace {

// Keys drawn with the weights of these pools: vowels, the mark keys, the consonants that start and end
// syllables. '<' is Backspace, ' ' ends the word, '.' ends it as punctuation does.
constexpr std::u16string_view kTelexKeys =
    u"aaaeeeiioooouuuyywwwsssffrrxxjjzddnnnghhcctmmppqkbvlA0OUWDS<<< .";
constexpr std::u16string_view kVniKeys =
    u"aaaeeeiioooouuuyy1122334455667777889900dnnnghhcctmmppqkbvlwAOUD<<< .";

std::string describe(std::u16string_view keys) {
    std::string out;
    for (char16_t key : keys) {
        out.push_back(key == u'<' ? '<' : static_cast<char>(key));
    }
    return out;
}

TEST(Differential, RandomKeysGiveTheModelsEditsInEveryChoice) {
    std::mt19937 random(20240613);
    int mismatches = 0;
    std::size_t keysTyped = 0;
    for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
        const std::u16string_view pool = method == InputMethod::Telex ? kTelexKeys : kVniKeys;
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
            for (ToneRule rule : {ToneRule::Free, ToneRule::AfterVowel, ToneRule::Neither}) {
                for (bool spellCheck : {true, false}) {
                    const Options options{method, table, rule, spellCheck};
                    Composer composer(options);
                    reference::Composer model(options);
                    std::u16string history; // the keys since the last word end, for the message
                    for (int key = 0; key < 6000 && mismatches < 10; ++key) {
                        const char16_t typed = pool[pick(random)];
                        history.push_back(typed);
                        const Edit edit = typed == u'<' ? composer.backspace() : composer.type(typed);
                        const reference::Edit expected =
                            typed == u'<' ? model.backspace() : model.type(typed);
                        ++keysTyped;
                        if (edit.pass != expected.pass || edit.backspaces != expected.backspaces ||
                            edit.text.view() != expected.text) {
                            ++mismatches;
                            ADD_FAILURE()
                                << "keys \"" << describe(history) << "\" method " << static_cast<int>(method)
                                << " table " << static_cast<int>(table) << " rule " << static_cast<int>(rule)
                                << " spelling " << spellCheck << ": pass " << edit.pass << " backspaces "
                                << edit.backspaces << " text " << toUtf8(edit.text) << ", model pass "
                                << expected.pass << " backspaces " << expected.backspaces << " text "
                                << toUtf8(expected.text);
                        }
                        EXPECT_EQ(composer.inWord(), model.inWord());
                        if (!composer.inWord()) {
                            history.clear();
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(keysTyped, 200000u);
}

// The choices from the user's file: the modern tone style and Quick Telex, alone and together.
TEST(Differential, ModernStyleAndQuickTelexGiveTheModelsEdits) {
    std::mt19937 random(1501);
    int mismatches = 0;
    for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
        const std::u16string_view pool = method == InputMethod::Telex ? kTelexKeys : kVniKeys;
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        for (ToneStyle style : {ToneStyle::Classic, ToneStyle::Modern}) {
            for (bool quick : {false, true}) {
                for (bool spellCheck : {true, false}) {
                    const Options options{method, CodeTable::VniWindows, ToneRule::Free, spellCheck, style,
                                          quick};
                    Composer composer(options);
                    reference::Composer model(options);
                    std::u16string history;
                    for (int key = 0; key < 8000 && mismatches < 10; ++key) {
                        const char16_t typed = pool[pick(random)];
                        history.push_back(typed);
                        const Edit edit = typed == u'<' ? composer.backspace() : composer.type(typed);
                        const reference::Edit expected =
                            typed == u'<' ? model.backspace() : model.type(typed);
                        if (edit.pass != expected.pass || edit.backspaces != expected.backspaces ||
                            edit.text.view() != expected.text) {
                            ++mismatches;
                            ADD_FAILURE() << "keys \"" << describe(history) << "\" method "
                                          << static_cast<int>(method) << " style " << static_cast<int>(style)
                                          << " quick " << quick << " spelling " << spellCheck << ": text "
                                          << toUtf8(edit.text) << ", model " << toUtf8(expected.text);
                        }
                        if (!composer.inWord()) {
                            history.clear();
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Long runs without a word end: words that grow past the spelling check's eight letters and past the
// word's 32 keys, broken words that get more marks, Backspace across all of it.
TEST(Differential, LongRunsWithoutAWordEnd) {
    std::mt19937 random(7);
    for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
        std::u16string_view pool = method == InputMethod::Telex ? kTelexKeys : kVniKeys;
        pool = pool.substr(0, pool.size() - 2); // no word ends
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        for (CodeTable table : {CodeTable::Unicode, CodeTable::VniWindows}) {
            const Options options{method, table, ToneRule::Free, true};
            Composer composer(options);
            reference::Composer model(options);
            std::u16string keys;
            for (int key = 0; key < 4000; ++key) {
                const char16_t typed = pool[pick(random)];
                keys.push_back(typed);
                const Edit edit = typed == u'<' ? composer.backspace() : composer.type(typed);
                const reference::Edit expected = typed == u'<' ? model.backspace() : model.type(typed);
                ASSERT_EQ(edit.pass, expected.pass) << describe(keys);
                ASSERT_EQ(edit.backspaces, expected.backspaces) << describe(keys);
                ASSERT_EQ(toUtf8(edit.text), toUtf8(expected.text)) << describe(keys);
            }
        }
    }
}

} // namespace
} // namespace lurcore::core::test
