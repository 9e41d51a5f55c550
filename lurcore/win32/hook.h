// The keyboard hook and what the composer is told by the program.
#pragma once

#include <cstdint>

namespace lurcore {

void hookStart(); // installs the low-level hook on the calling thread; a second start adds none
void hookStop();  // removes it; harmless when it is not installed
void setCodeTable(std::uint8_t codeTable);
void setInputMethod(std::uint8_t inputMethod);
void setToneRule(std::uint8_t toneRule);
void resetWord();

} // namespace lurcore
