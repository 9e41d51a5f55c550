// Every syllable of the Vietnamese word list, typed in Telex and in VNI with the tone key right after
// the vowels and again at the end, comes out as the syllable in each code table.
#include "typing_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace lurcore::core::test {
namespace {

std::vector<std::u16string> wordList() {
    std::vector<std::u16string> words;
    std::ifstream file(LUR_VI_WORD_LIST);
    std::string line;
    std::getline(file, line); // the count
    while (std::getline(file, line)) {
        const std::size_t flags = line.find('/');
        words.push_back(fromUtf8(line.substr(0, flags)));
    }
    return words;
}

std::set<std::u16string> notSyllables() {
    std::set<std::u16string> entries;
    for (const auto& row : readTable("not_syllables.txt")) {
        entries.insert(fromUtf8(row.at(0)));
    }
    return entries;
}

TEST(WordList, EverySyllableInEveryMethodPlaceAndTable) {
    const std::vector<std::u16string> words = wordList();
    ASSERT_GT(words.size(), 6000u) << "the hunspell-vi word list was not found at configure time ("
                                   << LUR_VI_WORD_LIST << "); scripts/setup installs it";
    const std::set<std::u16string> skipped = notSyllables();
    const ReferenceTables reference;
    const KeyScript script;
    int failures = 0;
    std::size_t typed = 0;
    for (const std::u16string& word : words) {
        if (skipped.contains(word)) {
            continue;
        }
        const std::u16string expected = toneOnFirstOfPair(word);
        for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
            for (TonePlace place : {TonePlace::AfterVowels, TonePlace::AtEnd}) {
                const std::u16string keys = script.keysFor(word, method, place);
                // Each code table with the usual choices; the other choices in Unicode, to keep it quick.
                std::vector<Options> choices;
                for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
                    choices.push_back({method, table, ToneRule::Free, true});
                }
                choices.push_back({method, CodeTable::Unicode, ToneRule::Free, false});
                if (place == TonePlace::AfterVowels) {
                    choices.push_back({method, CodeTable::Unicode, ToneRule::AfterVowel, true});
                }
                for (const Options& options : choices) {
                    Composer composer(options);
                    const std::u16string shown = typeOnScreen(composer, keys);
                    ++typed;
                    if (shown != reference.encode(expected, options.codeTable) && ++failures <= 20) {
                        ADD_FAILURE() << toUtf8(word) << " keys " << toUtf8(keys) << " gave " << toUtf8(shown)
                                      << " in table " << static_cast<int>(options.codeTable) << " spelling "
                                      << options.spellCheck << " rule " << static_cast<int>(options.toneRule);
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(typed, 100000u);
}

// The modern style differs from the classic one exactly on the syllables that end in oa, oe or uy with a
// tone: every other syllable comes out the same, and those come out with the tone on the second vowel.
TEST(WordList, ModernAndClassicStylesDifferExactlyOnOaOeUy) {
    const std::vector<std::u16string> words = wordList();
    ASSERT_GT(words.size(), 6000u);
    const std::set<std::u16string> skipped = notSyllables();
    const ReferenceTables reference;
    const KeyScript script;
    int failures = 0;
    int pairs = 0;
    for (const std::u16string& word : words) {
        if (skipped.contains(word)) {
            continue;
        }
        const std::u16string classic = toneOnFirstOfPair(word);
        const std::u16string modern = toneOnSecondOfPair(word);
        const bool pair = classic != modern;
        pairs += pair ? 1 : 0;
        for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
            for (TonePlace place : {TonePlace::AfterVowels, TonePlace::AtEnd}) {
                const std::u16string keys = script.keysFor(word, method, place);
                for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
                    Composer classicComposer({method, table, ToneRule::Free, true, ToneStyle::Classic});
                    Composer modernComposer({method, table, ToneRule::Free, true, ToneStyle::Modern});
                    const std::u16string classicShown = typeOnScreen(classicComposer, keys);
                    const std::u16string modernShown = typeOnScreen(modernComposer, keys);
                    const bool ok = classicShown == reference.encode(classic, table) &&
                                    modernShown == reference.encode(modern, table) &&
                                    (classicShown != modernShown) == pair;
                    if (!ok && ++failures <= 20) {
                        ADD_FAILURE() << toUtf8(word) << " keys " << toUtf8(keys) << " table "
                                      << static_cast<int>(table) << ": classic " << toUtf8(classicShown)
                                      << ", modern " << toUtf8(modernShown);
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(pairs, 50) << "the list should hold many oa, oe and uy syllables with a tone";
}

TEST(WordList, EntriesThatAreNoSyllablesAreInTheList) {
    // Keeps the skip list honest: each entry in it must be in the word list.
    const std::vector<std::u16string> words = wordList();
    const std::set<std::u16string> all(words.begin(), words.end());
    for (const std::u16string& entry : notSyllables()) {
        EXPECT_TRUE(all.contains(entry)) << toUtf8(entry);
    }
}

} // namespace
} // namespace lurcore::core::test
