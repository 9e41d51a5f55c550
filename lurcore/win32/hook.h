// The keyboard hook and what the composer is told by the program.
#pragma once

#include <cstdint>

namespace lurcore {

void hookStart();       // installs the low-level hooks (on the engine's thread) and turns typing on
void hookStop();        // removes them; harmless when they are not installed
void settingsChanged(); // the block may hold a new spelling check or switch key
void setCodeTable(std::uint8_t codeTable);
void setInputMethod(std::uint8_t inputMethod);
void setToneRule(std::uint8_t toneRule);
void resetWord();
// For the test build only: removes the hooks the way the system does, without the engine knowing.
void hookDropForTest();

} // namespace lurcore
