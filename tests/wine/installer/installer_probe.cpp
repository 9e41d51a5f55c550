// Helper of installer_test.sh, run under Wine:
//   installer_probe --foreign-window <ready file>
//       shows nothing, but owns a hidden top-level window captioned like the program's, as an Explorer
//       window open on a folder of that name would be; writes <ready file> once the window exists and
//       runs until it is closed (exit code 3) or killed.
//   installer_probe --install <setup.exe> [arguments...]
//       runs the installer, watches the process table until the installer has ended and a new Lurb.exe
//       runs, and prints "installer <pid> <exit code>" and "lurb <pid> parent <pid> <parent's file>".
//   installer_probe --shortcut <link file> <target>
//       saves a shell link to <target>, as the program saves its desktop shortcut.
//   installer_probe --hold <file> <ready file>
//       keeps <file> open for reading only, letting others read it but not write or delete it, as a
//       copy of the program running in another user's session holds its files; writes <ready file>
//       and runs until killed.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <set>
#include <string>

namespace {

struct Seen {
    DWORD parent = 0;
    std::wstring file;
};

// Adds every process now running to `seen`; returns the ids of the Lurb.exe processes among them.
std::set<DWORD> snapshot(std::map<DWORD, Seen>& seen) {
    std::set<DWORD> lurb;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) {
        return lurb;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry)) {
        // A process caught while it is being made has no file name yet: keep the later sighting.
        Seen& known = seen[entry.th32ProcessID];
        known.parent = entry.th32ParentProcessID;
        if (entry.szExeFile[0] != L'\0') {
            known.file = entry.szExeFile;
        }
        if (_wcsicmp(entry.szExeFile, L"Lurb.exe") == 0) {
            lurb.insert(entry.th32ProcessID);
        }
    }
    CloseHandle(snap);
    return lurb;
}

LRESULT CALLBACK foreignProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(3);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int foreignWindow(const wchar_t* readyFile) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = foreignProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LurbTestForeignWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Lurio 2008", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    HANDLE ready = CreateFileW(readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int install(int argc, wchar_t** argv) {
    std::map<DWORD, Seen> seen;
    const std::set<DWORD> before = snapshot(seen);
    std::wstring command = L"\"" + std::wstring(argv[2]) + L"\"";
    for (int i = 3; i < argc; ++i) {
        command += L" ";
        command += argv[i];
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("cannot start the installer: %lu\n", GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    // Watch closely: the process that starts Lurb.exe may live only for a moment.
    DWORD newLurb = 0;
    const DWORD start = GetTickCount();
    DWORD installerEnded = 0;
    bool installerDone = false;
    // Up to two minutes for the installer, then up to 20 s for the program to show up.
    while (GetTickCount() - start < 120000 && !(installerDone && newLurb != 0)) {
        if (!installerDone && WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            installerDone = true;
            installerEnded = GetTickCount();
        }
        for (DWORD pid : snapshot(seen)) {
            if (before.count(pid) == 0) {
                newLurb = pid;
            }
        }
        if (installerDone && newLurb == 0 && GetTickCount() - installerEnded > 20000) {
            break;
        }
        Sleep(2);
    }
    DWORD exitCode = 0;
    WaitForSingleObject(process.hProcess, 0);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    std::printf("installer %lu %lu\n", process.dwProcessId, exitCode);
    if (newLurb != 0) {
        const DWORD parent = seen[newLurb].parent;
        auto it = seen.find(parent);
        const std::wstring file = it == seen.end() ? L"?" : it->second.file;
        char narrow[MAX_PATH] = {};
        WideCharToMultiByte(CP_UTF8, 0, file.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
        std::printf("lurb %lu parent %lu %s\n", newLurb, parent, narrow);
    }
    std::fflush(stdout);
    return 0;
}

int shortcut(const wchar_t* link, const wchar_t* target) {
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      reinterpret_cast<void**>(&shellLink));
    if (SUCCEEDED(result)) {
        shellLink->SetPath(target);
        IPersistFile* file = nullptr;
        result = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(result)) {
            result = file->Save(link, TRUE);
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return SUCCEEDED(result) ? 0 : 1;
}

int hold(const wchar_t* path, const wchar_t* readyFile) {
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    CloseHandle(CreateFileW(readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Sleep(INFINITE);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"--foreign-window") == 0) {
        return foreignWindow(argv[2]);
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"--install") == 0) {
        return install(argc, argv);
    }
    if (argc == 4 && std::wcscmp(argv[1], L"--shortcut") == 0) {
        return shortcut(argv[2], argv[3]);
    }
    if (argc == 4 && std::wcscmp(argv[1], L"--hold") == 0) {
        return hold(argv[2], argv[3]);
    }
    std::printf("usage: installer_probe --foreign-window <ready file> | --install <setup.exe> [args]\n");
    return 2;
}
