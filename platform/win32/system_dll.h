// Windows DLLs that only some handlers need, loaded from the system folder at their first use rather
// than with the program, so that starting pays only for what the window shows. COM as well: the
// program asks for it at start, and it is started on this thread before its first use.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace lurwin {

// The function `name` of the system DLL `dll` ("ole32.dll"), loaded at the first call; null when the
// DLL or the function is missing.
FARPROC systemProc(const wchar_t* dll, const char* name);

template <typename Function> Function* systemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(systemProc(dll, name)));
}

// COM on the program's thread: wanted at start, started at the first use, stopped at the end if it was.
void wantCom();
// Starts COM if it is wanted and not started yet; false when it could not be.
bool startComIfWanted();
void stopCom();

// CoCreateInstance (with COM started first where wanted) and CoTaskMemFree.
HRESULT createComInstance(REFCLSID type, DWORD context, REFIID wanted, void** object);
void freeComMemory(void* memory);

// The common controls, in the version the program's manifest names, loaded when the first control is
// made (a quick start shows only the tray icon and makes none): InitCommonControlsEx and the
// subclassing functions.
void initCommonControls();
BOOL setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT defSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace lurwin
