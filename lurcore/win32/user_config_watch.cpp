#include "lurcore/win32/user_config_watch.h"

#include "engine/utf8.h"
#include "lurcore/config/user_config_file.h"
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
        return saveAtomically(ops_, path, bytes);
    }

private:
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

} // namespace lurcore
