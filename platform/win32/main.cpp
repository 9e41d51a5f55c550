// Lurb.exe: the tray front-end of the typing engine.
#include "app/form.h"
#include "platform/win32/error_box.h"
#include "platform/win32/form_window.h"
#include "platform/win32/win32_system.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    lurwin::Win32SystemApi system(instance);
    lurwin::FormWindow host(instance, system);
    return static_cast<int>(lurwin::guarded(nullptr, 0, [&] { return LRESULT{runProgram(system, host)}; }));
}
