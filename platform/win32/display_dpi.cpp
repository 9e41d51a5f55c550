#include "platform/win32/display_dpi.h"

#include "platform/win32/system_dll.h"

namespace lurwin {

namespace {

using GetDpiForWindowCall = UINT WINAPI(HWND);
using GetDpiForMonitorCall = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiCall = int WINAPI(int, UINT);

constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI

} // namespace

int systemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : lur::kDesignDpi;
        if (screen != nullptr) {
            ReleaseDC(nullptr, screen);
        }
        return value > 0 ? value : lur::kDesignDpi;
    }();
    return dpi;
}

int windowDpi(HWND window) {
    static const auto call = systemFunction<GetDpiForWindowCall>(L"user32.dll", "GetDpiForWindow");
    if (call != nullptr && window != nullptr) {
        const UINT dpi = call(window);
        if (dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return systemDpi();
}

int dpiAtPoint(POINT point) {
    // The monitor call lives in shcore.dll, which is loaded only when asked for.
    static const auto call = systemFunction<GetDpiForMonitorCall>(L"shcore.dll", "GetDpiForMonitor");
    if (call != nullptr) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
        if (monitor != nullptr && SUCCEEDED(call(monitor, kEffectiveDpi, &x, &y)) && y > 0) {
            return static_cast<int>(y);
        }
    }
    return systemDpi();
}

int metricForDpi(int index, int dpi) {
    static const auto call =
        systemFunction<GetSystemMetricsForDpiCall>(L"user32.dll", "GetSystemMetricsForDpi");
    if (call != nullptr) {
        return call(index, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

bool readsPngIcons() {
    // SetProcessDPIAware came with Vista, as did PNG images in icons.
    static const bool reads = systemProc(L"user32.dll", "SetProcessDPIAware") != nullptr;
    return reads;
}

} // namespace lurwin
