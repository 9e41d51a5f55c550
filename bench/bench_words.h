// What the composition benchmarks share: the word list they type, the names of the methods and tables
// they are asked for, and callgrind's client requests (that count nothing without valgrind's header).
#pragma once

#include "typing_support.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else // without valgrind's header the counting modes count nothing; timing still works
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_TOGGLE_COLLECT
#define CALLGRIND_DUMP_STATS_AT(name) static_cast<void>(name)
#endif

#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline constexpr lurcore::core::InputMethod kMethods[] = {lurcore::core::InputMethod::Telex,
                                                          lurcore::core::InputMethod::Vni};
inline constexpr lurcore::core::CodeTable kTables[] = {
    lurcore::core::CodeTable::Unicode, lurcore::core::CodeTable::Tcvn3, lurcore::core::CodeTable::VniWindows};

inline const char* methodName(lurcore::core::InputMethod method) {
    return method == lurcore::core::InputMethod::Telex ? "telex" : "vni";
}

inline const char* tableName(lurcore::core::CodeTable table) {
    using lurcore::core::CodeTable;
    return table == CodeTable::Unicode ? "unicode" : table == CodeTable::Tcvn3 ? "tcvn3" : "vniwin";
}

// The words of a hunspell .dic file: its first line is the count, each word may carry flags after '/'.
inline std::vector<std::u16string> readWords(const char* path) {
    std::vector<std::u16string> words;
    std::ifstream file(path);
    std::string line;
    std::getline(file, line); // the count
    while (std::getline(file, line)) {
        words.push_back(lurcore::core::test::fromUtf8(line.substr(0, line.find('/'))));
    }
    return words;
}

} // namespace bench
