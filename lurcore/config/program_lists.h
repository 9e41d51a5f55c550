// Every list of programs and windows the engine knows by name, in one place: the programs whose text
// fields complete what is typed, the taskbar's windows, the host of the Store's programs.
#pragma once

#include "lurcore/core/correction.h"

#include <span>
#include <string>
#include <string_view>

namespace lurcore::config {

// The correction for a program, by its name as programName() gives it (lower case, no folder): the
// completing programs the engine knows (browsers, spreadsheets, the system's Run and search boxes) and
// those of the user's [completing] list (sorted) get Correction::Placeholder, every other Backspaces.
core::Correction correctionForProgram(std::string_view program, std::span<const std::string> completing);

// The taskbar's windows and its notification area: clicks there switch typing for the program the user
// came from, so they belong to no program.
bool isTaskbarClass(std::u16string_view windowClass);

// The desktop's own windows, which cover the screen without being a full-screen program.
bool isDesktopClass(std::u16string_view windowClass);

// The process that draws the frame of the Store's programs; the program itself runs in another process
// whose window sits inside that frame.
bool isFrameHost(std::string_view program);

} // namespace lurcore::config
