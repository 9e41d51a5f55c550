// Errors that leave a handler are shown to the user and the program goes on. MinGW exceptions
// cannot unwind through user32, so every window procedure catches them at its own boundary.
#pragma once

#include <windows.h>

#include <exception>

namespace lurwin {

void showErrorBox(HWND owner, const char* message);

template <typename Body> LRESULT guarded(HWND owner, LRESULT fallback, Body&& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        showErrorBox(owner, e.what());
    } catch (...) {
        showErrorBox(owner, "Unknown error");
    }
    return fallback;
}

} // namespace lurwin
