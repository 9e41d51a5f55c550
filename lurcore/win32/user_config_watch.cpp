#include "lurcore/win32/user_config_watch.h"

#include "engine/utf8.h"
#include "lurcore/config/user_config_file.h"
#include "lurcore/win32/clipboard_hotkey.h"
#include "lurcore/win32/win32_file_ops.h"

#include <windows.h>

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
    // "YYYY-MM-DD hh:mm:ss": each field's digits end where the next separator is.
    std::string text = "0000-00-00 00:00:00";
    const unsigned fields[] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::size_t ends[] = {4, 7, 10, 13, 16, 19};
    for (std::size_t field = 0; field < 6; ++field) {
        unsigned value = fields[field];
        for (std::size_t at = ends[field], width = field == 0 ? 4 : 2; width > 0; --width, value /= 10) {
            text[--at] = static_cast<char>('0' + value % 10);
        }
    }
    return text;
}

struct Watch {
    Watch(const std::string& folder, std::function<void(std::unique_ptr<config::UserConfig>)> apply)
        : folder(folder), apply(std::move(apply)), file(files, folder, localTime) {}

    // True when the file was read anew.
    bool readAndApply() {
        if (auto result = file.reloadIfChanged()) {
            converter = result->config.converter;
            apply(std::make_unique<config::UserConfig>(std::move(result->config)));
            return true;
        }
        return false;
    }

    std::string folder;
    std::function<void(std::unique_ptr<config::UserConfig>)> apply;
    Win32ConfigFiles files;
    config::UserConfigFile file;
    config::ConverterConfig converter; // the converter's choices of the last reading
    HANDLE quit = nullptr;
};

// A save is often a few writes in a row: changes this close together count as one.
constexpr DWORD kSettleMs = 100;

void watch(Watch& watch) {
    // The converter's key lives on this thread: its messages wake it as the file's changes do.
    ClipboardHotkey hotkey([&watch](const std::string& line) { watch.file.note(line); });
    hotkey.configure(watch.converter);
    HANDLE change = FindFirstChangeNotificationW(lur::wideFromUtf8(watch.folder).c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME |
                                                     FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    for (;;) {
        // Without a change notice the file is read once at start; the key still works.
        const HANDLE events[] = {watch.quit, change};
        const DWORD handles = change == INVALID_HANDLE_VALUE ? 1 : 2;
        const DWORD woke = MsgWaitForMultipleObjects(handles, events, FALSE, INFINITE, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0 + handles) {
            hotkey.handleMessages();
            continue;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            break; // told to end, or the wait failed
        }
        do {
            if (!FindNextChangeNotification(change)) {
                FindCloseChangeNotification(change);
                change = INVALID_HANDLE_VALUE;
                break;
            }
        } while (WaitForMultipleObjects(2, events, FALSE, kSettleMs) == WAIT_OBJECT_0 + 1);
        if (WaitForSingleObject(watch.quit, 0) == WAIT_OBJECT_0) {
            break;
        }
        // Our own log lines change the folder too; an unchanged file gives nothing.
        if (watch.readAndApply()) {
            hotkey.configure(watch.converter);
        }
    }
    if (change != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(change);
    }
}

DWORD WINAPI watchMain(void* parameter) {
    HMODULE module = nullptr;
    {
        const std::unique_ptr<Watch> owned(static_cast<Watch*>(parameter));
        watch(*owned);
        CloseHandle(owned->quit);
        // The reference taken for this thread when it was made; released as the thread ends, after
        // the last of this module's code has run.
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&watchMain), &module);
    }
    FreeLibraryAndExitThread(module, 0);
}

} // namespace

UserConfigWatch::~UserConfigWatch() {
    if (quit_ != nullptr) {
        SetEvent(static_cast<HANDLE>(quit_));
        CloseHandle(static_cast<HANDLE>(quit_));
    }
}

UserConfigWatch watchUserConfig(const std::string& folder,
                                std::function<void(std::unique_ptr<config::UserConfig>)> apply) {
    if (folder.empty()) {
        return {};
    }
    const HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE theirs = nullptr;
    if (quit == nullptr || !DuplicateHandle(GetCurrentProcess(), quit, GetCurrentProcess(), &theirs, 0, FALSE,
                                            DUPLICATE_SAME_ACCESS)) {
        if (quit != nullptr) {
            CloseHandle(quit);
        }
        return {};
    }
    // The thread holds the module until its last instruction here has run.
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&watchMain),
                       &module);
    // The first reading is made here, so that the caller has the user's choices before it goes on.
    auto* watch = new Watch(folder, std::move(apply));
    watch->quit = theirs;
    watch->readAndApply();
    const HANDLE thread = CreateThread(nullptr, 0, watchMain, watch, 0, nullptr);
    if (thread == nullptr) {
        delete watch;
        CloseHandle(theirs);
        CloseHandle(quit);
        FreeLibrary(module);
        return {};
    }
    CloseHandle(thread);
    return UserConfigWatch(quit);
}

} // namespace lurcore
