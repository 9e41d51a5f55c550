// Reading the reference files, and small helpers shared by the converter's tests.
#pragma once

#include "lurcore/convert/converter.h"

#include <string>
#include <vector>

namespace lurcore::convert::test {

struct ReferenceRow {
    char32_t letter = 0;
    std::string tcvn3; // bytes
    std::string vni;
};
// A code-table file: letter, code point, TCVN3 bytes, VNI Windows bytes (hex).
std::vector<ReferenceRow> readCodeTables(const std::string& path);
std::vector<std::pair<char32_t, std::u32string>> readDecompositions(const std::string& path);
std::vector<std::u32string> readWordList(const std::string& path);

std::u32string units(const std::string& bytes);
std::string bytes(const std::u32string& units);
std::u32string u32(const std::string& utf8);
std::string utf8(const std::u32string& text);
std::string hex(const std::u32string& text);

} // namespace lurcore::convert::test
