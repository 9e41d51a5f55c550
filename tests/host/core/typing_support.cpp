#include "typing_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lurcore::core::test {

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        if (extra == 3 || at + extra >= text.size()) {
            throw std::runtime_error("unexpected UTF-8 in test data");
        }
        char32_t code = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : (lead & 0x0F);
        for (int more = 1; more <= extra; ++more) {
            code = (code << 6) | (static_cast<unsigned char>(text[at + more]) & 0x3F);
        }
        out.push_back(static_cast<char16_t>(code));
        at += extra + 1;
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::vector<std::vector<std::string>> readTable(const std::string& name) {
    return readTableFile(std::string(LUR_CORE_TEST_DATA) + "/" + name);
}

std::vector<std::vector<std::string>> readTableFile(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        throw std::runtime_error("missing test data file " + path);
    }
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> cells;
        std::stringstream stream(line);
        std::string cell;
        while (std::getline(stream, cell, '\t')) {
            cells.push_back(cell);
        }
        if (line.back() == '\t') {
            cells.emplace_back();
        }
        rows.push_back(cells);
    }
    return rows;
}

ReferenceTables::ReferenceTables() {
    auto rows = readTableFile(LUR_CODE_TABLES); // the file the build makes the tables from
    rows.erase(rows.begin());                   // header
    for (const auto& row : rows) {
        const std::u16string letter = fromUtf8(row.at(0));
        std::u16string tcvn;
        std::u16string vni;
        for (auto [text, out] : {std::pair{row.at(2), &tcvn}, std::pair{row.at(3), &vni}}) {
            std::stringstream stream(text);
            unsigned value = 0;
            while (stream >> std::hex >> value) {
                out->push_back(static_cast<char16_t>(value));
            }
        }
        bytes_[letter.at(0)] = {tcvn, vni};
        letters_.push_back(letter);
    }
}

std::u16string ReferenceTables::encode(std::u16string_view unicode, CodeTable table) const {
    if (table == CodeTable::Unicode) {
        return std::u16string(unicode);
    }
    std::u16string out;
    for (char16_t c : unicode) {
        const auto found = bytes_.find(c);
        if (found == bytes_.end()) {
            out.push_back(c);
        } else {
            out += table == CodeTable::Tcvn3 ? found->second.first : found->second.second;
        }
    }
    return out;
}

std::u16string typeOnScreen(Composer& composer, std::u16string_view keys) {
    std::u16string screen;
    for (char16_t key : keys) {
        const Edit edit = key == u'<' ? composer.backspace() : composer.type(key);
        if (edit.pass) {
            if (key != u'<') {
                screen.push_back(key);
            } else if (!screen.empty()) {
                screen.pop_back();
            }
            continue;
        }
        if (edit.backspaces > static_cast<int>(screen.size())) {
            throw std::runtime_error("the composer erased more than it typed");
        }
        screen.resize(screen.size() - edit.backspaces);
        screen += edit.text;
    }
    return screen;
}

KeyScript::KeyScript() {
    for (const auto& row : readTable("letters.tsv")) {
        const std::u16string letter = fromUtf8(row.at(0));
        const std::u16string base = fromUtf8(row.at(1));
        const std::string& shape = row.at(2);
        const char code = shape == "hat"      ? 'h'
                          : shape == "breve"  ? 'b'
                          : shape == "horn"   ? 'w'
                          : shape == "stroke" ? 'd'
                                              : 'n';
        parts_[letter.at(0)] = Parts{base.at(0), code, std::stoi(row.at(3))};
    }
}

