#include "lurcore/win32/win32_file_ops.h"

#include "engine/utf8.h"

#include <windows.h>

namespace lurcore {

bool Win32FileOps::writeDurably(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(lur::wideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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
    return MoveFileExW(lur::wideFromUtf8(from).c_str(), lur::wideFromUtf8(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Win32FileOps::remove(const std::string& path) {
    DeleteFileW(lur::wideFromUtf8(path).c_str());
}

FileRead Win32FileOps::read(const std::string& path, std::size_t maxBytes) {
    const DWORD share = sharing_ == ReadSharing::Everyone
                            ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                            : FILE_SHARE_READ;
    HANDLE file = CreateFileW(lur::wideFromUtf8(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Only a file (or folder) that is not there is missing; anything else hides a file we must keep.
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileRead::Status::Missing : FileRead::Status::Unreadable, {}};
    }
    FileRead result{FileRead::Status::Read, std::vector<std::uint8_t>(maxBytes + 1)};
    DWORD got = 0;
    const bool ok =
        ReadFile(file, result.bytes.data(), static_cast<DWORD>(result.bytes.size()), &got, nullptr) != 0;
    CloseHandle(file);
    if (!ok) {
        return {FileRead::Status::Unreadable, {}};
    }
    result.bytes.resize(got);
    return result;
}

} // namespace lurcore
