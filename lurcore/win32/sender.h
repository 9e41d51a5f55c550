// Sends the composer's edits to the focused window as our own, marked input.
#pragma once

#include "lurcore/core/composer.h"
#include "lurcore/core/correction.h"

#include <cstdint>

namespace lurcore {

// dwExtraInfo of every event we send, so the hook lets our own input through untouched.
inline constexpr std::uintptr_t kOwnInputMarker = 0x4C757243; // "LurC"

// The keys that replace what is on screen (see core::Correction), then each code unit as a Unicode
// character (a legacy byte b as U+00b).
void sendEdit(const core::Edit& edit, core::Correction correction);
// A key nothing listens to, so that releasing Alt after Alt+Z does not open the window's menu.
void sendMenuBlocker();

} // namespace lurcore
