#include "lurcore/win32/program_window.h"

#include "engine/product_names.h"

namespace lurcore {

HWND programWindow() {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"" LUR_WINDOW_CLASS, nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) {
            return window;
        }
    }
    return nullptr;
}

} // namespace lurcore
