// lurio.ini, the user's own file of extra typing choices: what it holds, how it is read, what it says
// when first written, and the lines its problems put into lurio.log.
#pragma once

#include "lurcore/config/converter_config.h"
#include "lurcore/core/abbreviations.h"
#include "lurcore/core/options.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lurcore::config {

// What typing does while a full-screen program (a game) is in front: keep the mode, or type English.
enum class FullScreenRule : std::uint8_t { Keep, English };

struct UserConfig {
    core::ToneStyle toneStyle = core::ToneStyle::Classic;
    bool quickTelex = false;
    bool perAppMode = false;
    std::vector<std::string> englishOnly; // program file names as programName() gives them, sorted
    std::shared_ptr<const core::Abbreviations> abbreviations = std::make_shared<core::Abbreviations>();
    // [completing]: programs whose fields complete what is typed, as englishOnly; and fullscreen.
    std::vector<std::string> completing;
    FullScreenRule fullScreen = FullScreenRule::Keep;
    ConverterConfig converter; // [converter]
};

// Something in the file that was not used as written. Line 0 is the file as a whole.
struct Problem {
    int line = 0;
    std::string text; // UTF-8
};

struct ReadResult {
    UserConfig config;
    std::vector<Problem> problems; // the first kMaxProblems
    int moreProblems = 0;          // how many more there were
};

inline constexpr std::size_t kMaxFileBytes = 1024 * 1024; // the rest of a larger file is not read
inline constexpr std::size_t kMaxProblems = 30;
inline constexpr std::size_t kMaxProgramName = 260;

// Reads the file's bytes (UTF-8, with or without a byte-order mark). Every line that can be used is
// used; every other one becomes a problem, and what it tried to set keeps its default.
ReadResult readUserConfig(std::span<const std::uint8_t> bytes);

// What the file holds when the engine first makes it: every choice at its default, each explained.
std::string defaultUserConfigText();

// A program's file name as lists hold it: UTF-8, lower case, without its folder.
std::string programName(std::u16string_view fileNameOrPath);

} // namespace lurcore::config
