// Keeps another program's thread busy, as one of its handlers would on a slow disk: set into that thread
// with WH_GETMESSAGE, it answers the registered message "LurbTest.Busy" by holding the thread for
// wParam milliseconds before the thread may take its next message. The named events "LurbTest.Busy.Start"
// and "LurbTest.Busy.End" (made by the test) mark the two ends.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK busyMessageProc(int code, WPARAM removed, LPARAM data) {
    static const UINT busy = RegisterWindowMessageA("LurbTest.Busy");
    const auto* message = reinterpret_cast<const MSG*>(data);
    if (code == HC_ACTION && removed == PM_REMOVE && message->message == busy) {
        const HANDLE start = OpenEventA(EVENT_MODIFY_STATE, FALSE, "LurbTest.Busy.Start");
        const HANDLE end = OpenEventA(EVENT_MODIFY_STATE, FALSE, "LurbTest.Busy.End");
        if (start != nullptr) {
            SetEvent(start);
        }
        Sleep(static_cast<DWORD>(message->wParam));
        if (end != nullptr) {
            SetEvent(end);
        }
        if (start != nullptr) {
            CloseHandle(start);
        }
        if (end != nullptr) {
            CloseHandle(end);
        }
    }
    return CallNextHookEx(nullptr, code, removed, data);
}
