#include "lurcore/win32/user_config_watch.h"

#include "engine/utf8.h"
#include "lurcore/config/user_config_file.h"
#include "lurcore/win32/foreground_process.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace lurcore {
namespace {

// Everyone may keep the file open while we read it: an editor that holds it must not make it unreadable.
class Win32ConfigFiles final : public config::ConfigFiles {
public:
    Status read(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override {
        HANDLE file = CreateFileW(lur::wideFromUtf8(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Status::Missing
                                                                                  : Status::Unreadable;
        }
        bytes.resize(maxBytes + 1);
        std::size_t got = 0;
        bool ok = true;
        while (ok && got < bytes.size()) {
            DWORD part = 0;
            ok = ReadFile(file, bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &part, nullptr) !=
                 0;
            if (part == 0) {
                break;
            }
            got += part;
        }
        CloseHandle(file);
        bytes.resize(ok ? got : 0);
        return ok ? Status::Read : Status::Unreadable;
    }

    bool createNew(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        // CREATE_NEW fails when anything is there: a user's file is never written over.
        const std::wstring target = lur::wideFromUtf8(path);
        const WriteResult result = writeWhole(target, CREATE_NEW, bytes);
        if (result == WriteResult::Partly) {
            DeleteFileW(target.c_str()); // ours, half written: the defaults come next time
        }
        return result == WriteResult::Whole;
    }

    bool replace(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        const std::wstring target = lur::wideFromUtf8(path);
        const std::wstring temporary = target + L".new";
        if (writeWhole(temporary, CREATE_ALWAYS, bytes) != WriteResult::Whole ||
            !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        return true;
    }

private:
    enum class WriteResult { NotOpened, Partly, Whole };

    static WriteResult writeWhole(const std::wstring& path, DWORD disposition,
                                  const std::vector<std::uint8_t>& bytes) {
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return WriteResult::NotOpened;
        }
        DWORD written = 0;
        const bool ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
            written == bytes.size();
        CloseHandle(file);
        return ok ? WriteResult::Whole : WriteResult::Partly;
    }
};

std::string localTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    return text;
}

struct Watch {
    std::string folder;
    std::function<void(std::unique_ptr<config::UserConfig>)> apply;
};

// A save is often a few writes in a row: changes this close together count as one.
constexpr DWORD kSettleMs = 100;

DWORD WINAPI watchMain(void* parameter) {
    const std::unique_ptr<Watch> watch(static_cast<Watch*>(parameter));
    Win32ConfigFiles files;
    config::UserConfigFile file(files, watch->folder, localTime);
    const auto readAndApply = [&] {
        if (auto result = file.reloadIfChanged()) {
            watch->apply(std::make_unique<config::UserConfig>(std::move(result->config)));
        }
    };
    readAndApply();
    const HANDLE change = FindFirstChangeNotificationW(
        lur::wideFromUtf8(watch->folder).c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    if (change == INVALID_HANDLE_VALUE) {
        return 0; // read once at start; changes wait for the next start
    }
    while (WaitForSingleObject(change, INFINITE) == WAIT_OBJECT_0) {
        do {
            if (!FindNextChangeNotification(change)) {
                FindCloseChangeNotification(change);
                return 0;
            }
        } while (WaitForSingleObject(change, kSettleMs) == WAIT_OBJECT_0);
        readAndApply(); // our own log lines change the folder too; an unchanged file gives nothing
    }
    FindCloseChangeNotification(change);
    return 0;
}

} // namespace

void watchUserConfig(const std::string& folder,
                     std::function<void(std::unique_ptr<config::UserConfig>)> apply) {
    if (folder.empty()) {
        return;
    }
    auto* watch = new Watch{folder, std::move(apply)};
    const HANDLE thread = CreateThread(nullptr, 0, watchMain, watch, 0, nullptr);
    if (thread == nullptr) {
        delete watch;
        return;
    }
    CloseHandle(thread);
}

std::string programOfWindow(void* window) {
    DWORD process = 0;
    GetWindowThreadProcessId(static_cast<HWND>(window), &process);
    wchar_t path[MAX_PATH * 2] = {};
    if (process == 0 || !executableOfProcess(process, path, MAX_PATH * 2)) {
        return {};
    }
    return config::programName(
        std::u16string_view(reinterpret_cast<const char16_t*>(path), std::wcslen(path)));
}

} // namespace lurcore
