// Form1's window over Win32: creates the window and its controls, mirrors the control model into
// the native controls, feeds the user's clicks and picks into the model, and dispatches messages to
// the named handlers of TForm1.
#pragma once

#include "app/form.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_tray.h"

#include <windows.h>

#include <map>
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
    std::uintptr_t vietnameseIcon() override { return reinterpret_cast<std::uintptr_t>(tkIcon_); }
    std::uintptr_t englishIcon() override { return reinterpret_cast<std::uintptr_t>(engIcon_); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void loadResources();
    void createControls();
    void connectModel();
    void mirrorCheck(int id, bool checked);
    void mirrorRadio(int id, bool checked);
    void mirrorList(int id, int index);
    void centreOnScreen();
    bool preTranslate(MSG& msg);
    bool clickAccelerator(wchar_t key);

    void onCommand(int id, int code, HWND control);
    void onListNotification(int id, int code, HWND control);
    void pickFromList(ui::ComboBox& model, HWND list, bool evenIfShown);
    LRESULT onCtlColor(HDC dc, HWND control);
    bool onSetCursor(HWND over);
    void onDrawItem(DRAWITEMSTRUCT& item);
    void drawLabel(const DRAWITEMSTRUCT& item);
    COLORREF labelColor(int id) const;
    void onMeasureItem(MEASUREITEMSTRUCT& item);
    void onMenuCommand(int index);

    HWND control(int id) const { return GetDlgItem(hwnd_, id); }
    ui::ComboBox* listModel(int id);
    HFONT fontFor(int id) const;

    HINSTANCE instance_;
    Win32SystemApi& system_;
    Win32TrayApi tray_;
    Win32ShellApi shell_;
    lur::Platform platform_;
    std::unique_ptr<TForm1> form_;
    HWND hwnd_ = nullptr;
    UINT taskbarCreated_ = 0;
    UINT typingMode_ = 0;

    HFONT windowFont_ = nullptr;
    HFONT vietnameseFont_ = nullptr;
    HFONT bannerFont_ = nullptr;
    HICON tkIcon_ = nullptr;
    HICON engIcon_ = nullptr;
    HBITMAP sidebar_ = nullptr;
    HBITMAP menuPictures_ = nullptr;
    std::map<int, HBITMAP> buttonPictures_;
    // Lists whose drop-down is open: a selection change there is the user browsing, not a pick yet.
    std::map<int, bool> dropped_;
};

} // namespace lurwin
