#include "lurcore/win32/win32_file_ops.h"

#include <windows.h>

namespace lurcore {

bool Win32FileOps::writeDurably(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    return ok;
}

bool Win32FileOps::replace(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32FileOps::remove(const std::string& path) {
    DeleteFileA(path.c_str());
}

std::optional<std::vector<std::uint8_t>> Win32FileOps::read(const std::string& path, std::size_t maxBytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(maxBytes + 1);
    DWORD got = 0;
    const bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) != 0;
    CloseHandle(file);
    if (!ok || got > maxBytes) {
        return std::nullopt;
    }
    bytes.resize(got);
    return bytes;
}

} // namespace lurcore
