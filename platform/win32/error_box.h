// Errors that leave a handler are shown to the user and the program goes on. Every window procedure
// runs its handlers through guarded(), which shows the error a handler ended with. (Built with
// exceptions, it catches them at the procedure's own boundary: they cannot unwind through user32.)
#pragma once

#include "app/form.h"

#include <windows.h>

#if __cpp_exceptions
#include <exception>
#endif

namespace lurwin {

void showErrorBox(HWND owner, const char* message);

template <typename Body> LRESULT guarded(HWND owner, LRESULT fallback, Body&& body) {
#if __cpp_exceptions
    try {
        return body();
    } catch (const std::exception& e) {
        showErrorBox(owner, e.what());
    } catch (...) {
        showErrorBox(owner, "Unknown error");
    }
    return fallback;
#else
    const LRESULT result = body();
    if (const auto error = takeHandlerError()) {
        showErrorBox(owner, error->c_str());
        return fallback;
    }
    return result;
#endif
}

} // namespace lurwin
