// Form1's window over Win32: creates the window and its controls, previews the keys meant for it,
// and dispatches its messages: to the control binding (control_binding.h), to the drawing of the
// menu and the owner-drawn controls (form_drawing.h) and to the named handlers of TForm1.
#pragma once

#include "app/form.h"
#include "platform/win32/control_binding.h"
#include "platform/win32/form_drawing.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_tray.h"

#include <windows.h>

#include <memory>

namespace lurwin {

class FormWindow : public lur::WindowApi, public FormHost {
public:
    FormWindow(HINSTANCE instance, Win32SystemApi& system);
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;
    ~FormWindow() override;

    // FormHost
    TForm1& createForm() override;
    void destroyForm() override;

    // WindowApi
    std::uintptr_t handle() override { return reinterpret_cast<std::uintptr_t>(hwnd_); }
    void setHeight(int height) override;
    void setWidth(int width) override;
    int sideBarPictureWidth() override;
    bool visible() override { return IsWindowVisible(hwnd_) != FALSE; }
    void setVisible(bool visible) override;
    void close() override;
    void sendNull() override { SendMessageA(hwnd_, WM_NULL, 0, 0); }
    void popupMenu(lur::Point at) override;
    std::uintptr_t vietnameseIcon() override {
        return reinterpret_cast<std::uintptr_t>(drawing_.vietnameseIcon());
    }
    std::uintptr_t englishIcon() override { return reinterpret_cast<std::uintptr_t>(drawing_.englishIcon()); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls();
    // A control's rectangle in the window at the window's dpi.
    RECT placeAtDpi(const ControlPlace& place) const;
    // Gives a control the font, and a list its heights and painting, for the window's dpi.
    void fitToDpi(HWND child, const ControlPlace& place, bool redraw);
    // Lays the window out again for another dpi, in `suggested` (screen coordinates) or, without
    // one, at its size for that dpi.
    void layOutForDpi(int dpi, const RECT* suggested);
    void centreOnScreen();
    bool preTranslate(MSG& msg);
    bool clickAccelerator(wchar_t key);

    void onCommand(int id, int code, HWND control);
    bool onSetCursor(HWND over);

    HINSTANCE instance_;
    Win32SystemApi& system_;
    Win32TrayApi tray_;
    Win32ShellApi shell_;
    lur::Platform platform_;
    FormDrawing drawing_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<ControlBinding> binding_;
    HWND hwnd_ = nullptr;
    UINT taskbarCreated_ = 0;
    UINT typingMode_ = 0;
    UINT clipboardConverted_ = 0;
};

} // namespace lurwin
