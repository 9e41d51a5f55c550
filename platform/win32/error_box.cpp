#include "platform/win32/error_box.h"

#include "config/paths.h"

namespace lurwin {

void showErrorBox(HWND owner, const char* message) {
    MessageBoxA(owner, lur::errorBoxText(message).c_str(), lur::kErrorBoxTitle, MB_ICONERROR | MB_OK);
}

} // namespace lurwin
