#include "lurcore/core/options.h"

namespace lurcore::core {

InputMethod inputMethodFromByte(std::uint8_t value) {
    return value == 1 ? InputMethod::Telex : InputMethod::Vni;
}

CodeTable codeTableFromByte(std::uint8_t value) {
    switch (value) {
    case 1:
        return CodeTable::Tcvn3;
    case 2:
        return CodeTable::VniWindows;
    default:
        return CodeTable::Unicode;
    }
}

ToneRule toneRuleFromByte(std::uint8_t value) {
    switch (value) {
    case 1:
        return ToneRule::AfterVowel;
    case 2:
        return ToneRule::Neither;
    default:
        return ToneRule::Free;
    }
}

} // namespace lurcore::core
