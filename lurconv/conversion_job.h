// lurconv's work, apart from files and the console: its arguments, and one input's bytes turned into
// the output's bytes and the lines for standard error.
#pragma once

#include "lurcore/convert/converter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lurconv {

inline constexpr int kConverted = 0;
inline constexpr int kConvertedWithReplacements = 1;
inline constexpr int kFailed = 2;

struct Arguments {
    bool help = false;
    std::optional<lurcore::convert::Form> from; // nothing for auto
    lurcore::convert::Form to = lurcore::convert::Form::Unicode;
    std::string input;  // empty: standard input
    std::string output; // empty: standard output
};

// The arguments after the program's name, UTF-8. Fills `error` and gives nothing when they are wrong.
std::optional<Arguments> parseArguments(const std::vector<std::string>& arguments, std::string& error);

// The usage, in Vietnamese and in English.
std::string usage();

struct JobResult {
    int status = kConverted;
    std::string output;   // the bytes to write; nothing is written unless status < kFailed
    std::string messages; // for standard error, UTF-8, one line each
};

JobResult convertBytes(const Arguments& arguments, std::string_view input);

} // namespace lurconv
