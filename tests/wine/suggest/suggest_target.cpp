// The window an application under test would show: a completing field above a plain one. The tests
// start it under a browser's executable name and under its own, so that the engine treats it as one or
// the other. Arguments: the code table (0, 1, 2), and the left and top of the window.
#include "tests/wine/suggest/suggest_field.h"

#include <shellapi.h>

#include <cwchar>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 4) {
        return 2;
    }
    const auto table =
        lurcore::core::codeTableFromByte(static_cast<std::uint8_t>(std::wcstol(arguments[1], nullptr, 10)));
    const int left = static_cast<int>(std::wcstol(arguments[2], nullptr, 10));
    const int top = static_cast<int>(std::wcstol(arguments[3], nullptr, 10));
    LocalFree(arguments);

    HWND frame = lurtest::createFields(
        left, top, {lurtest::FieldKind::CaretAfterSuggestion, lurtest::FieldKind::Plain}, table, true);
    if (frame == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
