// One ordered record of every engine and platform call a test sets off.
#pragma once

#include "engine/lurcore.h"

#include <string>
#include <vector>

namespace fake {

std::vector<std::string>& calls();
void clearCalls();
void record(const std::string& call);
// The calls whose text starts with `prefix`, in order.
std::vector<std::string> callsStartingWith(const std::string& prefix);

// The block behind the fake GetSharedData.
TSharedSettings& engineBlock();
// The block as it was at each WriteToFile.
std::vector<TSharedSettings>& storedBlocks();
void resetEngine(const TSharedSettings& block);

} // namespace fake
