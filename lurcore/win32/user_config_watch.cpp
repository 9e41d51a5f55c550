#include "lurcore/win32/user_config_watch.h"

#include "engine/utf8.h"
#include "lurcore/config/user_config_file.h"
#include "lurcore/win32/clipboard_hotkey.h"
#include "lurcore/win32/win32_file_ops.h"

#include <windows.h>

#include <cstdio>

namespace lurcore {
namespace {

// The engine's own file operations, for lurio.ini and lurio.log. Everyone may keep the file open while we
// read it: an editor that holds it must not make it unreadable.
class Win32ConfigFiles final : public config::ConfigFiles {
public:
    Status read(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) override {
        FileRead result = ops_.read(path, maxBytes);
        bytes = std::move(result.bytes);
        switch (result.status) {
        case FileRead::Status::Read:
            return Status::Read;
        case FileRead::Status::Missing:
            return Status::Missing;
        case FileRead::Status::Unreadable:
            break;
        }
        return Status::Unreadable;
    }

    bool createNew(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        // CREATE_NEW fails when anything is there: a user's file is never written over.
        const std::wstring target = lur::wideFromUtf8(path);
        HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        DWORD written = 0;
        const bool ok =
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
            written == bytes.size();
        CloseHandle(file);
        if (!ok) {
            DeleteFileW(target.c_str()); // ours, half written: the defaults come next time
        }
        return ok;
    }

    bool replace(const std::string& path, const std::vector<std::uint8_t>& bytes) override {
        // A reader that has the log open this moment (a viewer, a test) can make the rename fail: try
        // again a few times rather than lose the line.
        for (int attempt = 0;; ++attempt) {
            if (saveAtomically(ops_, path, bytes)) {
                return true;
            }
            if (attempt == kReplaceTries - 1) {
                return false;
            }
            Sleep(kReplaceRetryMs);
        }
    }

private:
    static constexpr int kReplaceTries = 10;
    static constexpr DWORD kReplaceRetryMs = 25;
    Win32FileOps ops_{Win32FileOps::ReadSharing::Everyone};
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
    // The converter's key lives on this thread: its messages wake it as the file's changes do.
    ClipboardHotkey hotkey([&file](const std::string& line) { file.note(line); });
    const auto readAndApply = [&] {
        if (auto result = file.reloadIfChanged()) {
            hotkey.configure(result->config.converter);
            watch->apply(std::make_unique<config::UserConfig>(std::move(result->config)));
        }
    };
    readAndApply();
    HANDLE change = FindFirstChangeNotificationW(lur::wideFromUtf8(watch->folder).c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME |
                                                     FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    for (;;) {
        // Without a change notice the file is read once at start; the key still works.
        const DWORD handles = change == INVALID_HANDLE_VALUE ? 0 : 1;
        const DWORD woke = MsgWaitForMultipleObjects(handles, &change, FALSE, INFINITE, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0 + handles) {
            hotkey.handleMessages();
            continue;
        }
        if (handles == 0 || woke != WAIT_OBJECT_0) {
            break;
        }
        do {
            if (!FindNextChangeNotification(change)) {
                FindCloseChangeNotification(change);
                change = INVALID_HANDLE_VALUE;
                break;
            }
        } while (WaitForSingleObject(change, kSettleMs) == WAIT_OBJECT_0);
        readAndApply(); // our own log lines change the folder too; an unchanged file gives nothing
    }
    if (change != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(change);
    }
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

} // namespace lurcore
