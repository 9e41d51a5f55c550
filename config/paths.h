// Paths of the program's own files, built from the running executable's path.
#pragma once

#include <cstdint>
#include <string>

namespace lur {

// The folder of a file: "C:\Dir\Lurb.exe" gives "C:\Dir", "C:\Lurb.exe" gives "C:\" (a root keeps its
// backslash). A path without a folder gives an empty text.
std::string folderOf(const std::string& file);

// Everything up to and including the last backslash or drive colon.
std::string workingDirectoryOf(const std::string& file);

// Joins a folder and a name that starts with a backslash, without doubling the backslash.
std::string joinPath(const std::string& folder, const std::string& backslashName);

// The message of a failure to create a COM object: the system's text, or "OLE error %.8x".
std::string oleErrorMessage(std::int32_t code, const std::string& systemText);

// The text of the error box: a full stop is added when the last character's code is above the full
// stop's.
std::string errorBoxText(const std::string& message);

inline constexpr const char* kErrorBoxTitle = "Lurb";
inline constexpr const char* kInterfaceNotSupported = "Interface not supported";

} // namespace lur
