#include "tests/wine/support/lurb_process.h"

#include "platform/win32/window_ids.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace lurtest {

std::wstring settingsFile() {
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    const std::wstring folder = std::wstring(appData) + L"\\" LUR_SETTINGS_FOLDER;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" LUR_SETTINGS_FILE;
}

std::wstring userFile(const wchar_t* name) {
    const std::wstring settings = settingsFile();
    return settings.substr(0, settings.rfind(L'\\') + 1) + name;
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
}

std::wstring binFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder;
}

RecordingFiles::RecordingFiles() : folder_(binFolder() + L"rec\\") {}

void RecordingFiles::clearLog() const {
    DeleteFileW((folder_ + L"lurcore.log").c_str());
}

std::vector<std::string> RecordingFiles::log() const {
    std::vector<std::string> lines;
    std::ifstream file(std::filesystem::path(folder_ + L"lurcore.log"));
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

void RecordingFiles::removeBlock() const {
    DeleteFileW((folder_ + L"lurcore.blk").c_str());
}

void RecordingFiles::seedBlock(const Block& block) const {
    std::ofstream file(std::filesystem::path(folder_ + L"lurcore.blk"), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
}

bool RecordingFiles::hasBlock() const {
    return GetFileAttributesW((folder_ + L"lurcore.blk").c_str()) != INVALID_FILE_ATTRIBUTES;
}

Block RecordingFiles::block() const {
    Block block{};
    std::ifstream file(std::filesystem::path(folder_ + L"lurcore.blk"), std::ios::binary);
    file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
    return block;
}

LurbProcess::LurbProcess(const std::wstring& exe, const std::wstring& workingDirectory) {
    std::wstring directory = workingDirectory;
    if (directory.empty()) {
        directory = exe.substr(0, exe.find_last_of(L'\\'));
    }
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &info_)) {
        info_ = {};
    }
}

LurbProcess::~LurbProcess() {
    if (info_.hProcess != nullptr) {
        if (running()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
}

bool LurbProcess::running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool xdotool(const std::string& arguments) {
    std::wstring command = L"Z:\\usr\\bin\\xdotool ";
    command.append(arguments.begin(), arguments.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

bool handledSoFar(HWND window, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                               &result) != 0;
}

HWND LurbProcess::waitForForm(std::chrono::milliseconds timeout) {
    waitFor(
        [this] {
            HWND window = nullptr;
            while ((window = FindWindowExW(nullptr, window, lurwin::kFormClass, nullptr)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == info_.dwProcessId) {
                    form_ = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return form_;
}

long LurbProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (info_.hProcess == nullptr ||
        WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

namespace {

NOTIFYICONDATAA iconRecord(HWND form) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = form;
    data.uID = 1;
    return data;
}

} // namespace

bool trayIconPresent(HWND form) {
    NOTIFYICONDATAA data = iconRecord(form);
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void removeTrayIcon(HWND form) {
    NOTIFYICONDATAA data = iconRecord(form);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

HWND waitForPopupMenu(std::chrono::milliseconds timeout) {
    HWND menu = nullptr;
    waitFor(
        [&menu] {
            menu = FindWindowA("#32768", nullptr);
            return menu != nullptr && IsWindowVisible(menu);
        },
        timeout);
    return menu;
}

void menuKey(HWND menu, UINT key) {
    PostMessageW(menu, WM_KEYDOWN, key, 0);
    PostMessageW(menu, WM_KEYUP, key, 0xC0000000);
}

Capture captureScreen(const RECT& area) {
    Capture capture;
    capture.width = area.right - area.left;
    capture.height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* raw = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(raw, raw + capture.width * capture.height);
    for (auto& pixel : capture.pixels) {
        pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

bool saveBmp(const Capture& capture, const std::wstring& path) {
    const int rowBytes = (capture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = capture.width;
    header.biHeight = capture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = static_cast<DWORD>(rowBytes * capture.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
    for (int y = capture.height - 1; y >= 0; --y) {
        for (int x = 0; x < capture.width; ++x) {
            const std::uint32_t pixel = capture.at(x, y);
            row[static_cast<std::size_t>(x * 3)] = static_cast<char>(pixel & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((pixel >> 8) & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

std::wstring artefactFolder() {
    std::wstring bin = binFolder();
    bin.pop_back();
    std::wstring folder = bin.substr(0, bin.find_last_of(L'\\') + 1) + L"wine-artefacts\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

int countLines(const std::vector<std::string>& log, const std::string& line) {
    int count = 0;
    for (const std::string& entry : log) {
        count += entry == line ? 1 : 0;
    }
    return count;
}

std::string writeToFileLine(const Block& block) {
    std::string line = "WriteToFile";
    for (std::uint8_t byte : block) {
        char two[4];
        std::snprintf(two, sizeof two, " %02x", byte);
        line += two;
    }
    return line;
}

} // namespace lurtest
