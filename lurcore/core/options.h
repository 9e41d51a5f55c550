// What the program chooses for typing: input method, code table, tone rule and spelling check.
#pragma once

#include <cstdint>

namespace lurcore::core {

enum class InputMethod : std::uint8_t { Vni = 0, Telex = 1 };
enum class CodeTable : std::uint8_t { Unicode = 0, Tcvn3 = 1, VniWindows = 2 };
// Neither is what the program hands over when neither tone box is ticked; it places tones as Free.
enum class ToneRule : std::uint8_t { Free = 0, AfterVowel = 1, Neither = 2 };
// Where oa, oe and uy without a final take the tone: classic on the first vowel (hòa, khỏe, thủy),
// modern on the second (hoà, khoẻ, thuỷ).
enum class ToneStyle : std::uint8_t { Classic = 0, Modern = 1 };

struct Options {
    InputMethod inputMethod = InputMethod::Telex;
    CodeTable codeTable = CodeTable::Unicode;
    ToneRule toneRule = ToneRule::Free;
    bool spellCheck = true;
    // From the user's own file; not in the program's block.
    ToneStyle toneStyle = ToneStyle::Classic;
    bool quickTelex = false; // Telex cc gg kk nn pp qq tt: ch gi kh ng ph qu th

    bool operator==(const Options&) const = default;
};

// The program's bytes arrive unchecked: anything unknown falls back to the first choice.
InputMethod inputMethodFromByte(std::uint8_t value);
CodeTable codeTableFromByte(std::uint8_t value);
ToneRule toneRuleFromByte(std::uint8_t value);

} // namespace lurcore::core
