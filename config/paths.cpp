#include "config/paths.h"

#include <cstdint>

namespace lur {

std::string folderOf(const std::string& file) {
    const auto slash = file.find_last_of('\\');
    if (slash == std::string::npos) {
        return {};
    }
    if (slash == 2 && file[1] == ':') {
        return file.substr(0, 3);
    }
    return file.substr(0, slash);
}

std::string workingDirectoryOf(const std::string& file) {
    const auto end = file.find_last_of("\\:");
    return end == std::string::npos ? std::string() : file.substr(0, end + 1);
}

std::string joinPath(const std::string& folder, const std::string& backslashName) {
    if (!folder.empty() && folder.back() == '\\' && !backslashName.empty() && backslashName.front() == '\\') {
        return folder + backslashName.substr(1);
    }
    return folder + backslashName;
}

std::string oleErrorMessage(std::int32_t code, const std::string& systemText) {
    if (!systemText.empty()) {
        return systemText;
    }
    std::string text = "OLE error 00000000";
    const auto value = static_cast<std::uint32_t>(code);
    for (std::size_t digit = 0; digit < 8; ++digit) {
        text[text.size() - 1 - digit] = "0123456789abcdef"[(value >> (4 * digit)) & 0xFu];
    }
    return text;
}

std::string errorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
        return message + '.';
    }
    return message;
}

} // namespace lur
