#pragma once

#include <string>

namespace lurcore {

// The command line stored for the start-up entry: the path in double quotes, so that a folder with
// spaces cannot be read as another program followed by arguments. Quotes already around the path are
// not doubled; a path that holds a quote inside is refused (empty result).
std::string runCommandFor(const std::string& path);

} // namespace lurcore
