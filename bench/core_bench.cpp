// Nanoseconds per keystroke of the composition core over every entry of the Vietnamese word list,
// in Telex and VNI and each code table. Usage: core_bench [word list] [rounds]
#include "typing_support.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace lurcore::core;

namespace {

std::vector<std::u16string> readWords(const char* path) {
    std::vector<std::u16string> words;
    std::ifstream file(path);
    std::string line;
    std::getline(file, line); // the count
    while (std::getline(file, line)) {
        words.push_back(test::fromUtf8(line.substr(0, line.find('/'))));
    }
    return words;
}

} // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : LUR_VI_WORD_LIST;
    const int rounds = argc > 2 ? std::stoi(argv[2]) : 20;
    const std::vector<std::u16string> words = readWords(path);
    if (words.empty()) {
        std::fprintf(stderr, "no words read from %s\n", path);
        return 1;
    }
    const test::KeyScript script;
    std::printf("%zu words, %d rounds\n", words.size(), rounds);
    for (InputMethod method : {InputMethod::Telex, InputMethod::Vni}) {
        std::vector<std::u16string> keys;
        std::size_t keystrokes = 0;
        for (const std::u16string& word : words) {
            keys.push_back(script.keysFor(word, method, test::TonePlace::AtEnd) + u" ");
            keystrokes += keys.back().size();
        }
        for (CodeTable table : {CodeTable::Unicode, CodeTable::Tcvn3, CodeTable::VniWindows}) {
            Composer composer({method, table, ToneRule::Free, true});
            std::size_t sent = 0; // keeps the work from being optimised away
            const auto start = std::chrono::steady_clock::now();
            for (int round = 0; round < rounds; ++round) {
                for (const std::u16string& word : keys) {
                    for (char16_t key : word) {
                        const Edit edit = composer.type(key);
                        sent += edit.pass ? 1 : edit.backspaces + edit.text.size();
                    }
                }
            }
            const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
            std::printf("%-5s %-11s %7.1f ns per keystroke (%zu keystrokes, %zu units out)\n",
                        method == InputMethod::Telex ? "Telex" : "VNI",
                        table == CodeTable::Unicode ? "Unicode"
                        : table == CodeTable::Tcvn3 ? "TCVN3"
                                                    : "VNI Windows",
                        elapsed.count() / (static_cast<double>(keystrokes) * rounds), keystrokes * rounds,
                        sent);
        }
    }
    return 0;
}