std::u16string KeyScript::keysFor(std::u16string_view word, InputMethod method, TonePlace place) const {
    const bool telex = method == InputMethod::Telex;
    std::u16string keys;
    int tone = 0;
    std::size_t afterVowels = 0; // where the tone key goes in AfterVowels
    char16_t previousPlain = 0;
    for (char16_t c : word) {
        Parts parts{c, 'n', 0};
        if (const auto found = parts_.find(c); found != parts_.end()) {
            parts = found->second;
        }
        const char16_t lower =
            parts.base >= u'A' && parts.base <= u'Z' ? char16_t(parts.base + 32) : parts.base;
        keys.push_back(parts.base);
        // In Telex a plain a, e or o after the same plain letter would put a hat on it: press it twice.
        if (telex && parts.shape == 'n' && lower == previousPlain &&
            (lower == u'a' || lower == u'e' || lower == u'o')) {
            keys.push_back(parts.base);
        }
        previousPlain = parts.shape == 'n' ? lower : 0;
        switch (parts.shape) {
        case 'h':
            keys.push_back(telex ? parts.base : u'6');
            break;
        case 'b':
            keys.push_back(telex ? u'w' : u'8');
            break;
        case 'w':
            keys.push_back(telex ? u'w' : u'7');
            break;
        case 'd':
            keys.push_back(telex ? parts.base : u'9');
            break;
        default:
            break;
        }
        if (parts.tone != 0) {
            tone = parts.tone;
        }
        if (lower == u'a' || lower == u'e' || lower == u'i' || lower == u'o' || lower == u'u' ||
            lower == u'y') {
            afterVowels = keys.size();
        }
    }
    if (tone != 0) {
        const char16_t toneKey = telex ? u"sfrxj"[tone - 1] : char16_t(u'0' + tone);
        keys.insert(place == TonePlace::AtEnd ? keys.size() : afterVowels, 1, toneKey);
    }
    return keys;
}

std::u16string toneOnFirstOfPair(std::u16string word) {
    const std::size_t size = word.size();
    if (size < 2) {
        return word;
    }
    // The last two letters, decomposed with the reference decompositions.
    static const std::map<char16_t, std::pair<char16_t, int>> toned = [] {
        std::map<char16_t, std::pair<char16_t, int>> map;
        for (const auto& row : readTable("letters.tsv")) {
            if (row.at(2) == "none") {
                map[fromUtf8(row.at(0)).at(0)] = {fromUtf8(row.at(1)).at(0), std::stoi(row.at(3))};
            }
        }
        return map;
    }();
    static const std::map<std::pair<char16_t, int>, char16_t> compose = [] {
        std::map<std::pair<char16_t, int>, char16_t> map;
        for (const auto& [letter, parts] : toned) {
            map[parts] = letter;
        }
        return map;
    }();
    const char16_t first = word[size - 2];
    const auto second = toned.find(word[size - 1]);
    if (second == toned.end() || second->second.second == 0) {
        return word;
    }
    const char16_t secondBase = static_cast<char16_t>(second->second.first | 0x20);
    const char16_t firstLower = static_cast<char16_t>(first | 0x20);
    const bool pair = (firstLower == u'o' && (secondBase == u'a' || secondBase == u'e')) ||
                      (firstLower == u'u' && secondBase == u'y');
    const bool afterQ = size >= 3 && (word[size - 3] | 0x20) == u'q';
    if (!pair || afterQ || (first != u'o' && first != u'O' && first != u'u' && first != u'U')) {
        return word;
    }
    const auto movedFirst = compose.find({first, second->second.second});
    if (movedFirst == compose.end()) {
        return word;
    }
    word[size - 2] = movedFirst->second;
    word[size - 1] = second->second.first;
    return word;
}

std::u16string toneOnSecondOfPair(std::u16string word) {
    // Take the tone off the first of the pair with the reference decompositions, and put it on the second.
    const std::size_t size = word.size();
    if (size < 2 || (size >= 3 && (word[size - 3] | 0x20) == u'q')) {
        return word;
    }
    using Tables =
        std::pair<std::map<char16_t, std::pair<char16_t, int>>, std::map<std::pair<char16_t, int>, char16_t>>;
    static const Tables tables = [] {
        Tables made;
        for (const auto& row : readTable("letters.tsv")) {
            if (row.at(2) == "none") {
                const char16_t letter = fromUtf8(row.at(0)).at(0);
                const std::pair<char16_t, int> parts{fromUtf8(row.at(1)).at(0), std::stoi(row.at(3))};
                made.first[letter] = parts;
                made.second[parts] = letter;
            }
        }
        return made;
    }();
    const auto& [toned, compose] = tables;
    const auto first = toned.find(word[size - 2]);
    const char16_t second = word[size - 1];
    if (first == toned.end() || first->second.second == 0) {
        return word;
    }
    const char16_t firstBase = static_cast<char16_t>(first->second.first | 0x20);
    const char16_t secondLower = static_cast<char16_t>(second | 0x20);
    const bool pair = (firstBase == u'o' && (secondLower == u'a' || secondLower == u'e')) ||
                      (firstBase == u'u' && secondLower == u'y');
    const auto movedSecond = compose.find({second, first->second.second});
    if (!pair || movedSecond == compose.end()) {
        return word;
    }
    word[size - 2] = first->second.first;
    word[size - 1] = movedSecond->second;
    return word;
}

} // namespace lurcore::core::test
