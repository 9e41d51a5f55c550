// Helpers for the composition tests: UTF-8 data files, the legacy tables from the reference file,
// a screen that takes the composer's edits, and the keys that type a word in Telex or VNI.
#pragma once

#include "lurcore/core/composer.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lurcore::core::test {

std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

// The lines of a data file in tests/host/core/data, without comments and blank lines, split at tabs.
std::vector<std::vector<std::string>> readTable(const std::string& name);
// The same for a data file elsewhere.
std::vector<std::vector<std::string>> readTableFile(const std::string& path);

// Encodes with the bytes read straight from code_tables.tsv, independently of the tables the build
// compiles from it.
class ReferenceTables {
public:
    ReferenceTables();
    std::u16string encode(std::u16string_view unicode, CodeTable table) const;
    const std::vector<std::u16string>& letters() const { return letters_; }

private:
    std::map<char16_t, std::pair<std::u16string, std::u16string>> bytes_; // TCVN3, VNI Windows
    std::vector<std::u16string> letters_;
};

// What an application's edit box shows after the keys: '<' is Backspace, a space ends the word.
std::u16string typeOnScreen(Composer& composer, std::u16string_view keys);

enum class TonePlace { AfterVowels, AtEnd };

// The keys that type a word, from the letters' Unicode decompositions in data/letters.tsv.
class KeyScript {
public:
    KeyScript();
    std::u16string keysFor(std::u16string_view word, InputMethod method, TonePlace place) const;

private:
    struct Parts {
        char16_t base;
        char shape; // n none, h hat, b breve, w horn, d stroke
        int tone;
    };
    std::map<char16_t, Parts> parts_;
};

// Moves the tone of a final oa, oe or uy (not after q) onto the first vowel: hoà becomes hòa.
std::u16string toneOnFirstOfPair(std::u16string word);
// The other way: the tone of a final oa, oe or uy (not after q) onto the second vowel: hòa becomes hoà.
std::u16string toneOnSecondOfPair(std::u16string word);

} // namespace lurcore::core::test
