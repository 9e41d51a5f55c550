#include "convert_support.h"

#include "lurcore/convert/unicode_text.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace lurcore::convert::test {
namespace {

std::string hexBytes(const std::string& field) {
    std::string out;
    std::istringstream in(field);
    std::string pair;
    while (in >> pair) {
        out.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
    }
    return out;
}

char32_t codePoint(const std::string& field) {
    return static_cast<char32_t>(std::stoul(field.substr(2), nullptr, 16));
}

std::vector<std::vector<std::string>> readTsv(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(file, line); // the header
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream in(line);
        std::string field;
        while (std::getline(in, field, '\t')) {
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

} // namespace

std::vector<ReferenceRow> readCodeTables(const std::string& path) {
    std::vector<ReferenceRow> rows;
    for (const auto& fields : readTsv(path)) {
        if (fields.size() == 4) {
            rows.push_back({codePoint(fields[1]), hexBytes(fields[2]), hexBytes(fields[3])});
        }
    }
    return rows;
}

std::vector<std::pair<char32_t, std::u32string>> readDecompositions(const std::string& path) {
    std::vector<std::pair<char32_t, std::u32string>> rows;
    for (const auto& fields : readTsv(path)) {
        std::u32string parts;
        std::istringstream in(fields.at(1));
        std::string part;
        while (in >> part) {
            parts.push_back(codePoint(part));
        }
        rows.emplace_back(codePoint(fields.at(0)), parts);
    }
    return rows;
}

std::vector<std::u32string> readWordList(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::u32string> words;
    std::string line;
    std::getline(file, line); // the count
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('/'));
        if (!line.empty()) {
            words.push_back(u32(line));
        }
    }
    return words;
}

std::u32string units(const std::string& bytes) {
    std::u32string out;
    for (char c : bytes) {
        out.push_back(static_cast<unsigned char>(c));
    }
    return out;
}

std::string bytes(const std::u32string& units) {
    std::string out;
    for (char32_t c : units) {
        out.push_back(static_cast<char>(c));
    }
    return out;
}

std::u32string u32(const std::string& text) {
    std::u32string out;
    std::size_t bad = 0;
    readUtf8(text, out, bad);
    return out;
}

std::string utf8(const std::u32string& text) {
    return toUtf8(text);
}

std::string hex(const std::u32string& text) {
    std::string out;
    for (char32_t c : text) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%s%04X", out.empty() ? "" : " ", static_cast<unsigned>(c));
        out += buffer;
    }
    return out;
}

} // namespace lurcore::convert::test
